#include "FoldScan.h"

#include <algorithm>
#include <climits>

namespace {

constexpr long long kChunk = 65536;

int LevelOf(int depth)
{
    return FoldLevel::kBase + std::clamp(depth, 0, FoldLevel::kDeepest);
}

bool StartsWith(const IStyledText& text, long long position, std::string_view prefix)
{
    char bytes[16];
    const std::size_t nRead = text.Read(position, bytes, prefix.size());
    return std::string_view(bytes, nRead) == prefix;
}

}  // namespace

CFoldScan::CFoldScan(const IStyledText& text, ILineLevels& lines, CFoldCheckpoints& checkpoints,
                     const CFoldCheckpoints::SCheckpoint& from, long long mustReach)
    : m_text(text), m_lines(lines), m_checkpoints(checkpoints), m_scanner(from.nPosition, this),
      m_open(from.open), m_nMustReach(mustReach), m_nLastChecked(from.nPosition),
      m_nLine(lines.LineOfPosition(from.nPosition)),
      m_nNextKept(checkpoints.NextAfter(from.nPosition))
{
    m_nNextLineStart = NextLineStart();
    if (!from.IsLineStart()) {
        m_nStartDepth = from.nLineStartDepth;
        m_nMinDepth = from.nLineMinDepth;
        return;
    }
    m_nStartDepth = m_nMinDepth = Depth();
    m_lines.SetLineState(m_nLine, StateFor(m_open));
}

long long CFoldScan::NextLineStart() const
{
    return m_nLine + 1 < m_lines.LineCount() ? m_lines.LineStart(m_nLine + 1) : LLONG_MAX;
}

int CFoldScan::StateFor(const COpenElements& open)
{
    return static_cast<int>((open.Hash() >> 33) | 1);
}

void CFoldScan::RaiseMustReach(long long position)
{
    m_nMustReach = std::max(m_nMustReach, position);
}

CFoldScan::EResult CFoldScan::Step(long long nBytes)
{
    // Edits past the end read may have moved the next line's start.
    m_nNextLineStart = NextLineStart();
    const long long nLength = m_text.Length();
    const long long nUntil = std::min(End() + nBytes, nLength);
    while (End() < nUntil && !m_bAgreed) {
        m_chunk.resize(static_cast<std::size_t>(std::min(kChunk, nUntil - End())));
        const std::size_t nRead = m_text.Read(End(), m_chunk.data(), m_chunk.size());
        if (nRead == 0)
            break;
        m_scanner.Feed(m_chunk.data(), nRead, *this);
        if (!m_bAgreed)
            EnterLinesTo(m_scanner.InTag() ? m_scanner.Position() : End(), false);
    }
    if (m_bAgreed) {
        m_checkpoints.DropBetween(m_nLastChecked, m_nAgreedAt);
        m_checkpoints.Agreed(m_nAgreedAt, m_open);
        return EResult::Agreed;
    }
    if (End() < nLength)
        return EResult::Running;
    // Lines starting in an unfinished last tag are in it: never a checkpoint.
    EnterLinesTo(LLONG_MAX - 1, m_scanner.InTag());
    FinishLine();
    m_checkpoints.DropBetween(m_nLastChecked, LLONG_MAX);
    return EResult::Done;
}

void CFoldScan::TagClosed(const SPassedTag& tag)
{
    if (m_bAgreed)
        return;
    EnterLinesTo(tag.nStart, false);
    if (m_bAgreed)
        return;
    const bool bSpansLines = m_nNextLineStart <= tag.nEnd - 1;
    if (m_pNames && (tag.eKind == TagKind::Start || tag.eKind == TagKind::Empty))
        m_pNames->Add(tag.name);
    switch (tag.eKind) {
    case TagKind::Start:
        m_open.Open(tag.name, tag.nStart);
        break;
    case TagKind::End:
        if (m_open.Close(tag.name))
            Lower();
        break;
    case TagKind::Other:
        if (bSpansLines
            && (StartsWith(m_text, tag.nStart, "<!--")
                || StartsWith(m_text, tag.nStart, "<![CDATA[")))
            m_nInComment = 1;
        break;
    case TagKind::Empty:
        break;
    }
    if (bSpansLines) {
        EnterLinesTo(tag.nEnd - 1, true);
        if (m_bAgreed)
            return;
        if (m_nInComment) {
            m_nInComment = 0;
            Lower();
        }
    }
    AfterTag(tag.nEnd);
}

void CFoldScan::AfterTag(long long position)
{
    if (m_nNextKept >= 0 && position >= m_nNextKept) {
        if (position >= m_nMustReach && AgreesWith(m_checkpoints.At(position))) {
            m_bAgreed = true;
            m_nAgreedAt = position;
            return;
        }
        m_nNextKept = m_checkpoints.NextAfter(position);
    }
    if (position - m_nLastChecked < CFoldCheckpoints::kSpacing)
        return;
    m_checkpoints.Record(m_nLastChecked, {position, m_open, m_nStartDepth, m_nMinDepth});
    m_nLastChecked = position;
}

bool CFoldScan::AgreesWith(const CFoldCheckpoints::SCheckpoint* pPoint) const
{
    return pPoint && !pPoint->IsLineStart() && pPoint->open.Hash() == m_open.Hash()
           && pPoint->open.Depth() == m_open.Depth() && pPoint->nLineStartDepth == m_nStartDepth
           && pPoint->nLineMinDepth == m_nMinDepth;
}

void CFoldScan::Lower()
{
    m_nMinDepth = std::min(m_nMinDepth, Depth());
}

void CFoldScan::EnterLinesTo(long long position, bool bInTag)
{
    while (m_nNextLineStart <= position && !m_bAgreed)
        EnterLine(bInTag);
}

void CFoldScan::EnterLine(bool bInTag)
{
    FinishLine();
    ++m_nLine;
    const long long nStart = m_nNextLineStart;
    m_nNextLineStart = NextLineStart();
    m_nStartDepth = m_nMinDepth = Depth();
    if (bInTag) {
        m_lines.SetLineState(m_nLine, 0);
        return;
    }
    const int nState = StateFor(m_open);
    if (nStart >= m_nMustReach && m_lines.LineState(m_nLine) == nState) {
        m_bAgreed = true;
        m_nAgreedAt = nStart;
        return;
    }
    m_lines.SetLineState(m_nLine, nState);
    m_checkpoints.Record(m_nLastChecked, {nStart, m_open});
    m_nLastChecked = nStart;
}

void CFoldScan::FinishLine()
{
    const int nDepth = Depth();
    const int nLevel =
        nDepth > m_nMinDepth ? LevelOf(m_nMinDepth) | FoldLevel::kHeader : LevelOf(m_nStartDepth);
    m_lines.SetFoldLevel(m_nLine, nLevel);
}
