// Where Tab goes in an element just inserted.
#include "InsertionStops.h"

#include <gtest/gtest.h>

namespace {

TEST(InsertionStopsTest, StopsAtEmptyValuesThenAtTheContent)
{
    using Stops = std::vector<long long>;
    const std::pair<const char*, Stops> cases[] = {
        {"<note id=\"\" >sel</note>", {10, 13}},
        {"<note id=\"\" kind=\"x\" n=\"\" >sel</note>", {10, 24, 27}},
        {"\n<p class=\"\" >\nsel\n</p>\n", {11, 15}},
        {"<br/>sel", {}},
        {"<img src=\"\" alt=\"\" />sel", {10, 17}},
        {"<b>sel</b>", {3}},
        {"<a t=\"x>y\">s</a>", {11}},
        {"<UNKNOWN>sel", {9}},
    };
    for (const auto& [snippet, stops] : cases) {
        Stops expected;
        for (long long stop : stops)
            expected.push_back(stop + 100);
        EXPECT_EQ(StopsOfSnippet(snippet, 100), expected) << snippet;
    }
}

TEST(InsertionStopsTest, VisitsEachStopOnceAndForgetsThemWhenTheCaretWentElsewhere)
{
    CInsertionStops stops;
    stops.Set({5, 9}, 0);
    EXPECT_EQ(stops.Next(0), 5);
    EXPECT_EQ(stops.Next(5), 9);
    EXPECT_FALSE(stops.Active());
    EXPECT_EQ(stops.Next(9), -1);

    stops.Set({5, 9}, 0);
    EXPECT_EQ(stops.Next(3), -1);  // a click moved the caret
    EXPECT_FALSE(stops.Active());
}

}  // namespace
