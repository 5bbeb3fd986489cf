// The elements open at line starts outside any tag, kept every so many bytes, so that a
// structure pass after an edit starts close before it instead of at the text's start.
#pragma once

#include "OpenElements.h"

#include <vector>

class CFoldCheckpoints
{
public:
    static constexpr long long kSpacing = 32 * 1024;

    struct SCheckpoint
    {
        long long nPosition;  // a line start outside any tag
        COpenElements open;
    };

    void Clear() { m_points.clear(); }
    // The last checkpoint before `position`; the text's start when there is none.
    SCheckpoint Before(long long position) const;
    // Records `open` at `position`, dropping the checkpoints in (`after`, position], which a
    // pass from `after` has gone past and found stale. Kept only when far enough from the last.
    void Record(long long after, long long position, const COpenElements& open);
    // Drops the checkpoints in (`after`, `upTo`).
    void DropBetween(long long after, long long upTo);
    // `nRemoved` bytes at `position` give way to `nInserted`: checkpoints from the position on
    // through the removed bytes go, later ones move.
    void Edited(long long position, long long nRemoved, long long nInserted);
    std::size_t Count() const { return m_points.size(); }

private:
    std::vector<SCheckpoint>::iterator FirstAfter(long long position);

    std::vector<SCheckpoint> m_points;  // by position
};
