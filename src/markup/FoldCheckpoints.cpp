#include "FoldCheckpoints.h"

#include <algorithm>
#include <climits>

namespace {

long long MovedStart(long long nStart, long long position, long long nRemoved, long long nInserted)
{
    if (nStart >= position + nRemoved)
        return nStart + nInserted - nRemoved;
    // A start tag the edit took away: the pass that agreed past it met one of the same name
    // from the edit on.
    return std::min(nStart, position);
}

// `open` with the elements that started before `position` taken from `agreed`, depth for depth.
COpenElements Rebased(const COpenElements& open, long long position, const COpenElements& agreed)
{
    std::vector<const SOpenElement*> inner;  // started from `position` on, innermost first
    const SOpenElement* pOuter = open.Innermost();
    for (; pOuter && pOuter->nStart >= position; pOuter = pOuter->pParent.get())
        inner.push_back(pOuter);
    if (!pOuter || agreed.Depth() < pOuter->nDepth)
        return open;
    COpenElements rebased = agreed;
    rebased.CloseDeeperThan(pOuter->nDepth);
    if (rebased.Innermost()->nStart == pOuter->nStart)
        return open;  // the same elements, but for a rare collision of names
    for (auto it = inner.rbegin(); it != inner.rend(); ++it)
        rebased.Open((*it)->name, (*it)->nStart);
    return rebased;
}

}  // namespace

void CFoldCheckpoints::Clear()
{
    m_points.clear();
    m_edits.clear();
    m_nFirstLogged = 0;
    m_nNextToCatchUp = 0;
}

std::vector<CFoldCheckpoints::SKept>::iterator CFoldCheckpoints::FirstAfter(long long position)
{
    return std::upper_bound(
        m_points.begin(), m_points.end(), position,
        [](long long value, const SKept& kept) { return value < kept.point.nPosition; });
}

std::vector<CFoldCheckpoints::SKept>::const_iterator
CFoldCheckpoints::FirstAtOrAfter(long long position) const
{
    return std::lower_bound(
        m_points.cbegin(), m_points.cend(), position,
        [](const SKept& kept, long long value) { return kept.point.nPosition < value; });
}

void CFoldCheckpoints::CatchUp(SKept& kept) const
{
    if (kept.nEdits == EditCount())
        return;
    const auto first = m_edits.begin() + static_cast<long long>(kept.nEdits - m_nFirstLogged);
    const auto isAgreement = [](const SEdit& edit) {
        return edit.nRemoved == 0 && edit.nInserted == 0;
    };
    // Where the checkpoint was at each change since, to tell whether an agreement came before.
    m_was.resize(static_cast<std::size_t>(m_edits.end() - first));
    long long position = kept.point.nPosition;
    for (std::size_t i = m_was.size(); i-- > 0;) {
        const SEdit& edit = first[static_cast<long long>(i)];
        if (position >= edit.nPosition + edit.nInserted)
            position += edit.nRemoved - edit.nInserted;
        m_was[i] = position;
    }
    COpenElements& open = kept.point.open;
    for (auto from = first; from != m_edits.end();) {
        if (isAgreement(*from)) {
            if (m_was[static_cast<std::size_t>(from - first)] >= from->nPosition)
                open = Rebased(open, from->nPosition, from->agreed);
            ++from;
            continue;
        }
        auto to = from;
        long long nFirstMoved = LLONG_MAX;
        for (; to != m_edits.end() && !isAgreement(*to); ++to)
            nFirstMoved = std::min(nFirstMoved, to->nPosition);
        open = open.Moved(nFirstMoved, [&](long long nStart) {
            for (auto it = from; it != to; ++it)
                nStart = MovedStart(nStart, it->nPosition, it->nRemoved, it->nInserted);
            return nStart;
        });
        from = to;
    }
    kept.nEdits = EditCount();
}

void CFoldCheckpoints::Log(SEdit edit)
{
    m_edits.push_back(std::move(edit));
    CatchUpInTurn();
}

void CFoldCheckpoints::CatchUpInTurn()
{
    for (std::size_t i = m_points.size() / kCycleEdits + 1; i > 0 && !m_points.empty(); --i) {
        if (m_nNextToCatchUp >= m_points.size()) {
            // A round done: the log keeps only what some checkpoint still has to go through.
            m_nNextToCatchUp = 0;
            std::uint64_t nOldest = EditCount();
            for (const SKept& kept : m_points)
                nOldest = std::min(nOldest, kept.nEdits);
            m_edits.erase(m_edits.begin(),
                          m_edits.begin() + static_cast<long long>(nOldest - m_nFirstLogged));
            m_nFirstLogged = nOldest;
        }
        CatchUp(m_points[m_nNextToCatchUp++]);
    }
}

CFoldCheckpoints::SCheckpoint CFoldCheckpoints::Before(long long position) const
{
    const auto it = FirstAtOrAfter(position);
    if (it == m_points.cbegin())
        return {0, {}};
    SKept& kept = m_points[static_cast<std::size_t>(it - m_points.cbegin() - 1)];
    CatchUp(kept);
    return kept.point;
}

const CFoldCheckpoints::SCheckpoint* CFoldCheckpoints::At(long long position) const
{
    const auto it = FirstAtOrAfter(position);
    return it != m_points.cend() && it->point.nPosition == position ? &it->point : nullptr;
}

long long CFoldCheckpoints::NextAfter(long long position) const
{
    const auto it = FirstAtOrAfter(position + 1);
    return it == m_points.cend() ? -1 : it->point.nPosition;
}

void CFoldCheckpoints::DropBetween(long long after, long long upTo)
{
    auto first = FirstAfter(after);
    auto last =
        std::lower_bound(first, m_points.end(), upTo, [](const SKept& kept, long long value) {
            return kept.point.nPosition < value;
        });
    m_points.erase(first, last);
}

void CFoldCheckpoints::Record(long long after, const SCheckpoint& point)
{
    DropBetween(after, point.nPosition + 1);
    auto it = FirstAfter(point.nPosition);
    const long long nPrevious = it == m_points.begin() ? 0 : (it - 1)->point.nPosition;
    if (point.nPosition - nPrevious >= kSpacing)
        m_points.insert(it, SKept{point, EditCount()});
}

void CFoldCheckpoints::Edited(long long position, long long nRemoved, long long nInserted)
{
    auto first = std::lower_bound(
        m_points.begin(), m_points.end(), position,
        [](const SKept& kept, long long value) { return kept.point.nPosition < value; });
    auto last = FirstAfter(position + nRemoved);
    first = m_points.erase(first, last);
    for (auto it = first; it != m_points.end(); ++it)
        it->point.nPosition += nInserted - nRemoved;
    if (first != m_points.end() && (nRemoved != 0 || nInserted != 0))
        Log({position, nRemoved, nInserted, {}});
}

void CFoldCheckpoints::Agreed(long long position, const COpenElements& open)
{
    const auto it = FirstAtOrAfter(position);
    if (it == m_points.cend())
        return;
    // A later checkpoint holds from before `position` no element the first of them does not:
    // when the first's are `open`'s, no checkpoint has anything to take from it.
    SKept& next = m_points[static_cast<std::size_t>(it - m_points.cbegin())];
    CatchUp(next);
    if (!(Rebased(next.point.open, position, open) == next.point.open))
        Log({position, 0, 0, open});
}
