#include "CaretTemplateMatch.h"

#include "TemplateNode.h"

#include <deque>

namespace {

const TemplateNode* ChildNamed(const TemplateNode& node, const std::string& name)
{
    for (std::int32_t i = 0; i < node.childCount; ++i) {
        if (node.children[i]->name == name)
            return node.children[i];
    }
    return nullptr;
}

const TemplateNode* ShallowestNamed(const TemplateNode& root, const std::string& name)
{
    std::deque<const TemplateNode*> pending{&root};
    while (!pending.empty()) {
        const TemplateNode* node = pending.front();
        pending.pop_front();
        if (node != &root && node->name == name)
            return node;
        pending.insert(pending.end(), node->children, node->children + node->childCount);
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> ElementNamesOfSteps(const std::vector<std::string>& steps)
{
    std::vector<std::string> names;
    names.reserve(steps.size());
    for (const std::string& step : steps)
        names.push_back(step.substr(0, step.find('[')));
    return names;
}

const TemplateNode* NodeForElementPath(const TemplateNode& root,
                                       const std::vector<std::string>& path)
{
    if (path.empty())
        return nullptr;
    const TemplateNode* node = &root;
    for (const std::string& name : path) {
        node = ChildNamed(*node, name);
        if (!node)
            return ShallowestNamed(root, path.back());
    }
    return node;
}

std::optional<std::set<std::string>> AllowedAtCaret(const SGrammarModel* grammar,
                                                    const std::vector<std::string>& path)
{
    if (!grammar)
        return std::nullopt;
    if (path.empty())
        return std::set<std::string>(grammar->roots.begin(), grammar->roots.end());
    const SElementRule* rule = grammar->Find(path.back());
    if (!rule)
        return std::nullopt;
    return std::set<std::string>(rule->children.begin(), rule->children.end());
}
