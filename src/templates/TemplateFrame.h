// One level of the loader's element stack: the open element and its finished children.
#pragma once

#include <cstdint>
#include <vector>

struct TemplateNode;

struct TemplateFrame
{
    // Starts the level over for a newly opened element; the slots keep their capacity.
    void Reset(TemplateNode* openNode);

    // Appends a finished child. At level 0 the frame's node is the root, which takes the
    // document element at once.
    void AddChild(TemplateNode* child, int level);

    // Frees the children collected here that no node has taken yet.
    void DestroyChildren();

    std::int32_t childCount = 0;          // valid entries at the front of `children`
    std::vector<TemplateNode*> children;  // grows as needed: no limit on children
    TemplateNode* node = nullptr;
};
