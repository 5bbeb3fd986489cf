// The text that replaces the editor's selection when an element is inserted.
#pragma once

#include <string>

struct TemplateNode;

// Joins the pieces of a non-single element; the attribute text gets a leading blank only
// when it is not empty.
std::string FormatElement(const std::string& lead, const std::string& name,
                          const std::string& attributes, const std::string& afterStartTag,
                          const std::string& selectedText, const std::string& beforeEndTag,
                          const std::string& endName, const std::string& trail);

// The snippet for `node` (null: nothing selected in the tree) around `selectedText`,
// in the compact (block false) or block form.
std::string ComposeElementText(const TemplateNode* node, const std::string& selectedText,
                               bool block);
