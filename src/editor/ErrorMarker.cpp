#include "ErrorMarker.h"

#include <Qsci/qsciscintillabase.h>
#include <QColor>

namespace {

bool IsLineEnd(long nChar)
{
    return nChar == '\n' || nChar == '\r';
}

}  // namespace

CErrorMarker::CErrorMarker(QsciScintillaBase* pEditor, ITextBuffer& text)
    : m_pEditor(pEditor), m_text(text)
{
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, kIndicator,
                             static_cast<long>(QsciScintillaBase::INDIC_SQUIGGLE));
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, kIndicator, QColor(255, 0, 0));
    m_text.AddObserver(this);
}

CErrorMarker::~CErrorMarker()
{
    m_text.RemoveObserver(this);
}

void CErrorMarker::Mark(long long position)
{
    Clear();
    const long nLength = m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    if (nLength == 0)
        return;
    long nStart = static_cast<long>(position < 0 ? 0 : position);
    if (nStart >= nLength) {
        // Past the end (an unclosed element): the last visible character, not a line end.
        nStart = m_pEditor->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, nLength);
        while (nStart > 0
               && IsLineEnd(m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, nStart)))
            nStart = m_pEditor->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, nStart);
    }
    // A whole character, so a UTF-8 sequence is not cut in the middle.
    const long nEnd = m_pEditor->SendScintilla(QsciScintillaBase::SCI_POSITIONAFTER, nStart);
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE,
                             static_cast<unsigned long>(nStart), nEnd - nStart);
    m_nPosition = nStart;
}

void CErrorMarker::Clear()
{
    if (m_nPosition < 0)
        return;
    m_nPosition = -1;
    const long nLength = m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0UL, nLength);
}
