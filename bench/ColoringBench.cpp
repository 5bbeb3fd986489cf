// Colouring a whole 10 MB text as the editor does: 1024-byte pieces through the style buffer.
#include "MarkupScanner.h"
#include "StyleBuffer.h"

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

}  // namespace
