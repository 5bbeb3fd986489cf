// The well-formedness check over a 10 MB text read in 10240-byte chunks.
#include "WellFormedCheck.h"

#include "CatalogText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

void BM_CheckTenMegabytes(benchmark::State& state)
{
    const std::string text = GenerateCatalogText(10u << 20);
    for (auto _ : state) {
        const CheckOutcome outcome =
            RunWellFormedCheck([&](char* buffer, long long offset, int count) {
                const long long nLeft = static_cast<long long>(text.size()) - offset;
                const int nCopied =
                    static_cast<int>(std::max(0LL, std::min<long long>(count, nLeft)));
                std::memcpy(buffer, text.data() + offset, static_cast<std::size_t>(nCopied));
                return nCopied;
            });
        if (!outcome.wellFormed)
            state.SkipWithError("the generated text is not well-formed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CheckTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
