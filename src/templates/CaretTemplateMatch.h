// What the tree pane shows of the caret: the template item of the element at the caret, and
// which items the grammar allows as a child there.
#pragma once

#include "GrammarModel.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

struct TemplateNode;

// The element names of the path steps at the caret, without their places: "book[3]" -> "book".
std::vector<std::string> ElementNamesOfSteps(const std::vector<std::string>& steps);

// The node for the innermost element of `path` (outermost first): followed down from the top
// as far as the tree has it, else the shallowest node of that name; null when none.
const TemplateNode* NodeForElementPath(const TemplateNode& root,
                                       const std::vector<std::string>& path);

// The names the grammar allows as a child of the innermost element of `path` (as the document
// element when `path` is empty); no value when there is no grammar or it does not know the
// element, so that nothing is greyed.
std::optional<std::set<std::string>> AllowedAtCaret(const SGrammarModel* grammar,
                                                    const std::vector<std::string>& path);
