#include "RegexReplacement.h"

#include <gtest/gtest.h>

namespace {

TEST(RegexReplacementTest, ExpandsGroupsAndEscapesAndKeepsOtherBackslashes)
{
    const std::vector<QByteArray> groups = {"<b>x</b>", "b", "x"};
    const struct
    {
        const char* replacement;
        const char* expanded;
    } cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"\\0", "<b>x</b>"},
        {"<\\1 k='\\2'/>", "<b k='x'/>"},
        {"\\2\\2\\1", "xxb"},
        {"\\3\\9", ""},  // groups the pattern does not have
        {"a\\tb\\nc\\\\d", "a\tb\nc\\d"},
        {"\\\\1", "\\1"},
        {"\\q\\", "\\q\\"},
        {"caf\xc3\xa9 \\1", "caf\xc3\xa9 b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CRegexReplacement::Expand(c.replacement, groups), QByteArray(c.expanded))
            << c.replacement;
}

TEST(RegexReplacementTest, NamesTheFaultOfAPatternTheSearchCannotRead)
{
    const struct
    {
        const char* pattern;
        bool bUtf8;
        bool bValid;
    } cases[] = {
        {"<(\\w+)[^>]*>", true, true}, {"a|b", false, true}, {"x{2,3}", true, true},
        {"(?=a)b", true, true},        {"(", true, false},   {"[a-", false, false},
        {"a{3,2}", true, false},       {"*a", true, false},  {"\\", false, false},
        {"caf\u00e9+", true, true},
    };
    for (const auto& c : cases) {
        const QString problem =
            CRegexReplacement::Problem(QString::fromUtf8(c.pattern), c.bUtf8, false);
        EXPECT_EQ(problem.isEmpty(), c.bValid) << c.pattern << ": " << problem.toStdString();
    }
}

}  // namespace
