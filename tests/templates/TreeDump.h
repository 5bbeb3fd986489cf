// A template tree written out on one line, so that a test can state a whole tree at once:
// name, (attribute text) when there is one, "/" when single, {children} when there are any.
#pragma once

#include "TemplateNode.h"

#include <string>

inline void DumpNode(const TemplateNode& node, std::string& out)
{
    out += node.name;
    if (!node.attributes.empty())
        out += "(" + node.attributes + ")";
    if (node.single)
        out += "/";
    if (node.childCount == 0)
        return;
    out += "{";
    for (std::int32_t i = 0; i < node.childCount; ++i) {
        if (i > 0)
            out += ",";
        DumpNode(*node.children[i], out);
    }
    out += "}";
}

// The top-level nodes of a root, separated by " | ".
inline std::string DumpTree(const TemplateNode& root)
{
    std::string out;
    for (std::int32_t i = 0; i < root.childCount; ++i) {
        if (i > 0)
            out += " | ";
        DumpNode(*root.children[i], out);
    }
    return out;
}
