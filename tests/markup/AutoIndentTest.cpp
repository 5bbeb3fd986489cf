// The indentation of a new line and the unit a text indents by.
#include "AutoIndent.h"

#include <gtest/gtest.h>

TEST(AutoIndentTest, ANewLineKeepsTheIndentationOneUnitDeeperAfterAStartTag)
{
    const struct
    {
        const char* line;
        const char* indent;
    } cases[] = {
        {"", ""},
        {"    text", "    "},
        {"\t<a>", "\t  "},
        {"  <a x=\"1\">  ", "    "},
        {"  <a/>", "  "},
        {"  </a>", "  "},
        {"  <a>x</a>", "  "},
        {"  <!-- c -->", "  "},
        {"  <?pi x?>", "  "},
        {"  <a>text", "  "},
        {"  x=\"1\">", "  "},  // the end of a start tag begun on an earlier line
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoIndent::ForNewLine(c.line, "  "), c.indent) << c.line;
}

TEST(AutoIndentTest, TheUnitIsWhatTheTextUsesTwoSpacesByDefault)
{
    EXPECT_EQ(AutoIndent::UnitOf("<a>\n<b/>\n</a>"), "  ");
    EXPECT_EQ(AutoIndent::UnitOf("<a>\n    <b>\n        <c/>\n    </b>\n</a>"), "    ");
    EXPECT_EQ(AutoIndent::UnitOf("<a>\r\n   <b/>\r\n</a>"), "   ");
    EXPECT_EQ(AutoIndent::UnitOf("<a>\n  <b>\n\t<c/>\n</a>"), "\t");
    EXPECT_EQ(AutoIndent::UnitOf("<a>\n    \n</a>"), "  ") << "a blank line says nothing";
}
