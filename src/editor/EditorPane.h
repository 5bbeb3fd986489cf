// The editor pane as the helpers around it see it: its text, the control that shows it, and what
// it knows of its document.
#pragma once

#include "SafeSaver.h"
#include "TextBuffer.h"

#include <QObject>
#include <QString>

#include <vector>

class CTarnelDoc;
class QByteArray;
class QsciScintilla;

class IEditorPane : public ITextBuffer
{
public:
    virtual QsciScintilla& Control() = 0;
    virtual CTarnelDoc* GetDocument() const = 0;
    // The file's path, or the title of a document not saved yet, for messages.
    virtual QString DocumentName() const = 0;
    // One undo step; every byte is kept, NUL included.
    virtual void ReplaceSelection(const QByteArray& text) = 0;
    // The text as the control holds it, in up to two pieces, without copying it; valid until
    // the next change.
    virtual std::vector<SByteSpan> TextPieces() const = 0;

    // DocumentName of the pane `pEditor` is, or "the document".
    static QString DocumentNameOf(const QObject* pEditor)
    {
        const auto* pPane = dynamic_cast<const IEditorPane*>(pEditor);
        return pPane ? pPane->DocumentName() : QStringLiteral("the document");
    }

protected:
    ~IEditorPane() = default;
};
