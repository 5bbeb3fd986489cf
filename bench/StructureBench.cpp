// Structure over a 100 MB text in memory: fold levels after an open, the levels after a
// keystroke, and the element path at the caret near the end.
#include "FoldLevels.h"
#include "TagMatcher.h"
#include "XmlFormatter.h"

#include "CatalogText.h"
#include "MemoryText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Bytes, line starts and per-line values in memory, so the engine's own cost shows.
class CMemoryLines : public CMemoryText, public ILineLevels
{
public:
    explicit CMemoryLines(std::string text) : CMemoryText(std::move(text))
    {
        m_starts.push_back(0);
        for (std::size_t i = 0; i < m_text.size(); ++i)
            if (m_text[i] == '\n')
                m_starts.push_back(static_cast<long long>(i + 1));
        m_levels.assign(m_starts.size(), 0);
        m_states.assign(m_starts.size(), 0);
    }
    long long LineCount() const override { return static_cast<long long>(m_starts.size()); }
    long long LineStart(long long line) const override
    {
        return m_starts[static_cast<std::size_t>(line)];
    }
    long long LineOfPosition(long long position) const override
    {
        return std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin() - 1;
    }
    int FoldLevel(long long line) const override
    {
        return m_levels[static_cast<std::size_t>(line)];
    }
    void SetFoldLevel(long long line, int level) override
    {
        m_levels[static_cast<std::size_t>(line)] = level;
    }
    int LineState(long long line) const override
    {
        return m_states[static_cast<std::size_t>(line)];
    }
    void SetLineState(long long line, int state) override
    {
        m_states[static_cast<std::size_t>(line)] = state;
    }

    std::vector<long long> m_starts;
    std::vector<int> m_levels;
    std::vector<int> m_states;
};

constexpr std::size_t kSize = 100u << 20;

void BM_FoldLevelsOfOneHundredMegabytes(benchmark::State& state)
{
    CMemoryLines text(GenerateCatalogText(kSize));
    for (auto _ : state) {
        CFoldLevels levels(text, text);
        levels.Start();
        levels.Finish();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.Length());
}
BENCHMARK(BM_FoldLevelsOfOneHundredMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

// A byte changed in place in the middle, within a title's text: the levels agree again at once.
void BM_FoldLevelsAfterAKeystroke(benchmark::State& state)
{
    CMemoryLines text(GenerateCatalogText(kSize));
    CFoldLevels levels(text, text);
    levels.Start();
    levels.Finish();
    const long long nAt =
        static_cast<long long>(text.Bytes().find("number", text.Bytes().size() / 2));
    for (auto _ : state) {
        text.Bytes()[static_cast<std::size_t>(nAt)] ^= 1;
        levels.Edited(nAt, 1, 1);
        levels.Finish();
    }
}
BENCHMARK(BM_FoldLevelsAfterAKeystroke)->Unit(benchmark::kMicrosecond);

void BM_ElementPathNearTheEnd(benchmark::State& state)
{
    CMemoryLines text(GenerateCatalogText(kSize));
    CFoldLevels levels(text, text);
    levels.Start();
    levels.Finish();
    const long long nAt = static_cast<long long>(text.Bytes().rfind("number"));
    for (auto _ : state) {
        CTagMatcher matcher(text, levels.CheckpointBefore(nAt), 1 << 20);
        COpenElements open;
        benchmark::DoNotOptimize(matcher.PathAt(nAt, open));
        benchmark::DoNotOptimize(matcher.SiblingIndex(open));
    }
}
BENCHMARK(BM_ElementPathNearTheEnd)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Beside `xmllint --format` on the same 100 MB catalogue.
void BM_FormatOneHundredMegabytes(benchmark::State& state)
{
    const std::string text = GenerateCatalogText(kSize);
    for (auto _ : state)
        benchmark::DoNotOptimize(XmlFormatter::Format(text, "  ", "\n"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations())
                            * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FormatOneHundredMegabytes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
