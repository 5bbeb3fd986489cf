// Tests a byte stream fed in pieces for well-formed UTF-8.
#pragma once

#include <cstddef>

// Tests a byte stream fed in pieces for well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF); a sequence may be cut anywhere between two pieces.
class CUtf8Validator
{
public:
    // Continues where the last Feed ended.
    void Feed(const char* data, std::size_t length);

    // True when everything fed so far is well-formed and no sequence is left unfinished.
    bool IsValid() const { return m_bValid && m_nPending == 0; }

private:
    std::size_t FinishPending(const unsigned char* p, std::size_t length);

    bool m_bValid = true;
    unsigned char m_pending[4] = {};  // the start of a sequence cut by the end of a piece
    int m_nPending = 0;
};
