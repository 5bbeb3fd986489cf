#include "Utf8Validator.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Length of the UTF-8 sequence led by `lead`, 0 when it cannot lead one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

bool IsValidSequence(const unsigned char* p, int nLength)
{
    static const unsigned kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static const unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned nCode = p[0] & kLeadMask[nLength];
    for (int i = 1; i < nLength; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return false;
        nCode = (nCode << 6) | (p[i] & 0x3F);
    }
    const bool bSurrogate = nCode >= 0xD800 && nCode <= 0xDFFF;
    return nCode >= kSmallest[nLength] && nCode <= 0x10FFFF && !bSurrogate;
}

// Skips ASCII eight bytes at a time: most markup is ASCII.
const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* pEnd)
{
    for (std::uint64_t nWord; pEnd - p >= 8; p += 8) {
        std::memcpy(&nWord, p, sizeof nWord);
        if (nWord & kHighBits)
            break;
    }
    while (p < pEnd && *p < 0x80)
        ++p;
    return p;
}

}  // namespace

std::size_t CUtf8Validator::FinishPending(const unsigned char* p, std::size_t length)
{
    const int nLength = SequenceLength(m_pending[0]);
    std::size_t nTaken = 0;
    while (m_nPending < nLength && nTaken < length)
        m_pending[m_nPending++] = p[nTaken++];
    if (m_nPending == nLength) {
        m_bValid = IsValidSequence(m_pending, nLength);
        m_nPending = 0;
    }
    return nTaken;
}

void CUtf8Validator::Feed(const char* data, std::size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    const auto* pEnd = p + length;
    if (m_bValid && m_nPending > 0)
        p += FinishPending(p, length);
    while (m_bValid && p < pEnd) {
        if (*p < 0x80) {
            p = SkipAscii(p, pEnd);
            continue;
        }
        const int nLength = SequenceLength(*p);
        if (nLength == 0) {
            m_bValid = false;
            return;
        }
        if (pEnd - p < nLength) {
            // Completed (and tested) by the next piece; still pending at the end means cut short.
            m_nPending = static_cast<int>(pEnd - p);
            std::memcpy(m_pending, p, static_cast<std::size_t>(m_nPending));
            return;
        }
        m_bValid = IsValidSequence(p, nLength);
        p += nLength;
    }
}
