#include "TemplateLabels.h"

#include "TemplateNode.h"

#include <unordered_map>

std::vector<std::string> ChildLabels(const TemplateNode& parent)
{
    std::unordered_map<std::string, int> nameCounts;
    for (std::int32_t i = 0; i < parent.childCount; ++i)
        ++nameCounts[parent.children[i]->name];
    std::vector<std::string> labels;
    labels.reserve(static_cast<std::size_t>(parent.childCount));
    for (std::int32_t i = 0; i < parent.childCount; ++i) {
        const TemplateNode& child = *parent.children[i];
        std::string label = child.name;
        // The attribute text ends with a blank, which the label does without.
        const std::size_t nEnd = child.attributes.find_last_not_of(' ');
        if (nameCounts[child.name] > 1 && nEnd != std::string::npos)
            label.append(" ").append(child.attributes, 0, nEnd + 1);
        labels.push_back(std::move(label));
    }
    return labels;
}
