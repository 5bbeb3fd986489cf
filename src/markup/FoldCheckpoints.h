// The elements open at points outside any tag, kept every so many bytes, so that a structure
// pass after an edit starts close before it instead of at the text's start. The points are line
// starts, and, inside a long line, the ends of tags.
#pragma once

#include "OpenElements.h"

#include <cstdint>
#include <vector>

class CFoldCheckpoints
{
public:
    static constexpr long long kSpacing = 32 * 1024;

    struct SCheckpoint
    {
        long long nPosition;  // outside any tag
        COpenElements open;
        // Inside a line: the depth at the line's start and the lowest since, for its fold level.
        int nLineStartDepth = -1;  // -1 at a line start
        int nLineMinDepth = -1;

        bool IsLineStart() const { return nLineStartDepth < 0; }
    };

    void Clear();
    // The last checkpoint before `position`; the text's start when there is none.
    SCheckpoint Before(long long position) const;
    // The checkpoint at `position` exactly, if there is one.
    const SCheckpoint* At(long long position) const;
    // The position of the first checkpoint after `position`; -1 when there is none.
    long long NextAfter(long long position) const;
    // Records `point`, dropping the checkpoints in (`after`, its position], which a pass from
    // `after` has gone past and found stale. Kept only when far enough from the last.
    void Record(long long after, const SCheckpoint& point);
    // Drops the checkpoints in (`after`, `upTo`).
    void DropBetween(long long after, long long upTo);
    // `nRemoved` bytes at `position` give way to `nInserted`: checkpoints from the position on
    // through the removed bytes go, later ones move, and so do the starts of the elements they
    // hold open (when next asked for).
    void Edited(long long position, long long nRemoved, long long nInserted);
    // A pass after edits found `open` at `position` with the names the last pass had there: the
    // elements open at later checkpoints that started before it are the ones in `open`, which
    // may be others of the same names.
    void Agreed(long long position, const COpenElements& open);
    std::size_t Count() const { return m_points.size(); }

private:
    struct SEdit
    {
        long long nPosition, nRemoved, nInserted;
        COpenElements agreed;  // for an agreement: nothing removed or inserted
    };
    struct SKept
    {
        SCheckpoint point;
        std::uint64_t nEdits;  // the edits its element starts have been moved through
    };
    // Each change catches up this share of the checkpoints, in turn, so that every one has
    // caught up within about this many changes and the log stays short, without a pause to
    // catch them all up at once (70 ms at 300 MB).
    static constexpr std::size_t kCycleEdits = 64;

    std::vector<SKept>::iterator FirstAfter(long long position);
    std::vector<SKept>::const_iterator FirstAtOrAfter(long long position) const;
    std::uint64_t EditCount() const { return m_nFirstLogged + m_edits.size(); }
    void Log(SEdit edit);
    void CatchUpInTurn();
    void CatchUp(SKept& kept) const;

    mutable std::vector<SKept> m_points;   // by position
    mutable std::vector<long long> m_was;  // CatchUp's, kept to spare an allocation each time
    std::vector<SEdit> m_edits;            // the latest edits, oldest first
    std::uint64_t m_nFirstLogged = 0;      // the number of the first edit logged
    std::size_t m_nNextToCatchUp = 0;      // index into m_points
};
