// Watches what comes into the editor from the keyboard, input methods, the clipboard and drag
// and drop: key chords that are no command do nothing, the zoom chords zoom, Enter takes the
// text's own line end, and text an 8-bit document cannot store is refused, never turned into "?".
#pragma once

#include "KeyChord.h"

#include <QClipboard>
#include <QObject>
#include <QString>

class IEditorPane;
class QsciCommand;
class QsciScintilla;
class QDropEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMimeData;
class QMouseEvent;

class CInputFilter : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the pane's control and its viewport.
    explicit CInputFilter(IEditorPane& pane);

    // Whether the document is editable and `text` holds a character its encoding cannot: beyond
    // Latin-1 in 8-bit text, or beyond what a decoded file's encoding holds.
    bool Refuses(const QString& text) const;
    // Whether the clipboard's text in `mode` may be pasted; tells the user when not.
    bool AdmitsClipboard(QClipboard::Mode mode) const;

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The control's own command on the key, if any.
    const QsciCommand* BoundCommand(const QKeyEvent* pEvent) const;
    // Zooms or swallows the chord; false when it goes on to the control.
    bool OnChord(EKeyChord eChord);
    bool OnKeyPress(QKeyEvent* pEvent);
    bool OnInputMethod(QInputMethodEvent* pEvent);
    bool OnDragOrDrop(QDropEvent* pEvent);
    bool OnMousePress(QMouseEvent* pEvent);
    bool RefusesMime(const QMimeData* pData) const;
    void TellRefused(const QString& strVerb) const;
    void NoteRefusedTyping(const QString& text) const;

    IEditorPane& m_pane;
    QsciScintilla& m_editor;
};
