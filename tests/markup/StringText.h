// A styled text held in two strings, bytes and styles, for driving the colouring engine without
// an editor. An insertion brings bytes of style 0, as in the editor.
#pragma once

#include "ColourPass.h"
#include "EditRecolorer.h"
#include "StyledText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

class CStringText : public IStyledText
{
public:
    CStringText() = default;
    explicit CStringText(std::string text)
        : m_text(std::move(text)), m_styles(m_text.size(), char(STYLE_UNCOLOURED))
    {
    }

    long long Length() const override { return static_cast<long long>(m_text.size()); }
    char ByteAt(long long position) const override { return m_text.at(position); }
    MarkupStyle StyleAt(long long position) const override
    {
        return static_cast<MarkupStyle>(m_styles.at(position));
    }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        return m_text.copy(buffer, count, static_cast<std::size_t>(position));
    }
    void SetStyles(long long start, const char* styles, std::size_t length) override
    {
        ASSERT_LE(start + static_cast<long long>(length), Length());
        m_styles.replace(static_cast<std::size_t>(start), length, styles, length);
        m_nStyled += length;
    }

    void Insert(std::size_t at, const std::string& bytes)
    {
        m_text.insert(at, bytes);
        m_styles.insert(at, bytes.size(), char(STYLE_UNCOLOURED));
    }
    void Erase(std::size_t at, std::size_t count)
    {
        m_text.erase(at, count);
        m_styles.erase(at, count);
    }

    // The styles the production whole pass leaves over the current text and styles.
    std::string WholePass() const
    {
        CStringText copy = *this;
        CColourPass::ColourAll(copy);
        return copy.m_styles;
    }

    std::string m_text;
    std::string m_styles;
    std::size_t m_nStyled = 0;
};

// Inserts `bytes` at `at`, or, when `bytes` is empty, erases up to `nErase` bytes there (at the
// last byte when `at` is the end), and colours the edit as typing would.
inline void EditAndRecolour(CStringText& text, std::size_t at, const std::string& bytes,
                            std::size_t nErase)
{
    if (!bytes.empty()) {
        text.Insert(at, bytes);
        CEditRecolorer(text).Recolor(static_cast<long long>(at),
                                     static_cast<long long>(at + bytes.size()));
        return;
    }
    const std::size_t from = std::min(at, text.m_text.size() - 1);
    text.Erase(from, std::min(nErase, text.m_text.size() - from));
    CEditRecolorer(text).Recolor(static_cast<long long>(from), static_cast<long long>(from));
}
