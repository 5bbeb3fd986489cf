#include "FoldCheckpoints.h"

#include <algorithm>

std::vector<CFoldCheckpoints::SCheckpoint>::iterator
CFoldCheckpoints::FirstAfter(long long position)
{
    return std::upper_bound(
        m_points.begin(), m_points.end(), position,
        [](long long value, const SCheckpoint& point) { return value < point.nPosition; });
}

CFoldCheckpoints::SCheckpoint CFoldCheckpoints::Before(long long position) const
{
    auto it = std::lower_bound(
        m_points.begin(), m_points.end(), position,
        [](const SCheckpoint& point, long long value) { return point.nPosition < value; });
    if (it == m_points.begin())
        return {0, {}};
    return *(it - 1);
}

void CFoldCheckpoints::DropBetween(long long after, long long upTo)
{
    auto first = FirstAfter(after);
    auto last = std::lower_bound(
        first, m_points.end(), upTo,
        [](const SCheckpoint& point, long long value) { return point.nPosition < value; });
    m_points.erase(first, last);
}

void CFoldCheckpoints::Record(long long after, long long position, const COpenElements& open)
{
    DropBetween(after, position + 1);
    auto it = FirstAfter(position);
    const long long nPrevious = it == m_points.begin() ? 0 : (it - 1)->nPosition;
    if (position - nPrevious >= kSpacing)
        m_points.insert(it, SCheckpoint{position, open});
}

void CFoldCheckpoints::Edited(long long position, long long nRemoved, long long nInserted)
{
    auto first = std::lower_bound(
        m_points.begin(), m_points.end(), position,
        [](const SCheckpoint& point, long long value) { return point.nPosition < value; });
    auto last = FirstAfter(position + nRemoved);
    first = m_points.erase(first, last);
    for (auto it = first; it != m_points.end(); ++it)
        it->nPosition += nInserted - nRemoved;
}
