// Template trees from sources: the elements of a 100 MB document in one pass, and the DocBook
// 4.5 DTD (when installed) read and turned into a tree.
#include "DocumentTemplate.h"
#include "TemplateNode.h"
#include "TemplateSource.h"

#include "CatalogText.h"
#include "MemoryText.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <string>

namespace {

void BM_TemplateFromDocument100MB(benchmark::State& state)
{
    const CMemoryText text(GenerateCatalogText(100u << 20));
    for (auto _ : state) {
        SDocumentElements scan = ScanDocumentElements(text, JobProgress());
        benchmark::DoNotOptimize(scan.model.elements.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.Length());
}
BENCHMARK(BM_TemplateFromDocument100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TemplateFromDocBookDtd(benchmark::State& state)
{
    const QString path = QStringLiteral("/usr/share/xml/docbook/schema/dtd/4.5/docbookx.dtd");
    if (!QFile::exists(path)) {
        state.SkipWithError("docbook-xml is not installed");
        return;
    }
    for (auto _ : state) {
        const STemplateLoad load = LoadTemplateSource(path, nullptr);
        benchmark::DoNotOptimize(load.root.get());
    }
}
BENCHMARK(BM_TemplateFromDocBookDtd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
