// Finds an element's tags: the tag at a position and the other tag of its element, and the
// element around a range, by the rules the fold levels follow, so malformed text matches as far
// as its tags balance.
#pragma once

#include "ElementScan.h"
#include "FoldCheckpoints.h"

#include <functional>
#include <vector>

class CTagMatcher
{
public:
    // Told (done, total) between steps of a long search; false stops it.
    using Progress = std::function<bool(long long, long long)>;
    static constexpr long long kStepBytes = 1 << 20;

    enum class EOutcome
    {
        Found,
        NoPartner,  // the tag's element has no other tag, or no element holds the range
        NotInTag,   // no start or end tag at the position
        Stopped     // the limit was reached or the progress asked to stop
    };

    struct SMatch
    {
        EOutcome eOutcome = EOutcome::NotInTag;
        STagSpan tag;      // at the position
        STagSpan partner;  // the other tag of its element; the tag itself for an empty element
    };

    struct SElement
    {
        EOutcome eOutcome = EOutcome::NoPartner;
        STagSpan start;
        STagSpan end;
    };

    // The elements open at the tag or position asked about.
    struct SContext
    {
        STagSpan tag;          // the tag holding the position, or ending just before it
        bool bHolds = false;   // the tag holds the position
        COpenElements before;  // open before that tag
        COpenElements at;      // open at the position, a start tag holding it included
    };

    // `from`: a checkpoint before every position asked about. Reads at most `nLimit` bytes per
    // question.
    CTagMatcher(const IStyledText& text, const CFoldCheckpoints::SCheckpoint& from,
                long long nLimit, Progress progress = {});

    SContext ContextAt(long long position);
    SMatch MatchAt(long long position);
    // The smallest element whose start and end tags hold [start, end) and is not the range
    // itself: with an element selected, its parent.
    SElement ElementAround(long long start, long long end);
    // The open elements at `position`, outermost first: the element of a start, end or
    // empty-element tag at the position is among them.
    std::vector<const SOpenElement*> PathAt(long long position, COpenElements& keep);

    // The place of the innermost element of `open` among its parent's children of its name,
    // from 1; 0 when counting them would read more than the limit.
    int SiblingIndex(const COpenElements& open);

    // The end tag of the innermost element of `open`, searching from `from`, which lies inside it
    // at the place where exactly `open` is open.
    SElement FindEnd(const COpenElements& open, long long from);
    STagSpan TagStartingAt(long long position);

private:
    bool Scan(CElementScan& scan, long long from, const CElementScan::TagHandler& handler);

    const IStyledText& m_text;
    CFoldCheckpoints::SCheckpoint m_from;
    long long m_nLimit;
    Progress m_progress;
};
