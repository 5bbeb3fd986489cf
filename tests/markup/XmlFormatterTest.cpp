// Formatting: one element per line, whitespace between markup only, every other byte kept.
#include "XmlFormatter.h"

#include <gtest/gtest.h>

namespace {

std::string WithoutWhitespace(const std::string& text)
{
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            out += c;
    return out;
}

TEST(XmlFormatterTest, ReindentsElementContentAndKeepsEveryOtherByte)
{
    const struct
    {
        const char* what;
        const char* text;
        const char* formatted;
    } cases[] = {
        {"nested", "<a><b>x</b><c/></a>", "<a>\n  <b>x</b>\n  <c/>\n</a>"},
        {"reindented", "<a>\n      <b/>\n<c/>  </a>\n", "<a>\n  <b/>\n  <c/>\n</a>\n"},
        {"mixed content", "<p>Hello <b>world</b>  !</p>", "<p>Hello <b>world</b>  !</p>"},
        {"preserved subtree", "<a><pre xml:space=\"preserve\">\n <b/>\n</pre><c/></a>",
         "<a>\n  <pre xml:space=\"preserve\">\n <b/>\n</pre>\n  <c/>\n</a>"},
        {"prolog, comment, PI and CDATA",
         "<?xml version=\"1.0\"?>\n<!-- a > b --><r><?pi x?><![CDATA[ <x> ]]></r>\n",
         "<?xml version=\"1.0\"?>\n<!-- a > b -->\n<r><?pi x?><![CDATA[ <x> ]]></r>\n"},
        {"comment and PI as children", "<r><!-- c --><?pi x?><a/></r>",
         "<r>\n  <!-- c -->\n  <?pi x?>\n  <a/>\n</r>"},
        {"attribute holding >", "<r><a x=\"1>2\" y='<'/></r>", "<r>\n  <a x=\"1>2\" y='<'/>\n</r>"},
        {"empty element", "<r>\n <a>   </a></r>", "<r>\n  <a></a>\n</r>"},
        {"doctype with subset", "<!DOCTYPE r [<!ELEMENT r ANY>]><r/>",
         "<!DOCTYPE r [<!ELEMENT r ANY>]>\n<r/>"},
    };
    for (const auto& c : cases) {
        const std::string once = XmlFormatter::Format(c.text, "  ", "\n");
        EXPECT_EQ(once, c.formatted) << c.what;
        EXPECT_EQ(XmlFormatter::Format(once, "  ", "\n"), once) << c.what << ": idempotent";
        EXPECT_EQ(WithoutWhitespace(once), WithoutWhitespace(c.text)) << c.what;
    }
}

TEST(XmlFormatterTest, UsesTheGivenUnitAndLineEnd)
{
    EXPECT_EQ(XmlFormatter::Format("<a><b><c/></b></a>\r\n", "\t", "\r\n"),
              "<a>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n</a>\r\n");
}

}  // namespace
