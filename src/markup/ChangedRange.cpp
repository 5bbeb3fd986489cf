#include "ChangedRange.h"

#include <algorithm>

void CChangedRange::Include(long long nFrom, long long nTo)
{
    m_nStart = m_nStart < 0 ? nFrom : std::min(m_nStart, nFrom);
    m_nEnd = std::max(m_nEnd, nTo);
}

void CChangedRange::Insert(long long nPosition, long long nLength)
{
    if (m_nStart >= nPosition)
        m_nStart += nLength;
    if (m_nEnd >= nPosition)
        m_nEnd += nLength;
    Include(nPosition, nPosition + nLength);
}

void CChangedRange::Delete(long long nPosition, long long nLength)
{
    const auto after = [&](long long nOffset) {
        return nOffset <= nPosition ? nOffset : std::max(nOffset - nLength, nPosition);
    };
    if (m_nStart >= 0) {
        m_nStart = after(m_nStart);
        m_nEnd = after(m_nEnd);
    }
    Include(nPosition, nPosition);
}
