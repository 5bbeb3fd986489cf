#include "FormatUndoGuard.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

// The marker's token; what it is matters to nobody, as its notification is not asked for.
constexpr unsigned long kMarkerToken = 0x4C4F4E47;

}  // namespace

CFormatUndoGuard::CFormatUndoGuard(QsciScintillaBase& editor, ITextBuffer& text)
    : m_editor(editor), m_text(text)
{
    m_text.AddObserver(this);
}

CFormatUndoGuard::~CFormatUndoGuard()
{
    m_text.RemoveObserver(this);
}

void CFormatUndoGuard::Arm()
{
    // Not coalescible (UNDO_NONE): a step of its own, which no typing joins.
    m_editor.SendScintilla(Sci::SCI_ADDUNDOACTION, kMarkerToken, 0L);
    m_eState = EState::Armed;
}

void CFormatUndoGuard::Undo(const Step& undo, const Question& mayUndoFormat)
{
    const long long nEditsBefore = m_nEdits;
    undo();
    // Only the marker's step changes no text: the formatting is next.
    if (m_eState != EState::Armed || m_nEdits != nEditsBefore)
        return;
    if (mayUndoFormat()) {
        undo();
        m_eState = EState::FormatUndone;
    } else {
        m_editor.SendScintilla(Sci::SCI_REDO);
    }
}

void CFormatUndoGuard::Redo(const Step& redo)
{
    const long long nEditsBefore = m_nEdits;
    redo();
    if (m_eState == EState::FormatUndone && m_nEdits != nEditsBefore) {
        m_editor.SendScintilla(Sci::SCI_REDO);
        m_eState = EState::Armed;
    }
}

void CFormatUndoGuard::OnTextEdit(const STextEdit& edit)
{
    ++m_nEdits;
    // A new edit once the formatting is undone drops it from the history for good.
    if (m_eState == EState::FormatUndone && edit.eSource == STextEdit::ESource::User)
        m_eState = EState::Off;
}
