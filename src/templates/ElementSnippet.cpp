#include "ElementSnippet.h"

#include "TemplateNode.h"

namespace {

const char kUnknown[] = "<UNKNOWN>";
const char kLineFeed[] = "\n";

// "<name" plus, when there are any, a blank and the attribute text (which ends in a blank).
std::string OpenTag(const std::string& name, const std::string& attributes)
{
    std::string text = "<" + name;
    if (!attributes.empty())
        text.append(" ").append(attributes);
    return text;
}

}  // namespace

std::string FormatElement(const std::string& lead, const std::string& name,
                          const std::string& attributes, const std::string& afterStartTag,
                          const std::string& selectedText, const std::string& beforeEndTag,
                          const std::string& endName, const std::string& trail)
{
    std::string text = lead;
    text.append(OpenTag(name, attributes)).append(">").append(afterStartTag);
    text.append(selectedText).append(beforeEndTag);
    text.append("</").append(endName).append(">").append(trail);
    return text;
}

std::string ComposeElementText(const TemplateNode* node, const std::string& selectedText,
                               bool block)
{
    if (!node)
        return kUnknown + selectedText;
    if (node->single)
        return OpenTag(node->name, node->attributes) + "/>" + selectedText;
    const std::string separator = block ? kLineFeed : "";
    return FormatElement(separator, node->name, node->attributes, separator, selectedText,
                         separator, node->endName, separator);
}
