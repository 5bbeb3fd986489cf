#include "IssueMarks.h"

#include <Qsci/qsciscintillabase.h>
#include <QColor>

CIssueMarks::CIssueMarks(QsciScintillaBase* pEditor) : m_pEditor(pEditor)
{
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, kIndicator,
                             static_cast<long>(QsciScintillaBase::INDIC_SQUIGGLE));
    m_pEditor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, kIndicator, QColor(230, 120, 0));
}

long CIssueMarks::Send(unsigned int nMessage, unsigned long wParam, long lParam) const
{
    return m_pEditor->SendScintilla(nMessage, wParam, lParam);
}

void CIssueMarks::Clear()
{
    Send(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    Send(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0, Send(QsciScintillaBase::SCI_GETLENGTH));
}

long CIssueMarks::PositionOf(long nLine, long nColumn) const
{
    const long nLineIndex = qBound(0L, nLine - 1, Send(QsciScintillaBase::SCI_GETLINECOUNT) - 1);
    const long nStart = Send(QsciScintillaBase::SCI_POSITIONFROMLINE, nLineIndex);
    const long nEnd = Send(QsciScintillaBase::SCI_GETLINEENDPOSITION, nLineIndex);
    if (nColumn <= 0) {
        long nPosition = nStart;
        while (nPosition < nEnd
               && (Send(QsciScintillaBase::SCI_GETCHARAT, nPosition) == ' '
                   || Send(QsciScintillaBase::SCI_GETCHARAT, nPosition) == '\t'))
            ++nPosition;
        return nPosition;
    }
    const long nPosition = Send(QsciScintillaBase::SCI_POSITIONRELATIVE, nStart, nColumn - 1);
    return nPosition == 0 && nStart > 0 ? nEnd : qMin(nPosition, nEnd);
}

void CIssueMarks::Mark(const QVector<SValidationIssue>& issues)
{
    Clear();
    Send(QsciScintillaBase::SCI_SETINDICATORCURRENT, kIndicator);
    for (const SValidationIssue& issue : issues) {
        if (issue.nLine <= 0)
            continue;
        const long nLineIndex = issue.nLine - 1;
        const long nStart = PositionOf(issue.nLine, issue.nColumn);
        const long nLineEnd = Send(QsciScintillaBase::SCI_GETLINEENDPOSITION, nLineIndex);
        // A column points at one character; a whole-line error underlines the rest of the line.
        const long nEnd =
            issue.nColumn > 0 ? Send(QsciScintillaBase::SCI_POSITIONAFTER, nStart) : nLineEnd;
        if (nEnd > nStart)
            Send(QsciScintillaBase::SCI_INDICATORFILLRANGE, nStart, nEnd - nStart);
    }
}
