#include "TextSearch.h"

#include "JobGuard.h"
#include "PasteFormats.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

// Searching a stretch at a time lets a text with few matches report too.
constexpr long kSearchStep = 1 << 20;

}  // namespace

QByteArray CTextSearch::EditorBytes(const QString& strText) const
{
    QByteArray bytes;
    CPasteFormats::ToDocumentBytes(strText, m_editor.isUtf8(), bytes);
    return bytes;
}

bool CTextSearch::FindFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strFind, m_editor.isUtf8(), bytes);
}

bool CTextSearch::ReplacementFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strReplace, m_editor.isUtf8(), bytes);
}

long CTextSearch::Send(unsigned int nMsg, unsigned long wParam, long lParam) const
{
    return m_editor.SendScintilla(nMsg, wParam, lParam);
}

long CTextSearch::SearchRange(long nFrom, long nTo)
{
    const QByteArray find = EditorBytes(m_search.strFind);
    const int nFlags = (m_search.bMatchCase ? Sci::SCFIND_MATCHCASE : 0)
                       | (m_search.bWholeWord ? Sci::SCFIND_WHOLEWORD : 0);
    Send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(nFlags));
    Send(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(nFrom));
    Send(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(nTo));
    return m_editor.SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(find.size()),
                                  find.constData());
}

CTextSearch::EFound CTextSearch::FindNext()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    const long nLength = Send(Sci::SCI_GETLENGTH);
    EFound eFound = EFound::Yes;
    long nFound = m_search.bDown ? SearchRange(nEnd, nLength) : SearchRange(nStart, 0);
    if (nFound < 0) {
        // The rest of the text, up to where this search began: a match there may overlap the
        // selection but is never the selection itself.
        eFound = EFound::AfterWrapping;
        nFound = m_search.bDown ? SearchRange(0, nEnd) : SearchRange(nLength, nStart);
        if (nFound >= 0 && nFound == nStart && Send(Sci::SCI_GETTARGETEND) == nEnd)
            nFound = -1;
    }
    if (nFound < 0)
        return EFound::No;
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nFound), Send(Sci::SCI_GETTARGETEND));
    return eFound;
}

bool CTextSearch::SelectionIsMatch()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    return nStart < nEnd && SearchRange(nStart, nEnd) == nStart
           && Send(Sci::SCI_GETTARGETEND) == nEnd;
}

void CTextSearch::ReplaceSelection()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    m_editor.replaceSelectedText(m_search.strReplace);
    const long nEnd = nStart + EditorBytes(m_search.strReplace).size();
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nStart), nEnd);
}

std::optional<int> CTextSearch::ReplaceAll(const JobProgress& progress,
                                           const std::function<void()>& onReplacing)
{
    if (CJobGuard::IsRunning())
        return std::nullopt;
    const CJobGuard guard;
    std::vector<SMatch> matches;
    if (!FindAll(matches, progress))
        return std::nullopt;
    if (matches.empty())
        return 0;
    if (onReplacing)
        onReplacing();
    ReplaceMatches(matches, progress);
    return static_cast<int>(matches.size());
}

bool CTextSearch::FindAll(std::vector<SMatch>& matches, const JobProgress& progress)
{
    const long nLength = Send(Sci::SCI_GETLENGTH);
    // A match beginning in a step may end beyond it: a case-blind match of a character may take
    // more bytes than the character searched for.
    const long nSlack = 4 * (EditorBytes(m_search.strFind).size() + 1);
    for (long nPos = 0; nPos < nLength;) {
        const long nStepEnd = std::min(nPos + kSearchStep, nLength);
        const long nFound = SearchRange(nPos, std::min(nStepEnd + nSlack, nLength));
        if (nFound >= 0 && nFound < nStepEnd) {
            // Go on after the match, so that matches never overlap.
            nPos = Send(Sci::SCI_GETTARGETEND);
            matches.push_back({nFound, nPos});
        } else {
            nPos = nStepEnd;
        }
        if (!CarryOn(progress, nPos, 2LL * nLength))
            return false;
    }
    return true;
}

void CTextSearch::ReplaceMatches(const std::vector<SMatch>& matches, const JobProgress& progress)
{
    const QByteArray replacement = EditorBytes(m_search.strReplace);
    const long long nLength = Send(Sci::SCI_GETLENGTH);
    long nShift = 0;  // what the replacements so far added to the length
    m_editor.beginUndoAction();
    for (const SMatch& match : matches) {
        Send(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(match.nStart + nShift));
        Send(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(match.nEnd + nShift));
        m_editor.SendScintilla(Sci::SCI_REPLACETARGET,
                               static_cast<unsigned long>(replacement.size()),
                               replacement.constData());
        nShift += replacement.size() - (match.nEnd - match.nStart);
        CarryOn(progress, nLength + match.nEnd, 2 * nLength);
    }
    m_editor.endUndoAction();
    const long nCaret = matches.back().nEnd + nShift;
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nCaret), nCaret);
    CarryOn(progress, 2 * nLength, 2 * nLength);
}
