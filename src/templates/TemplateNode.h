// One element of a loaded template file: what the tree pane shows and snippets are made of.
#pragma once

#include <cstdint>
#include <string>

struct TemplateFrame;

struct TemplateNode
{
    TemplateNode() = default;
    ~TemplateNode();  // frees the whole subtree, without recursion
    TemplateNode(const TemplateNode&) = delete;
    TemplateNode& operator=(const TemplateNode&) = delete;

    // Takes the frame's children, in order, as this node's own (after any it already has)
    // and empties the frame.
    void SetChildren(TemplateFrame& frame);

    std::string name;        // UTF-8 bytes as the parser delivered them; empty for the root
    std::string endName;     // name reported at the element's end
    std::string attributes;  // `name="value" ` per attribute, directives left out
    TemplateNode* parent = nullptr;
    std::int32_t childCount = 0;
    TemplateNode** children = nullptr;  // exactly childCount entries, null when none
    std::int32_t single = 0;            // 1: written as an empty-element tag
};
