#include "LineLengthScan.h"

#include <cstring>

// CR LF counts as a line end followed by an empty line, which leaves the longest unchanged: so
// every CR and every LF simply ends a line.
void CLineLengthScan::Feed(const char* data, std::size_t nLength)
{
    const char* const pEnd = data + nLength;
    for (const char* p = data; p < pEnd;) {
        const void* pFound = std::memchr(p, '\n', static_cast<std::size_t>(pEnd - p));
        const char* pLf = pFound ? static_cast<const char*>(pFound) : pEnd;
        FeedRun(p, static_cast<std::size_t>(pLf - p));
        if (!pFound)
            break;
        EndLine();
        p = pLf + 1;
    }
}

void CLineLengthScan::FeedRun(const char* data, std::size_t nLength)
{
    const char* const pEnd = data + nLength;
    for (const char* p = data; p < pEnd;) {
        const void* pFound = std::memchr(p, '\r', static_cast<std::size_t>(pEnd - p));
        const char* pCr = pFound ? static_cast<const char*>(pFound) : pEnd;
        m_nCurrent += pCr - p;
        if (!pFound)
            break;
        EndLine();
        p = pCr + 1;
    }
}

void CLineLengthScan::EndLine()
{
    if (m_nCurrent > m_nLongest)
        m_nLongest = m_nCurrent;
    m_nCurrent = 0;
}
