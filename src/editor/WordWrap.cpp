#include "WordWrap.h"

#include "EditorSetup.h"

#include <Qsci/qsciscintillabase.h>

#include <QApplication>

using Sci = QsciScintillaBase;

bool CWordWrap::Reset(long long nLength)
{
    m_bChosen = false;
    const int nMode = WrapModeForTextLength(nLength);
    SetMode(nMode);
    return nMode == Sci::SC_WRAP_NONE;
}

void CWordWrap::SetOn(bool bOn)
{
    m_bChosen = true;
    SetMode(bOn ? Sci::SC_WRAP_WORD : Sci::SC_WRAP_NONE);
    // The layout is one call of the control, which can show no progress and cannot be stopped:
    // the busy cursor is the one sign of it.
    const bool bLong = bOn && m_editor.SendScintilla(Sci::SCI_GETLENGTH) > kLongestWrappedText;
    if (bLong)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    WrapAllNow();
    if (bLong)
        QApplication::restoreOverrideCursor();
}

bool CWordWrap::IsOn() const
{
    return m_editor.SendScintilla(Sci::SCI_GETWRAPMODE) != Sci::SC_WRAP_NONE;
}

// Past the limit, the control would wrap all that is not wrapped yet at the next caret key or
// Go to line.
void CWordWrap::UnwrapIfTooLong(long long nLength)
{
    if (!m_bChosen && IsOn() && WrapModeForTextLength(nLength) == Sci::SC_WRAP_NONE)
        SetMode(Sci::SC_WRAP_NONE);
}

void CWordWrap::WrapAllNow()
{
    // Making a line visible lays out everything still waiting to be wrapped, without scrolling.
    if (IsOn() && m_editor.isVisible())
        m_editor.SendScintilla(Sci::SCI_ENSUREVISIBLE, 0UL);
}

void CWordWrap::SetMode(int nMode)
{
    if (m_editor.SendScintilla(Sci::SCI_GETWRAPMODE) != nMode)
        m_editor.SendScintilla(Sci::SCI_SETWRAPMODE, static_cast<unsigned long>(nMode));
}
