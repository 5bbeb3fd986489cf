#include "PageIndex.h"

CPageIndex::CPageIndex(long long nTextLength, Measure measure)
    : m_nLength(nTextLength), m_measure(std::move(measure)), m_bComplete(nTextLength <= 0)
{
}

bool CPageIndex::Extend(int nPages)
{
    for (int i = 0; i < nPages && !m_bComplete; ++i) {
        const long long nEnd = m_measure(m_nNext);
        m_starts.push_back(m_nNext);
        // A page that takes nothing (a line taller than the page) would repeat for ever: such a
        // page ends the layout, as the printer's own loop would never get past it either.
        m_bComplete = nEnd >= m_nLength || nEnd <= m_nNext;
        m_nNext = nEnd;
    }
    return !m_bComplete;
}

long long CPageIndex::End(int nPage) const
{
    const std::size_t nNext = static_cast<std::size_t>(nPage) + 1;
    return nNext < m_starts.size() ? m_starts[nNext] : m_nLength;
}
