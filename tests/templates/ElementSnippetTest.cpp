// The snippet table: compact, block and single forms, and no selection in the tree.
#include "ElementSnippet.h"
#include "TemplateNode.h"

#include <gtest/gtest.h>

namespace {

struct NodeShape
{
    const char* name;
    const char* attributes;
    int single;
};

void Fill(TemplateNode& node, const NodeShape& shape)
{
    node.name = shape.name;
    node.endName = shape.name;
    node.attributes = shape.attributes;
    node.single = shape.single;
}

}  // namespace

TEST(ElementSnippet, ReproducesEveryWorkedExample)
{
    const struct
    {
        NodeShape node;
        const char* selected;
        bool block;
        const char* expected;
    } rows[] = {
        {{"p", "class=\"note\" ", 0}, "Hello", false, "<p class=\"note\" >Hello</p>"},
        {{"p", "class=\"note\" ", 0}, "Hello", true, "\n<p class=\"note\" >\nHello\n</p>\n"},
        {{"b", "", 0}, "Hello", false, "<b>Hello</b>"},
        {{"b", "", 0}, "Hello", true, "\n<b>\nHello\n</b>\n"},
        {{"b", "", 0}, "", false, "<b></b>"},
        {{"b", "", 0}, "", true, "\n<b>\n\n</b>\n"},
        {{"br", "", 1}, "Hello", false, "<br/>Hello"},
        {{"br", "", 1}, "Hello", true, "<br/>Hello"},
        {{"img", "src=\"a.png\" ", 1}, "Hello", false, "<img src=\"a.png\" />Hello"},
        {{"img", "src=\"a.png\" ", 1}, "Hello", true, "<img src=\"a.png\" />Hello"},
    };
    for (const auto& row : rows) {
        TemplateNode node;
        Fill(node, row.node);
        EXPECT_EQ(ComposeElementText(&node, row.selected, row.block), row.expected)
            << row.node.name << (row.block ? " block" : " compact");
    }
}

TEST(ElementSnippet, NothingSelectedGivesUnknownThenSelectedText)
{
    EXPECT_EQ(ComposeElementText(nullptr, "Hello", false), "<UNKNOWN>Hello");
    EXPECT_EQ(ComposeElementText(nullptr, "Hello", true), "<UNKNOWN>Hello");
    EXPECT_EQ(ComposeElementText(nullptr, "", true), "<UNKNOWN>");
}

TEST(ElementSnippet, EndTagUsesEndNameAndSelectionIsCopiedUnchanged)
{
    TemplateNode node;
    Fill(node, {"x:a", "", 0});
    node.endName = "x:b";
    EXPECT_EQ(ComposeElementText(&node, "a < b &\r\n  c", false), "<x:a>a < b &\r\n  c</x:b>");
}

TEST(ElementSnippet, ChildrenAreNeverPartOfTheSnippet)
{
    TemplateNode parent;
    Fill(parent, {"ul", "", 0});
    parent.childCount = 1;
    parent.children = new TemplateNode* [1] { new TemplateNode };
    Fill(*parent.children[0], {"li", "", 0});
    EXPECT_EQ(ComposeElementText(&parent, "", false), "<ul></ul>");
}

TEST(ElementSnippet, FormatElementJoinsTheEightPiecesInOrder)
{
    EXPECT_EQ(FormatElement("1", "n", "a=\"v\" ", "2", "S", "3", "e", "4"),
              "1<n a=\"v\" >2S3</e>4");
    EXPECT_EQ(FormatElement("", "n", "", "", "", "", "n", ""), "<n></n>");
}
