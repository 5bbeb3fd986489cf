// Loading a large generated template: 50,000 elements, some attributes, moderate nesting.
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateTree.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

// 1,000 sections of 49 items each, plus the sections and the document element.
std::string LargeTemplate()
{
    std::string text = "<?xml version=\"1.0\"?>\n<catalogue>\n";
    for (int section = 0; section < 1000; ++section) {
        text += "  <section id=\"s" + std::to_string(section) + "\">\n";
        for (int item = 0; item < 49; ++item) {
            text += "    <item n=\"" + std::to_string(item) + "\" kind=\"a &amp; b\"";
            text += item % 7 == 0 ? " tarn:single=\"yes\"/>\n" : "/>\n";
        }
        text += "  </section>\n";
    }
    return text + "</catalogue>\n";
}

class CCountingTree : public ITemplateTree
{
public:
    Item InsertItem(const std::string&, Item) override
    {
        return reinterpret_cast<Item>(++m_nItems);
    }
    void SetItemData(Item, TemplateNode*) override {}
    void DeleteAllItems() override { m_nItems = 0; }
    TemplateNode* GetSelectedNode() const override { return nullptr; }
    void FocusPane() override {}

private:
    std::size_t m_nItems = 0;
};

void BM_LoadTemplate(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.xml"));
    const std::string bytes = LargeTemplate();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) < 0) {
        state.SkipWithError("cannot write the template");
        return;
    }
    file.close();
    for (auto _ : state) {
        CCountingTree tree;
        CTemplateParser parser;
        std::unique_ptr<TemplateNode> root(parser.LoadFile(path, &tree));
        benchmark::DoNotOptimize(root.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    state.SetItemsProcessed(state.iterations() * 50001);
}
BENCHMARK(BM_LoadTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
