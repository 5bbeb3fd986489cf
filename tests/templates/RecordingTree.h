// Test double for the tree pane: records every inserted item in insertion order.
#pragma once

#include "TemplateTree.h"

#include <string>
#include <vector>

class CRecordingTree : public ITemplateTree
{
public:
    struct Entry
    {
        std::string text;
        Item parent;
        TemplateNode* node = nullptr;
    };

    Item InsertItem(const std::string& text, Item parent) override
    {
        m_entries.push_back({text, parent, nullptr});
        return ItemOf(m_entries.size() - 1);
    }
    void SetItemData(Item item, TemplateNode* node) override
    {
        m_entries.at(IndexOf(item)).node = node;
    }
    void DeleteAllItems() override { m_entries.clear(); }
    TemplateNode* GetSelectedNode() const override { return nullptr; }
    void FocusPane() override {}

    const std::vector<Entry>& Entries() const { return m_entries; }

    // Items are 1-based indices so that the top level (null) is never a real item.
    static Item ItemOf(std::size_t index) { return reinterpret_cast<Item>(index + 1); }
    static std::size_t IndexOf(Item item) { return reinterpret_cast<std::size_t>(item) - 1; }

private:
    std::vector<Entry> m_entries;
};
