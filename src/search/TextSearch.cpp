#include "TextSearch.h"

#include "DocumentCodec.h"
#include "JobGuard.h"
#include "PasteFormats.h"
#include "RegexReplacement.h"

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
    CPasteFormats::ToDocumentBytes(strText, m_editor.isUtf8(), DocumentCodec(m_editor), bytes);
    return bytes;
}

bool CTextSearch::FindFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strFind, m_editor.isUtf8(),
                                          DocumentCodec(m_editor), bytes);
}

bool CTextSearch::ReplacementFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strReplace, m_editor.isUtf8(),
                                          DocumentCodec(m_editor), bytes);
}

long CTextSearch::Send(unsigned int nMsg, unsigned long wParam, long lParam) const
{
    return m_editor.SendScintilla(nMsg, wParam, lParam);
}

long CTextSearch::SearchRange(long nFrom, long nTo)
{
    const QByteArray find = EditorBytes(m_search.strFind);
    int nFlags = m_search.bMatchCase ? Sci::SCFIND_MATCHCASE : 0;
    if (m_search.bRegex)
        nFlags |= Sci::SCFIND_REGEXP | Sci::SCFIND_CXX11REGEX;
    else if (m_search.bWholeWord)
        nFlags |= Sci::SCFIND_WHOLEWORD;
    Send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(nFlags));
    Send(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(nFrom));
    Send(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(nTo));
    const long nFound = m_editor.SendScintilla(
        Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(find.size()), find.constData());
    return std::max(nFound, -1L);
}

long CTextSearch::SearchPastEmpty(long nAt, long nTo)
{
    const bool bForward = nTo >= nAt;
    if (nAt == nTo)
        return -1;
    const long nNext = Send(bForward ? Sci::SCI_POSITIONAFTER : Sci::SCI_POSITIONBEFORE,
                            static_cast<unsigned long>(nAt));
    return SearchRange(nNext, nTo);
}

QByteArray CTextSearch::Replacement() const
{
    const QByteArray replacement = EditorBytes(m_search.strReplace);
    if (!m_search.bRegex || !replacement.contains('\\'))
        return replacement;
    std::vector<QByteArray> groups(CRegexReplacement::kGroupCount);
    for (int i = 0; i < CRegexReplacement::kGroupCount; ++i) {
        groups[i].resize(Send(Sci::SCI_GETTAG, static_cast<unsigned long>(i)));
        // The control writes a terminating NUL after the text.
        QByteArray buffer(groups[i].size() + 1, '\0');
        m_editor.SendScintilla(Sci::SCI_GETTAG, static_cast<unsigned long>(i),
                               static_cast<void*>(buffer.data()));
        groups[i] = buffer.left(groups[i].size());
    }
    return CRegexReplacement::Expand(replacement, groups);
}

CTextSearch::EFound CTextSearch::FindNext()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    const long nLength = Send(Sci::SCI_GETLENGTH);
    EFound eFound = EFound::Yes;
    long nFound = m_search.bDown ? SearchRange(nEnd, nLength) : SearchRange(nStart, 0);
    // An empty match where the caret is would be found again for ever.
    if (nFound >= 0 && nStart == nEnd && nFound == nStart && Send(Sci::SCI_GETTARGETEND) == nEnd)
        nFound = m_search.bDown ? SearchPastEmpty(nEnd, nLength) : SearchPastEmpty(nStart, 0);
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
    // Up to the end, so that what a regular expression looks ahead at counts.
    const long nLength = Send(Sci::SCI_GETLENGTH);
    return nStart < nEnd && SearchRange(nStart, nLength) == nStart
           && Send(Sci::SCI_GETTARGETEND) == nEnd;
}

void CTextSearch::ReplaceSelection()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const QByteArray replacement = Replacement();
    Send(Sci::SCI_TARGETFROMSELECTION);
    m_editor.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()),
                           replacement.constData());
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nStart), nStart + replacement.size());
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
    // more bytes than the character searched for. A regular expression's match may be any
    // length, so it searches on to the end at once: a step at a time, the text beyond the step
    // would be scanned again for every step.
    const bool bToEnd = m_search.bRegex;
    const long nSlack = bToEnd ? 0 : 4 * (EditorBytes(m_search.strFind).size() + 1);
    for (long nPos = 0; nPos < nLength;) {
        const long nStepEnd = bToEnd ? nLength : std::min(nPos + kSearchStep, nLength);
        const long nFound = SearchRange(nPos, std::min(nStepEnd + nSlack, nLength));
        if (nFound >= 0 && nFound < nStepEnd) {
            // Go on after the match, so that matches never overlap; after an empty one, one
            // character on.
            const long nEnd = Send(Sci::SCI_GETTARGETEND);
            matches.push_back({nFound, nEnd, m_search.bRegex ? Replacement() : QByteArray()});
            nPos = nEnd > nFound ? nEnd
                                 : Send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(nEnd));
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
    const QByteArray fixed = EditorBytes(m_search.strReplace);
    const long long nLength = Send(Sci::SCI_GETLENGTH);
    const long nAnchor = Shifted(Send(Sci::SCI_GETANCHOR), matches, fixed.size());
    const long nCaret = Shifted(Send(Sci::SCI_GETCURRENTPOS), matches, fixed.size());
    long nShift = 0;  // what the replacements so far added to the length
    m_editor.beginUndoAction();
    for (const SMatch& match : matches) {
        const QByteArray& replacement = m_search.bRegex ? match.replacement : fixed;
        Send(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(match.nStart + nShift));
        Send(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(match.nEnd + nShift));
        m_editor.SendScintilla(Sci::SCI_REPLACETARGET,
                               static_cast<unsigned long>(replacement.size()),
                               replacement.constData());
        nShift += replacement.size() - (match.nEnd - match.nStart);
        CarryOn(progress, nLength + match.nEnd, 2 * nLength);
    }
    m_editor.endUndoAction();
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nAnchor), nCaret);
    CarryOn(progress, 2 * nLength, 2 * nLength);
}

long CTextSearch::Shifted(long nPos, const std::vector<SMatch>& matches, long nFixedSize) const
{
    long nShifted = nPos;
    for (const SMatch& match : matches) {
        if (match.nStart >= nPos)
            break;
        const long nSize = m_search.bRegex ? match.replacement.size() : nFixedSize;
        // A place inside a match goes to the end of its replacement.
        nShifted +=
            nPos < match.nEnd ? match.nStart + nSize - nPos : nSize - (match.nEnd - match.nStart);
    }
    return nShifted;
}
