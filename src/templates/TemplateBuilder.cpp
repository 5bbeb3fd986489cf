#include "TemplateBuilder.h"

#include "TemplateNode.h"

#include <deque>
#include <set>

namespace {

TemplateNode* NewNode(const SGrammarModel& model, const std::string& name, TemplateNode* parent)
{
    auto* node = new TemplateNode;
    node->name = name;
    node->endName = name;
    node->parent = parent;
    if (const SElementRule* rule = model.Find(name)) {
        node->attributes = EmptyAttributeText(rule->requiredAttributes);
        node->single = rule->bEmpty ? 1 : 0;
    }
    return node;
}

void AttachChildren(TemplateNode* node, const std::vector<TemplateNode*>& children)
{
    if (children.empty())
        return;
    node->childCount = static_cast<std::int32_t>(children.size());
    node->children = new TemplateNode*[children.size()];
    std::copy(children.begin(), children.end(), node->children);
}

}  // namespace

std::string EmptyAttributeText(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text.append(name).append("=\"\" ");
    return text;
}

TemplateNode* BuildTemplateTree(const SGrammarModel& model)
{
    auto* root = new TemplateNode;
    std::vector<TemplateNode*> tops;
    for (const std::string& name : model.roots)
        tops.push_back(NewNode(model, name, root));
    AttachChildren(root, tops);

    // Breadth first, so that the expansion an element gets is its shallowest occurrence.
    std::set<std::string> expanded;
    std::deque<TemplateNode*> pending(tops.begin(), tops.end());
    while (!pending.empty()) {
        TemplateNode* node = pending.front();
        pending.pop_front();
        const SElementRule* rule = model.Find(node->name);
        if (!rule || !expanded.insert(node->name).second)
            continue;
        std::vector<TemplateNode*> children;
        for (const std::string& child : rule->children)
            children.push_back(NewNode(model, child, node));
        AttachChildren(node, children);
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return root;
}
