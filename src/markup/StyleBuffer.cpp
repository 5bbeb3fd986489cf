#include "StyleBuffer.h"

#include <algorithm>

CStyleBuffer::CStyleBuffer(std::size_t capacity, Flush flush)
    : m_nCapacity(std::max<std::size_t>(capacity, 1)), m_flush(std::move(flush))
{
    m_styles.reserve(m_nCapacity);
}

void CStyleBuffer::StyleRun(long long start, long long length, MarkupStyle style)
{
    if (length <= 0)
        return;
    if (!m_styles.empty() && start != m_nStart + static_cast<long long>(m_styles.size()))
        FlushPending();
    if (m_styles.empty())
        m_nStart = start;
    while (length > 0) {
        const std::size_t nRoom = m_nCapacity - m_styles.size();
        const std::size_t nTake =
            static_cast<std::size_t>(std::min<long long>(length, static_cast<long long>(nRoom)));
        m_styles.insert(m_styles.end(), nTake, static_cast<char>(style));
        length -= static_cast<long long>(nTake);
        if (m_styles.size() == m_nCapacity)
            FlushPending();
    }
}

void CStyleBuffer::FlushPending()
{
    if (m_styles.empty())
        return;
    m_flush(m_nStart, m_styles.data(), m_styles.size());
    m_nStart += static_cast<long long>(m_styles.size());
    m_styles.clear();
}
