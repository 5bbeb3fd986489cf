// What the template loader and the snippet composition need of the tree pane.
#pragma once

#include <string>

struct TemplateNode;

class ITemplateTree
{
public:
    using Item = void*;  // opaque item handle; nullptr stands for the top level

    virtual ~ITemplateTree() = default;

    // Appends an item with `text` (UTF-8) as the last child of `parent`.
    virtual Item InsertItem(const std::string& text, Item parent) = 0;
    virtual void SetItemData(Item item, TemplateNode* node) = 0;
    virtual void DeleteAllItems() = 0;
    // The node of the selected item, or null when nothing is selected.
    virtual TemplateNode* GetSelectedNode() const = 0;
    // Gives the keyboard focus to the pane.
    virtual void FocusPane() = 0;
};
