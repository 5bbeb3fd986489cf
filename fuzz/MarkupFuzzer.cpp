// The colouring scanner, its style buffer and the UTF-8 validator over any text: fed whole and
// cut into pieces, they must give the same styles and the same verdict; the engine's slices and
// its re-colouring after an edit must end as its whole pass. The first byte seeds the cuts and
// the edit, the second sets the style buffer's capacity, the rest is the text.
#include "ColourPass.h"
#include "EditRecolorer.h"
#include "FuzzAssert.h"
#include "MarkupScanner.h"
#include "SlicedPass.h"
#include "StyleBuffer.h"
#include "Utf8Validator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr long long kOrigin = 7;  // the text does not start at offset 0

// Passes runs on and checks the sink's promises.
class CCheckingSink : public IStyleSink
{
public:
    CCheckingSink(IStyleSink& next, long long end) : m_next(next), m_nEnd(end) {}

    void StyleRun(long long start, long long length, MarkupStyle style) override
    {
        FUZZ_ASSERT(length > 0 && start >= m_nLastEnd && start + length <= m_nEnd);
        FUZZ_ASSERT(style >= STYLE_TEXT && style <= STYLE_QUOTED);
        m_nLastEnd = start + length;
        m_next.StyleRun(start, length, style);
    }

private:
    IStyleSink& m_next;
    long long m_nEnd;
    long long m_nLastEnd = kOrigin;
};

struct SPass
{
    std::vector<char> styles;
    long long nPosition = 0;
    bool bUtf8 = false;
};

// Feeds `text` in pseudo-random pieces of 0 to 16 bytes drawn from `seed`, or whole when
// `seed` is 0.
SPass Colour(const std::vector<char>& text, unsigned seed, std::size_t capacity)
{
    SPass pass;
    pass.styles.assign(text.size(), STYLE_UNCOLOURED);
    const auto nEnd = kOrigin + static_cast<long long>(text.size());
    long long nFlushedTo = kOrigin;
    CStyleBuffer buffer(capacity, [&](long long start, const char* styles, std::size_t length) {
        FUZZ_ASSERT(length > 0 && length <= std::max<std::size_t>(capacity, 1));
        FUZZ_ASSERT(start >= nFlushedTo && start + static_cast<long long>(length) <= nEnd);
        for (std::size_t i = 0; i < length; ++i)
            pass.styles[static_cast<std::size_t>(start - kOrigin) + i] = styles[i];
        nFlushedTo = start + static_cast<long long>(length);
    });
    CCheckingSink sink(buffer, nEnd);
    CMarkupScanner scanner(kOrigin);
    CUtf8Validator validator;
    unsigned state = seed;
    std::size_t nFrom = 0;
    do {
        state = state * 1103515245u + 12345u;
        std::size_t nPiece = seed == 0 ? text.size() : (state >> 16) % 17;
        nPiece = std::min(nPiece, text.size() - nFrom);
        scanner.Feed(text.data() + nFrom, nPiece, sink);
        validator.Feed(text.data() + nFrom, nPiece);
        nFrom += nPiece;
    } while (nFrom < text.size());
    buffer.FlushPending();
    FUZZ_ASSERT(scanner.End() == nEnd);
    pass.nPosition = scanner.Position();
    pass.bUtf8 = validator.IsValid();
    return pass;
}

class CFuzzText : public IStyledText
{
public:
    explicit CFuzzText(const std::vector<char>& text) : m_text(text), m_styles(text.size(), 0) {}
    long long Length() const override { return static_cast<long long>(m_text.size()); }
    char ByteAt(long long position) const override
    {
        return m_text.at(static_cast<std::size_t>(position));
    }
    MarkupStyle StyleAt(long long position) const override
    {
        return static_cast<MarkupStyle>(m_styles.at(static_cast<std::size_t>(position)));
    }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        const auto nFrom = static_cast<std::size_t>(position);
        const std::size_t nCount = std::min(count, m_text.size() - nFrom);
        std::copy_n(m_text.begin() + static_cast<std::ptrdiff_t>(nFrom), nCount, buffer);
        return nCount;
    }
    void SetStyles(long long start, const char* styles, std::size_t length) override
    {
        FUZZ_ASSERT(start >= 0 && static_cast<std::size_t>(start) + length <= m_styles.size());
        std::copy_n(styles, length, m_styles.begin() + start);
    }
    std::vector<char> m_text;
    std::vector<char> m_styles;
};

// Sliced, and re-coloured after deleting a stretch of the text, as the whole pass.
void CheckEngine(const std::vector<char>& text, unsigned seed)
{
    CFuzzText whole(text);
    CColourPass::ColourAll(whole);
    CFuzzText sliced(text);
    CSlicedPass pass(sliced, 1 + seed % 7);
    pass.Start();
    while (!pass.Slice()) {
    }
    FUZZ_ASSERT(sliced.m_styles == whole.m_styles);
    if (text.empty())
        return;
    const std::size_t nAt = seed % text.size();
    const std::size_t nCount = std::min<std::size_t>(1 + seed % 5, text.size() - nAt);
    whole.m_text.erase(whole.m_text.begin() + nAt, whole.m_text.begin() + nAt + nCount);
    whole.m_styles.erase(whole.m_styles.begin() + nAt, whole.m_styles.begin() + nAt + nCount);
    CEditRecolorer(whole).Recolor(nAt, nAt);
    CFuzzText expected = whole;
    CColourPass::ColourAll(expected);
    FUZZ_ASSERT(whole.m_styles == expected.m_styles);
}

// Well-formed UTF-8 by the table of well-formed byte sequences, a byte at a time.
bool IsUtf8(const std::vector<char>& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t nLength = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            nLength = 2;
        else if (c == 0xE0)
            nLength = 3, lo = 0xA0;
        else if (c == 0xED)
            nLength = 3, hi = 0x9F;
        else if (c >= 0xE1 && c <= 0xEF)
            nLength = 3;
        else if (c == 0xF0)
            nLength = 4, lo = 0x90;
        else if (c >= 0xF1 && c <= 0xF3)
            nLength = 4;
        else if (c == 0xF4)
            nLength = 4, hi = 0x8F;
        else
            return false;
        if (text.size() - i < nLength)
            return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < lo || second > hi)
            return false;
        for (std::size_t k = 2; k < nLength; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += nLength;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned nSeed = 1u + data[0];
    const std::size_t nCapacity = data[1] % 64;  // 0 is taken as 1
    const std::vector<char> text(data + 2, data + size);
    const SPass whole = Colour(text, 0, 65536);
    const SPass cut = Colour(text, nSeed, nCapacity);
    FUZZ_ASSERT(cut.styles == whole.styles);
    FUZZ_ASSERT(cut.nPosition == whole.nPosition);
    for (auto i = static_cast<std::size_t>(whole.nPosition - kOrigin); i < text.size(); ++i)
        FUZZ_ASSERT(whole.styles[i] == STYLE_UNCOLOURED);
    FUZZ_ASSERT(cut.bUtf8 == whole.bUtf8);
    FUZZ_ASSERT(whole.bUtf8 == IsUtf8(text));
    CheckEngine(text, nSeed);
    return 0;
}
