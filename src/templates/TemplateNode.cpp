#include "TemplateNode.h"

#include "TemplateFrame.h"

#include <algorithm>
#include <vector>

namespace {

// Detaches the child array so that deleting the node does not reach its children.
void DetachChildren(TemplateNode* node, std::vector<TemplateNode*>& pending)
{
    pending.insert(pending.end(), node->children, node->children + node->childCount);
    delete[] node->children;
    node->children = nullptr;
    node->childCount = 0;
}

}  // namespace

TemplateNode::~TemplateNode()
{
    // A worklist instead of recursion: a chain a million levels deep must not exhaust the stack.
    std::vector<TemplateNode*> pending;
    DetachChildren(this, pending);
    while (!pending.empty()) {
        TemplateNode* node = pending.back();
        pending.pop_back();
        DetachChildren(node, pending);
        delete node;
    }
}

void TemplateNode::SetChildren(TemplateFrame& frame)
{
    if (frame.childCount > 0) {
        // Appends rather than replaces so that nothing already owned can be lost.
        const std::int32_t total = childCount + frame.childCount;
        TemplateNode** merged = new TemplateNode*[total];
        std::copy(children, children + childCount, merged);
        std::copy(frame.children.begin(), frame.children.begin() + frame.childCount,
                  merged + childCount);
        delete[] children;
        children = merged;
        childCount = total;
    }
    // The node owns them now; the frame must not free them again on failure.
    frame.childCount = 0;
}
