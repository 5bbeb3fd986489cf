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

std::string Laid(std::string_view text, const XmlFormatter::SJob& job)
{
    std::string out;
    EXPECT_EQ(XmlFormatter::Run(text, job, out), XmlFormatter::EOutcome::Done);
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
        const std::string joined = Laid(c.text, {XmlFormatter::EMode::Join});
        EXPECT_EQ(WithoutWhitespace(joined), WithoutWhitespace(c.text)) << c.what;
        EXPECT_EQ(XmlFormatter::Format(joined, "  ", "\n"), once) << c.what << ": joined";
    }
}

TEST(XmlFormatterTest, JoinRemovesOnlyTheWhitespaceFormattingWouldChange)
{
    EXPECT_EQ(Laid("<a>\n  <b>x</b>\n  <c/>\n</a>\n", {XmlFormatter::EMode::Join}),
              "<a><b>x</b><c/></a>\n");
    EXPECT_EQ(Laid("<p>\n  Hello <b>w</b>\n</p>", {XmlFormatter::EMode::Join}),
              "<p>\n  Hello <b>w</b>\n</p>");
}

// "|" marks the selection's two ends.
TEST(XmlFormatterTest, ASelectionFormatsOnlyTheNodesItCoversAtTheirIndentation)
{
    const struct
    {
        const char* what;
        const char* text;
        const char* formatted;  // null: nothing covered
    } cases[] = {
        {"one element", "<r>\n  |<a><b/></a>|\n  <d><e/></d>\n</r>",
         "<r>\n  <a>\n    <b/>\n  </a>\n  <d><e/></d>\n</r>"},
        {"overlapped siblings", "<r>\n  <a><b/></a>\n  <d><e/>|</d>  <f/>|\n</r>",
         "<r>\n  <a><b/></a>\n  <d>\n    <e/>\n  </d>\n  <f/>\n</r>"},
        {"the line's own indentation", "<r>\n\t\t|<a><b/></a>|\n</r>",
         "<r>\n\t\t<a>\n\t\t  <b/>\n\t\t</a>\n</r>"},
        {"not first on its line", "<r><a>|<b><c/></b>|</a></r>",
         "<r><a><b>\n      <c/>\n    </b></a></r>"},
        {"preserved ancestor", "<r xml:space='preserve'><a>|<b><c/></b>|</a></r>",
         "<r xml:space='preserve'><a><b><c/></b></a></r>"},
        {"whitespace only", "<r>\n  |  |<a/>\n</r>", nullptr},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        const std::size_t nStart = text.find('|');
        text.erase(nStart, 1);
        const std::size_t nEnd = text.find('|');
        text.erase(nEnd, 1);
        std::string out;
        XmlFormatter::SJob job;
        job.nStart = nStart;
        job.nEnd = nEnd;
        const XmlFormatter::EOutcome eOutcome = XmlFormatter::Run(text, job, out);
        if (!c.formatted) {
            EXPECT_EQ(eOutcome, XmlFormatter::EOutcome::NothingCovered) << c.what;
            continue;
        }
        EXPECT_EQ(out, c.formatted) << c.what;
        EXPECT_EQ(WithoutWhitespace(out), WithoutWhitespace(text)) << c.what;
    }
}

TEST(XmlFormatterTest, StopsWhenItsProgressSaysSo)
{
    std::string out;
    const XmlFormatter::SJob job{
        XmlFormatter::EMode::Indent, "  ", "\n", 0, 0, [](long long, long long) { return false; }};
    EXPECT_EQ(XmlFormatter::Run("<a><b/></a>", job, out), XmlFormatter::EOutcome::Stopped);
}

TEST(XmlFormatterTest, UsesTheGivenUnitAndLineEnd)
{
    EXPECT_EQ(XmlFormatter::Format("<a><b><c/></b></a>\r\n", "\t", "\r\n"),
              "<a>\r\n\t<b>\r\n\t\t<c/>\r\n\t</b>\r\n</a>\r\n");
}

}  // namespace
