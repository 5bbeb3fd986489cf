// Matching tags, the element around a range and the element path, on well-formed and malformed
// text.
#include "TagMatcher.h"

#include "markup/StringText.h"

#include <gtest/gtest.h>

namespace {

using EOutcome = CTagMatcher::EOutcome;

CTagMatcher MatcherOver(const CStringText& text, long long nLimit = 1 << 30)
{
    return CTagMatcher(text, {0, {}}, nLimit);
}

struct SMatchCase
{
    const char* text;
    long long nCaret;
    EOutcome eOutcome;
    long long nPartner;  // the partner's "<"
};

TEST(TagMatcherTest, TheOtherTagOfTheElementAtTheCaret)
{
    const SMatchCase cases[] = {
        {"<a><b>x</b><c/></a>", 1, EOutcome::Found, 15},
        {"<a><b>x</b><c/></a>", 4, EOutcome::Found, 7},
        {"<a><b>x</b><c/></a>", 6, EOutcome::Found, 7},  // just after the ">"
        {"<a><b>x</b><c/></a>", 7, EOutcome::Found, 3},  // just before the "<"
        {"<a><b>x</b><c/></a>", 9, EOutcome::Found, 3},
        {"<a><b>x</b><c/></a>", 12, EOutcome::Found, 11},
        {"<a x=\"1\">\n  <a>y</a>\n</a>", 3, EOutcome::Found, 21},
        {"<a><a></a></a>", 4, EOutcome::Found, 6},
        {"<a>xy</a>", 4, EOutcome::NotInTag, -1},
        {"<?xml version=\"1.0\"?><a/>", 2, EOutcome::NotInTag, -1},
        {"<a><!-- </a> --></a>", 1, EOutcome::Found, 16},
        {"<a><b></a>", 4, EOutcome::NoPartner, -1},  // closed by its parent's end tag
        {"<a><b></a>", 7, EOutcome::Found, 0},
        {"<a></b></a>", 4, EOutcome::NoPartner, -1},  // an end tag of no open element
        {"<a></b></a>", 1, EOutcome::Found, 7},
        {"<a><b>", 1, EOutcome::NoPartner, -1},
    };
    for (const SMatchCase& c : cases) {
        CStringText text(c.text);
        const CTagMatcher::SMatch match = MatcherOver(text).MatchAt(c.nCaret);
        EXPECT_EQ(match.eOutcome, c.eOutcome) << c.text << " at " << c.nCaret;
        if (c.eOutcome == EOutcome::Found) {
            EXPECT_EQ(match.partner.nStart, c.nPartner) << c.text << " at " << c.nCaret;
        }
    }
}

TEST(TagMatcherTest, ASearchStopsAtItsLimitOrWhenTheProgressSaysSo)
{
    CStringText text("<a>" + std::string(5000, 'x') + "</a>");
    EXPECT_EQ(MatcherOver(text, 1000).MatchAt(1).eOutcome, EOutcome::Stopped);
    int nCalls = 0;
    CTagMatcher cancelled(text, {0, {}}, 1 << 30, [&](long long, long long) {
        ++nCalls;
        return false;
    });
    EXPECT_EQ(MatcherOver(text).MatchAt(1).partner.nStart, 5003);
    EXPECT_EQ(cancelled.MatchAt(1).eOutcome, EOutcome::Found) << "found within one step";
    EXPECT_EQ(nCalls, 0);
}

struct SAroundCase
{
    const char* text;
    long long nStart, nEnd;
    EOutcome eOutcome;
    long long nElementStart, nElementEnd;
};

TEST(TagMatcherTest, TheElementAroundARangeAndThenItsParent)
{
    // <r> 0-3, <a> 3-6, xy, </a> 8-12, <b/> 12-16, </r> 16-20
    const char* const kDoc = "<r><a>xy</a><b/></r>";
    const SAroundCase cases[] = {
        {kDoc, 7, 7, EOutcome::Found, 3, 12},
        {kDoc, 6, 8, EOutcome::Found, 3, 12},
        {kDoc, 3, 12, EOutcome::Found, 0, 20},
        {kDoc, 9, 9, EOutcome::Found, 3, 12},  // in the end tag
        {kDoc, 13, 13, EOutcome::Found, 12, 16},
        {kDoc, 12, 16, EOutcome::Found, 0, 20},
        {kDoc, 0, 20, EOutcome::NoPartner, -1, -1},
        {"<r><a>x</r>", 6, 6, EOutcome::NoPartner, -1, -1},
        {"<r><a>x</a>", 6, 6, EOutcome::Found, 3, 11},
        {"<r><a>x</a>", 3, 11, EOutcome::NoPartner, -1, -1},
    };
    for (const SAroundCase& c : cases) {
        CStringText text(c.text);
        const CTagMatcher::SElement element = MatcherOver(text).ElementAround(c.nStart, c.nEnd);
        EXPECT_EQ(element.eOutcome, c.eOutcome) << c.text << " " << c.nStart << "-" << c.nEnd;
        if (c.eOutcome != EOutcome::Found)
            continue;
        EXPECT_EQ(element.start.nStart, c.nElementStart) << c.text << " " << c.nStart;
        EXPECT_EQ(element.end.nEnd, c.nElementEnd) << c.text << " " << c.nStart;
    }
}

TEST(TagMatcherTest, ThePathHoldsTheElementsOpenAtThePosition)
{
    const std::string doc = "<catalog><book/><book id=\"2\"><title>T</title></book></catalog>";
    const struct
    {
        long long nAt;
        const char* path;
    } cases[] = {{0, "catalog"},
                 {36, "catalog book title"},
                 {3, "catalog"},
                 {38, "catalog book title"},
                 {31, "catalog book title"},
                 {46, "catalog book"},
                 {47, "catalog book"},
                 {62, ""}};
    CStringText text(doc);
    for (const auto& c : cases) {
        COpenElements keep;
        std::string path;
        for (const SOpenElement* pStep : MatcherOver(text).PathAt(c.nAt, keep))
            path += (path.empty() ? "" : " ") + pStep->name;
        EXPECT_EQ(path, c.path) << "at " << c.nAt;
    }
}

}  // namespace

namespace {

TEST(TagMatcherTest, AnElementsPlaceAmongItsSiblingsOfTheSameName)
{
    // Counted at the parent's level only, whatever is nested or malformed between.
    const std::string doc =
        "<catalog><book/><note/><book><book></book></book><x><book/></x><book><title/></book>"
        "</catalog>";
    CStringText text(doc);
    const long long nTitle = static_cast<long long>(doc.find("<title/>")) + 1;
    COpenElements open;
    MatcherOver(text).PathAt(nTitle, open);
    std::vector<int> places;
    for (; open.Innermost(); open.CloseInnermost())
        places.insert(places.begin(), MatcherOver(text).SiblingIndex(open));
    EXPECT_EQ(places, (std::vector<int>{1, 3, 1}));
    MatcherOver(text).PathAt(nTitle, open);
    open.CloseInnermost();
    EXPECT_EQ(MatcherOver(text, 20).SiblingIndex(open), 0) << "beyond the limit";
}

}  // namespace
