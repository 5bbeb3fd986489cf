// Colouring a whole 10 MB text: the scanner alone in 1024-byte pieces through the style buffer,
// and the engine's whole pass and a re-colouring after a keystroke over a text in memory.
#include "ColourPass.h"
#include "EditRecolorer.h"
#include "MarkupScanner.h"
#include "StyleBuffer.h"
#include "StyledText.h"

#include "CatalogText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

void BM_ColourTenMegabytes(benchmark::State& state)
{
    const std::string text = GenerateCatalogText(10u << 20);
    std::size_t nStyled = 0;
    for (auto _ : state) {
        CStyleBuffer buffer(64 * 1024, [&](long long, const char* styles, std::size_t length) {
            benchmark::DoNotOptimize(styles);
            nStyled += length;
        });
        CMarkupScanner scanner(0);
        for (std::size_t i = 0; i < text.size(); i += 1024)
            scanner.Feed(text.data() + i, std::min<std::size_t>(1024, text.size() - i), buffer);
        buffer.FlushPending();
    }
    benchmark::DoNotOptimize(nStyled);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ColourTenMegabytes)->Unit(benchmark::kMillisecond);

// Bytes and styles in memory, so the engine's own cost shows.
class CMemoryText : public IStyledText
{
public:
    explicit CMemoryText(std::string text) : m_text(std::move(text)), m_styles(m_text.size(), 0) {}
    long long Length() const override { return static_cast<long long>(m_text.size()); }
    char ByteAt(long long position) const override
    {
        return m_text[static_cast<std::size_t>(position)];
    }
    MarkupStyle StyleAt(long long position) const override
    {
        return static_cast<MarkupStyle>(m_styles[static_cast<std::size_t>(position)]);
    }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        return m_text.copy(buffer, count, static_cast<std::size_t>(position));
    }
    void SetStyles(long long start, const char* styles, std::size_t length) override
    {
        m_styles.replace(static_cast<std::size_t>(start), length, styles, length);
    }
    std::string m_text;
    std::string m_styles;
};

void BM_ColourPassTenMegabytes(benchmark::State& state)
{
    CMemoryText text(GenerateCatalogText(10u << 20));
    for (auto _ : state)
        CColourPass::ColourAll(text);
    benchmark::DoNotOptimize(text.m_styles.data());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.Length());
}
BENCHMARK(BM_ColourPassTenMegabytes)->Unit(benchmark::kMillisecond);

void BM_RecolourAKeystrokeInTenMegabytes(benchmark::State& state)
{
    CMemoryText text(GenerateCatalogText(10u << 20));
    CColourPass::ColourAll(text);
    const long long nAt = text.Length() / 2;
    for (auto _ : state) {
        text.m_text[static_cast<std::size_t>(nAt)] ^= 1;  // an edit of one byte in place
        CEditRecolorer(text).Recolor(nAt, nAt + 1);
    }
    benchmark::DoNotOptimize(text.m_styles.data());
}
BENCHMARK(BM_RecolourAKeystrokeInTenMegabytes)->Unit(benchmark::kMicrosecond);

}  // namespace
