// The labels the tree pane shows for a template element's children.
#pragma once

#include <string>
#include <vector>

struct TemplateNode;

// One label per child of `parent`, in order: the element name, followed by its attributes when
// a sibling has the same name, so that `p` and `p class="note"` can be told apart.
std::vector<std::string> ChildLabels(const TemplateNode& parent);
