// A text held in a string for the in-memory benchmarks: its bytes only, no styles, so that the
// engine's own cost shows.
#pragma once

#include "StyledText.h"

#include <string>

class CMemoryText : public IStyledText
{
public:
    explicit CMemoryText(std::string text) : m_text(std::move(text)) {}
    long long Length() const override { return static_cast<long long>(m_text.size()); }
    char ByteAt(long long position) const override
    {
        return m_text[static_cast<std::size_t>(position)];
    }
    MarkupStyle StyleAt(long long) const override { return STYLE_UNCOLOURED; }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        return m_text.copy(buffer, count, static_cast<std::size_t>(position));
    }
    void SetStyles(long long, const char*, std::size_t) override {}
    // Changed in place by a benchmark's "keystroke".
    std::string& Bytes() { return m_text; }

protected:
    std::string m_text;
};
