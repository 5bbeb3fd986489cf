#include "InputFilter.h"

#include "DocumentCodec.h"
#include "EditorSetup.h"
#include "KeyChord.h"
#include "MessageBox.h"
#include "PasteFormats.h"
#include "EditorPane.h"
#include "StatusNote.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

CInputFilter::CInputFilter(IEditorPane& pane)
    : QObject(&pane.Control()), m_pane(pane), m_editor(pane.Control())
{
    m_editor.installEventFilter(this);
    m_editor.viewport()->installEventFilter(this);
}

bool CInputFilter::Refuses(const QString& text) const
{
    QByteArray bytes;
    return !m_editor.isReadOnly()
           && !CPasteFormats::ToDocumentBytes(text, m_editor.isUtf8(), DocumentCodec(m_editor),
                                              bytes);
}

bool CInputFilter::RefusesMime(const QMimeData* pData) const
{
    // Dropped file names open no text here: the control only reports them.
    return pData && pData->hasText() && !pData->hasUrls() && Refuses(pData->text());
}

bool CInputFilter::AdmitsClipboard(QClipboard::Mode mode) const
{
    if (!RefusesMime(QApplication::clipboard()->mimeData(mode)))
        return true;
    TellRefused(QStringLiteral("pasted"));
    return false;
}

void CInputFilter::TellRefused(const QString& strVerb) const
{
    AfxMessageBox(
        QStringLiteral("Nothing was %1 into %2: the text holds characters that %3 cannot store.")
            .arg(strVerb, m_pane.DocumentName(),
                 CPasteFormats::DocumentKind(DocumentCodec(m_editor))));
}

void CInputFilter::NoteRefusedTyping(const QString& text) const
{
    ShowStatusNote(
        &m_editor,
        QStringLiteral("\"%1\" cannot be typed into %2: %3 cannot store it.")
            .arg(text, m_pane.DocumentName(), CPasteFormats::DocumentKind(DocumentCodec(m_editor))),
        true);
}

bool CInputFilter::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == &m_editor) {
        if (pEvent->type() == QEvent::KeyPress)
            return OnKeyPress(static_cast<QKeyEvent*>(pEvent));
        if (pEvent->type() == QEvent::InputMethod)
            return OnInputMethod(static_cast<QInputMethodEvent*>(pEvent));
        return false;
    }
    switch (pEvent->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return OnDragOrDrop(static_cast<QDropEvent*>(pEvent));
    case QEvent::MouseButtonPress:
        return OnMousePress(static_cast<QMouseEvent*>(pEvent));
    default:
        return false;
    }
}

const QsciCommand* CInputFilter::BoundCommand(const QKeyEvent* pEvent) const
{
    // Keys cleared from the control's commands are 0: an event without a key code is no command.
    const int nKey = pEvent->key();
    if (nKey == 0 || nKey == Qt::Key_unknown)
        return nullptr;
    const int nModifiers = static_cast<int>(pEvent->modifiers() & ~Qt::KeypadModifier);
    return m_editor.standardCommands()->boundTo(nKey | nModifiers);
}

bool CInputFilter::OnChord(EKeyChord eChord)
{
    switch (eChord) {
    case EKeyChord::ZoomIn:
        m_editor.zoomIn();
        break;
    case EKeyChord::ZoomOut:
        m_editor.zoomOut();
        break;
    case EKeyChord::ZoomReset:
        m_editor.zoomTo(0);
        break;
    case EKeyChord::Ignore:
        break;
    case EKeyChord::Pass:
        return false;
    }
    return true;
}

bool CInputFilter::OnKeyPress(QKeyEvent* pEvent)
{
    const QsciCommand* pCommand = BoundCommand(pEvent);
    if (OnChord(ClassifyKeyChord(pEvent->key(), pEvent->modifiers(), pCommand != nullptr)))
        return true;
    // Through the view, which colours what they bring back.
    if (pCommand && pCommand->command() == QsciCommand::Undo) {
        m_editor.undo();
        return true;
    }
    if (pCommand && pCommand->command() == QsciCommand::Redo) {
        m_editor.redo();
        return true;
    }
    if (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter)
        AdoptFirstLineEnd(m_editor);
    const QString text = pEvent->text();
    if (pCommand || text.isEmpty() || !text.at(0).isPrint() || !Refuses(text))
        return false;
    NoteRefusedTyping(text);
    return true;
}

bool CInputFilter::OnInputMethod(QInputMethodEvent* pEvent)
{
    if (!Refuses(pEvent->commitString()))
        return false;
    NoteRefusedTyping(pEvent->commitString());
    // An empty event takes away the pre-edit text the control shows and commits nothing.
    QInputMethodEvent nothing;
    QApplication::sendEvent(&m_editor, &nothing);
    return true;
}

bool CInputFilter::OnDragOrDrop(QDropEvent* pEvent)
{
    if (!RefusesMime(pEvent->mimeData()))
        return false;
    // Taken over the control, which would not take it, so that the drop can say why.
    if (pEvent->type() != QEvent::Drop) {
        pEvent->acceptProposedAction();
        return true;
    }
    pEvent->setDropAction(Qt::IgnoreAction);
    pEvent->ignore();
    TellRefused(QStringLiteral("dropped"));
    return true;
}

bool CInputFilter::OnMousePress(QMouseEvent* pEvent)
{
    // The middle button pastes the selection.
    if (pEvent->button() != Qt::MiddleButton || !QApplication::clipboard()->supportsSelection())
        return false;
    return !AdmitsClipboard(QClipboard::Selection);
}
