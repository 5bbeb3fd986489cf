#include "TagMatcher.h"

#include <algorithm>

CTagMatcher::CTagMatcher(const IStyledText& text, const CFoldCheckpoints::SCheckpoint& from,
                         long long nLimit, Progress progress)
    : m_text(text), m_from(from), m_nLimit(nLimit), m_progress(std::move(progress))
{
}

// Runs `scan` in steps until the handler stops it: false when the text ended, the limit was
// reached or the progress asked to stop first.
bool CTagMatcher::Scan(CElementScan& scan, long long from, const CElementScan::TagHandler& handler)
{
    const long long nTotal = std::max(1LL, std::min(m_nLimit, m_text.Length() - from));
    while (!scan.AtTextEnd() && scan.End() - from < m_nLimit) {
        const long long nStep = std::min(kStepBytes, m_nLimit - (scan.End() - from));
        if (scan.Run(nStep, handler))
            return true;
        if (m_progress && !m_progress(std::min(scan.End() - from, nTotal), nTotal))
            return false;
    }
    return false;
}

CTagMatcher::SContext CTagMatcher::ContextAt(long long position)
{
    SContext context;
    CElementScan scan(m_text, m_from.nPosition, m_from.open);
    Scan(scan, m_from.nPosition, [&](const STagSpan& tag, const COpenElements& before) {
        if (tag.nStart > position)
            return false;
        context.tag = tag;
        context.before = before;
        context.bHolds = position < tag.nEnd;
        return !context.bHolds;
    });
    if (context.bHolds) {
        context.at = context.before;
        if (context.tag.eKind == TagKind::Start)
            context.at.Open(context.tag.name, context.tag.nStart);
        return context;
    }
    context.at = scan.Open();
    if (context.tag.IsValid() && context.tag.nEnd != position)
        context.tag = {};
    return context;
}

STagSpan CTagMatcher::TagStartingAt(long long position)
{
    STagSpan found;
    CElementScan scan(m_text, position, {});
    Scan(scan, position, [&](const STagSpan& tag, const COpenElements&) {
        found = tag;
        return false;
    });
    return found;
}

CTagMatcher::SElement CTagMatcher::FindEnd(const COpenElements& open, long long from)
{
    SElement element;
    const SOpenElement* pElement = open.Innermost();
    if (!pElement)
        return element;
    const int nDepth = pElement->nDepth;
    CElementScan scan(m_text, from, open);
    const bool bClosed = Scan(scan, from, [&](const STagSpan& tag, const COpenElements& before) {
        if (tag.eKind != TagKind::End)
            return true;
        COpenElements after = before;
        const bool bMatched = after.Close(tag.name);
        if (after.Depth() >= nDepth)
            return true;
        // Closed by its own end tag, or left unclosed by an outer element's.
        if (bMatched && after.Depth() == nDepth - 1 && tag.name == pElement->name) {
            element.eOutcome = EOutcome::Found;
            element.end = tag;
        }
        return false;
    });
    if (!bClosed)
        element.eOutcome = scan.AtTextEnd() ? EOutcome::NoPartner : EOutcome::Stopped;
    return element;
}

CTagMatcher::SMatch CTagMatcher::MatchAt(long long position)
{
    SMatch match;
    const SContext context = ContextAt(position);
    match.tag = context.tag;
    if (!context.tag.IsValid())
        return match;
    switch (context.tag.eKind) {
    case TagKind::Start: {
        COpenElements open = context.before;
        open.Open(context.tag.name, context.tag.nStart);
        const SElement element = FindEnd(open, context.tag.nEnd);
        match.eOutcome = element.eOutcome;
        match.partner = element.end;
        break;
    }
    case TagKind::End: {
        COpenElements open = context.before;
        match.eOutcome = EOutcome::NoPartner;
        if (open.CloseInside(context.tag.name)) {
            match.partner = TagStartingAt(open.Innermost()->nStart);
            match.eOutcome = EOutcome::Found;
        }
        break;
    }
    case TagKind::Empty:
        match.eOutcome = EOutcome::Found;
        match.partner = context.tag;
        break;
    case TagKind::Other:
        match.eOutcome = EOutcome::NotInTag;
        break;
    }
    return match;
}

std::vector<const SOpenElement*> CTagMatcher::PathAt(long long position, COpenElements& keep)
{
    const SContext context = ContextAt(position);
    keep = context.at;
    if (context.bHolds && context.tag.eKind == TagKind::Empty)
        keep.Open(context.tag.name, context.tag.nStart);
    std::vector<const SOpenElement*> path;
    for (const SOpenElement* p = keep.Innermost(); p; p = p->pParent.get())
        path.push_back(p);
    std::reverse(path.begin(), path.end());
    return path;
}

CTagMatcher::SElement CTagMatcher::ElementAround(long long start, long long end)
{
    const SContext context = ContextAt(start);
    COpenElements open = context.at;
    long long nFrom = start;
    if (context.bHolds) {
        nFrom = context.tag.nEnd;
        const bool bWholeTag = context.tag.nStart == start && context.tag.nEnd == end;
        if (context.tag.eKind == TagKind::Empty && !bWholeTag && end <= context.tag.nEnd)
            return {EOutcome::Found, context.tag, context.tag};
        if (context.tag.eKind == TagKind::End) {
            open = context.before;
            nFrom = context.tag.nStart;
            if (!open.CloseInside(context.tag.name))
                return {};
        }
    }
    // Each element's end is searched from where the last search ended, inside its parent.
    while (open.Innermost()) {
        SElement element = FindEnd(open, nFrom);
        if (element.eOutcome != EOutcome::Found)
            return element;
        element.start = TagStartingAt(open.Innermost()->nStart);
        const bool bHolds = element.start.nStart <= start && element.end.nEnd >= end;
        const bool bSame = element.start.nStart == start && element.end.nEnd == end;
        if (bHolds && !bSame)
            return element;
        nFrom = element.end.nEnd;
        open.CloseInnermost();
    }
    return {};
}

int CTagMatcher::SiblingIndex(const COpenElements& open)
{
    const SOpenElement* pElement = open.Innermost();
    if (!pElement)
        return 0;
    COpenElements parent = open;
    parent.CloseInnermost();
    const long long nFrom = parent.Innermost() ? TagStartingAt(parent.Innermost()->nStart).nEnd : 0;
    if (nFrom < 0 || pElement->nStart - nFrom > m_nLimit)
        return 0;
    int nBefore = 0;
    CElementScan scan(m_text, nFrom, parent);
    Scan(scan, nFrom, [&](const STagSpan& tag, const COpenElements& before) {
        if (tag.nStart >= pElement->nStart)
            return false;
        if ((tag.eKind == TagKind::Start || tag.eKind == TagKind::Empty)
            && before.Depth() == parent.Depth() && tag.name == pElement->name)
            ++nBefore;
        return true;
    });
    return nBefore + 1;
}
