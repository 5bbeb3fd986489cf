// Turns a grammar's element rules into a template tree.
#pragma once

#include "GrammarModel.h"

struct TemplateNode;

// The root of a new tree (owned by the caller) whose children are the grammar's possible
// document elements. Each element's children are written out at its first, shallowest
// occurrence only; every later occurrence is a leaf. That cuts recursion and keeps a grammar
// such as XHTML's, where every path of distinct elements would give billions of items, to one
// expansion per element.
TemplateNode* BuildTemplateTree(const SGrammarModel& model);

// `name="" ` for each required attribute: the attribute text of a template node.
std::string EmptyAttributeText(const std::vector<std::string>& names);
