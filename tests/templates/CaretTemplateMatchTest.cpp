// Which template item stands for the element at the caret, and what the grammar allows there.
#include "CaretTemplateMatch.h"
#include "ListGrammar.h"
#include "TemplateBuilder.h"
#include "TemplateNode.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

std::string PathOf(const TemplateNode* node)
{
    std::string path;
    for (; node && node->parent; node = node->parent)
        path = "/" + node->name + path;
    return path;
}

TEST(CaretTemplateMatchTest, FindsTheItemOfTheElementAtTheCaret)
{
    const std::unique_ptr<TemplateNode> root(BuildTemplateTree(ListGrammar()));
    using Path = std::vector<std::string>;
    const std::pair<Path, std::string> cases[] = {
        {{"doc", "list", "item"}, "/doc/list/item"},
        {{"doc", "list", "item", "list", "item"}, "/doc/list/item"},  // past the cut
        {{"other", "p"}, "/doc/list/item/p"},
        {{"x"}, ""},
        {{}, ""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(PathOf(NodeForElementPath(*root, path)), expected) << expected;
}

TEST(CaretTemplateMatchTest, AllowsWhatTheGrammarAllowsAtTheCaret)
{
    const SGrammarModel grammar = ListGrammar();
    using Names = std::set<std::string>;
    EXPECT_FALSE(AllowedAtCaret(nullptr, {"doc"}));
    EXPECT_FALSE(AllowedAtCaret(&grammar, {"doc", "unknown"}));
    EXPECT_EQ(AllowedAtCaret(&grammar, {}), Names({"doc"}));
    EXPECT_EQ(AllowedAtCaret(&grammar, {"doc"}), Names({"title", "list"}));
    EXPECT_EQ(AllowedAtCaret(&grammar, {"doc", "title"}), Names());
}

TEST(CaretTemplateMatchTest, DropsThePlacesOfPathSteps)
{
    EXPECT_EQ(ElementNamesOfSteps({"catalog", "book[3]", "b[?]"}),
              std::vector<std::string>({"catalog", "book", "b"}));
}

}  // namespace
