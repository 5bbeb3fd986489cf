// A styled text that remembers the styles a pass replaces, so that a cancelled pass can put
// every one of them back. Only stretches whose styles change are kept, run-length encoded:
// re-colouring an already coloured text keeps next to nothing.
#pragma once

#include "StyledText.h"

#include <cstdint>
#include <vector>

class CStyleRollback : public IStyledText
{
public:
    explicit CStyleRollback(IStyledText& text) : m_text(text) {}

    long long Length() const override { return m_text.Length(); }
    char ByteAt(long long position) const override { return m_text.ByteAt(position); }
    MarkupStyle StyleAt(long long position) const override { return m_text.StyleAt(position); }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        return m_text.Read(position, buffer, count);
    }
    void ReadStyles(long long position, char* styles, std::size_t count) const override
    {
        m_text.ReadStyles(position, styles, count);
    }
    // Sets only styles that differ, remembering those they replace.
    void SetStyles(long long start, const char* styles, std::size_t length) override;

    // Sets every remembered style again, the latest first.
    void Restore();

private:
    struct SStretch
    {
        long long nStart;
        std::vector<std::uint32_t> runLengths;
        std::vector<char> runStyles;
    };

    IStyledText& m_text;
    std::vector<SStretch> m_stretches;
    std::vector<char> m_old;
};
