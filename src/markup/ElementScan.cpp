#include "ElementScan.h"

#include <algorithm>

CElementScan::CElementScan(const IStyledText& text, long long from, const COpenElements& open)
    : m_text(text), m_scanner(from, this), m_open(open)
{
}

bool CElementScan::Apply(const STagSpan& tag, COpenElements& open)
{
    if (tag.eKind == TagKind::Start)
        open.Open(tag.name, tag.nStart);
    else if (tag.eKind == TagKind::End)
        return open.Close(tag.name);
    return false;
}

bool CElementScan::Run(long long nBytes, const TagHandler& handler)
{
    constexpr long long kChunk = 16384;
    m_pHandler = &handler;
    m_bStopped = false;
    const long long nUntil = std::min(End() + nBytes, m_text.Length());
    while (!m_bStopped && End() < nUntil) {
        m_chunk.resize(static_cast<std::size_t>(std::min(kChunk, nUntil - End())));
        const std::size_t nRead = m_text.Read(End(), m_chunk.data(), m_chunk.size());
        if (nRead == 0)
            break;
        // The scanner is fed on after a stop within the chunk; its later tags are ignored.
        m_scanner.Feed(m_chunk.data(), nRead, *this);
    }
    m_pHandler = nullptr;
    return m_bStopped;
}

void CElementScan::TagClosed(const SPassedTag& passed)
{
    if (m_bStopped || !m_pHandler)
        return;
    const STagSpan tag{passed.nStart, passed.nEnd, passed.eKind, std::string(passed.name)};
    if (!(*m_pHandler)(tag, m_open)) {
        m_bStopped = true;
        return;
    }
    Apply(tag, m_open);
}
