// A small grammar of nested lists, for the tests of the tree following the caret.
#pragma once

#include "GrammarModel.h"

inline SGrammarModel ListGrammar()
{
    SGrammarModel model;
    model.roots = {"doc"};
    model.Rule("doc").children = {"title", "list"};
    model.Rule("list").children = {"item"};
    model.Rule("item").children = {"list", "p"};
    model.Rule("title");
    model.Rule("p");
    return model;
}
