// Where each printed page of a text starts, found a few pages at a time so that a long text
// never holds up the window.
#pragma once

#include <functional>
#include <vector>

class CPageIndex
{
public:
    // Lays out one page from `start`; the offset of the first byte that did not fit.
    using Measure = std::function<long long(long long start)>;

    CPageIndex(long long nTextLength, Measure measure);

    // Lays out up to `nPages` more pages; false once the last page is known.
    bool Extend(int nPages);
    bool IsComplete() const { return m_bComplete; }
    // Pages known so far (all of them once complete); an empty text has none.
    int KnownPages() const { return static_cast<int>(m_starts.size()); }
    // Page `nPage` (from 0) starts at Start(nPage) and ends at Start(nPage + 1), or at the end
    // of the text for the last one.
    long long Start(int nPage) const { return m_starts[static_cast<std::size_t>(nPage)]; }
    long long End(int nPage) const;

private:
    long long m_nLength;
    Measure m_measure;
    std::vector<long long> m_starts;
    long long m_nNext = 0;  // where the next page starts
    bool m_bComplete = false;
};
