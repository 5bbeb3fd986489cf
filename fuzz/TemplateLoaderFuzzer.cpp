// The template loader over any file, then every snippet of every loaded element.
#include "ElementSnippet.h"
#include "FuzzAssert.h"
#include "FuzzFile.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateTree.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Counts the items the loader inserts; each must carry its node.
class CCountingTree : public ITemplateTree
{
public:
    Item InsertItem(const std::string&, Item) override
    {
        return reinterpret_cast<Item>(++m_nItems);
    }
    void SetItemData(Item item, TemplateNode* node) override
    {
        FUZZ_ASSERT(reinterpret_cast<std::size_t>(item) == m_nItems && node);
    }
    void DeleteAllItems() override { m_nItems = 0; }
    TemplateNode* GetSelectedNode() const override { return nullptr; }
    void FocusPane() override {}

    std::size_t m_nItems = 0;
};

void CheckSnippets(const TemplateNode& node)
{
    const std::string selected = "sel";
    for (const bool block : {false, true}) {
        const std::string text = ComposeElementText(&node, selected, block);
        FUZZ_ASSERT(text.rfind(node.single ? "<" + node.name : (block ? "\n<" : "<") + node.name, 0)
                    == 0);
        FUZZ_ASSERT(text.find(selected) != std::string::npos);
    }
}

// Walks the tree without recursion (the nesting may be deep); returns how many nodes it has.
std::size_t CheckTree(const TemplateNode& root)
{
    std::size_t nNodes = 0;
    std::vector<const TemplateNode*> pending{&root};
    while (!pending.empty()) {
        const TemplateNode* node = pending.back();
        pending.pop_back();
        ++nNodes;
        FUZZ_ASSERT(node->name == node->endName);
        FUZZ_ASSERT(node->childCount >= 0
                    && (node->childCount == 0) == (node->children == nullptr));
        CheckSnippets(*node);
        for (std::int32_t i = 0; i < node->childCount; ++i) {
            FUZZ_ASSERT(node->children[i]->parent == node);
            pending.push_back(node->children[i]);
        }
    }
    return nNodes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CFuzzFile file;
    file.Write(data, size);
    CTemplateParser parser;
    CCountingTree tree;
    TemplateNode* root = parser.LoadFile(file.Path(), &tree);
    if (!root) {
        FUZZ_ASSERT(!parser.ErrorMessage().isEmpty() && tree.m_nItems == 0);
        return 0;
    }
    FUZZ_ASSERT(parser.ErrorMessage().isEmpty() && root->childCount == 1);
    FUZZ_ASSERT(CheckTree(*root->children[0]) == tree.m_nItems);
    delete root;
    return 0;
}
