#include "TemplateFrame.h"

#include "TemplateNode.h"

void TemplateFrame::Reset(TemplateNode* openNode)
{
    childCount = 0;
    node = openNode;
}

void TemplateFrame::AddChild(TemplateNode* child, int level)
{
    if (static_cast<std::size_t>(childCount) < children.size())
        children[childCount] = child;
    else
        children.push_back(child);
    ++childCount;
    if (level == 0 && node)
        node->SetChildren(*this);
}

void TemplateFrame::DestroyChildren()
{
    for (std::int32_t i = 0; i < childCount; ++i)
        delete children[i];
    childCount = 0;
}
