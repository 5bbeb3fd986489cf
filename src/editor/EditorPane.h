// The editor pane as the helpers around it see it: its text, the control that shows it, and what
// it knows of its document.
#pragma once

#include "NamedDocument.h"
#include "SafeSaver.h"
#include "TextBuffer.h"

#include <QString>

#include <vector>

class CTarnelDoc;
class QByteArray;
class QsciScintilla;

class IEditorPane : public ITextBuffer, public INamedDocument
{
public:
    virtual QsciScintilla& Control() = 0;
    virtual CTarnelDoc* GetDocument() const = 0;
    // One undo step; every byte is kept, NUL included.
    virtual void ReplaceSelection(const QByteArray& text) = 0;
    // The text as the control holds it, in up to two pieces, without copying it; valid until
    // the next change.
    virtual std::vector<SByteSpan> TextPieces() const = 0;
    // Why the text is read-only, as a sentence naming `strName`; empty when it is editable.
    virtual QString ReadOnlyNote(const QString& strName) const = 0;

protected:
    ~IEditorPane() = default;
};
