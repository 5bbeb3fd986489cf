#include "ColourRules.h"
#include "MarkupObserver.h"
#include "MarkupScanner.h"
#include "StyleBuffer.h"

#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct StyledRun
{
    long long nStart;
    long long nLength;
    MarkupStyle eStyle;
    bool operator==(const StyledRun& other) const
    {
        return nStart == other.nStart && nLength == other.nLength && eStyle == other.eStyle;
    }
};

// Records runs and fails the test when one breaks the sink's promises.
class CRunRecorder : public IStyleSink
{
public:
    void StyleRun(long long start, long long length, MarkupStyle style) override
    {
        EXPECT_GT(length, 0) << "at " << start;
        if (!m_runs.empty()) {
            EXPECT_GE(start, m_runs.back().nStart + m_runs.back().nLength) << "at " << start;
        }
        m_runs.push_back({start, length, style});
    }
    std::vector<StyledRun> m_runs;
};

std::vector<StyledRun> Scan(const std::string& text, std::size_t nPiece,
                            long long* pPosition = nullptr)
{
    CMarkupScanner scanner(0);
    CRunRecorder recorder;
    for (std::size_t i = 0; i < text.size(); i += nPiece)
        scanner.Feed(text.data() + i, std::min(nPiece, text.size() - i), recorder);
    EXPECT_EQ(scanner.End(), static_cast<long long>(text.size()));
    if (pPosition)
        *pPosition = scanner.Position();
    return recorder.m_runs;
}

// One digit per byte, the style the production whole pass leaves over an uncoloured text.
std::string ColourAll(const std::string& text)
{
    std::string styles = CStringText(text).WholePass();
    for (char& style : styles)
        style = char('0' + style);
    return styles;
}

std::string Repeat(char c, std::size_t n)
{
    return std::string(n, c);
}

TEST(MarkupScannerTest, ColoursBracketsTagTextQuotedValuesAndText)
{
    EXPECT_EQ(ColourAll("<item key=\"x\">hi</item>"), "23333333334442112333332");
    EXPECT_EQ(ColourAll("<!-- note \"x\" -->"), "23333333334443332");
}

TEST(MarkupScannerTest, OnlyDoubleQuotesMakeQuotedValues)
{
    EXPECT_EQ(ColourAll("<item k='1'>"), "233333333332");
}

TEST(MarkupScannerTest, GreaterThanInsideAQuoteEndsTheTag)
{
    long long nPosition = -1;
    Scan("<item x=\"a>b\">", 1024, &nPosition);
    EXPECT_EQ(nPosition, 11);
    EXPECT_EQ(ColourAll("<item x=\"a>b\">"), "23333333332"
                                             "555");
}

TEST(MarkupScannerTest, EmptyTagHasOnlyItsBrackets)
{
    const std::vector<StyledRun> expected = {{0, 1, STYLE_TAG_BRACKET}, {1, 1, STYLE_TAG_BRACKET}};
    EXPECT_EQ(Scan("<>", 1024), expected);
}

TEST(MarkupScannerTest, QuoteLeftOpenAtTheCloserStaysTagTextAndIsForgotten)
{
    EXPECT_EQ(ColourAll("<a x=\"1><b y=\"2\">"), "23333332"
                                                 "233334442");
}

TEST(MarkupScannerTest, UnfinishedTokenAtTheEndIsTheTailKeepingNoBold)
{
    EXPECT_EQ(ColourAll("<a>text"), "232"
                                    "5555");
    EXPECT_EQ(ColourAll("<a>\n<b x=\"1\""), "232"
                                            "1"
                                            "55555555");
    EXPECT_EQ(ColourAll(""), "");
}

TEST(MarkupScannerTest, TagCutByAPieceBoundaryIsColouredWhole)
{
    const std::string text = Repeat('t', 1020) + "<item key=\"v\">w</item>";
    const std::string expected = Repeat('1', 1020)
                                 + "2333333333444"
                                   "2"
                                   "1"
                                   "2333332";
    EXPECT_EQ(ColourAll(text), expected);
}

TEST(MarkupScannerTest, TextOfExactlyOnePieceEndingInACloserLeavesNoTail)
{
    const std::string text = "<a>" + Repeat('t', 1017) + "</a>";
    ASSERT_EQ(text.size(), 1024u);
    long long nPosition = -1;
    Scan(text, 1024, &nPosition);
    EXPECT_EQ(nPosition, 1024);
}

TEST(MarkupScannerTest, LongTextRunIsTextWhateverItsLength)
{
    EXPECT_EQ(ColourAll(Repeat('t', 3000) + "<b>"), Repeat('1', 3000) + "232");
    EXPECT_EQ(ColourAll(Repeat('t', 3000)), Repeat('5', 3000));
}

TEST(MarkupScannerTest, LongTagKeepsBracketsTagTextAndEveryQuotedValue)
{
    std::string tag = "<path";
    std::string expected = "23333";
    for (int i = 0; i < 1100; ++i) {
        tag += " d=\"1\"";
        expected += "333444";
    }
    tag += ">";
    expected += "2";
    ASSERT_GT(tag.size(), 5000u);
    EXPECT_EQ(ColourAll(tag + "x<a/>"), expected
                                            + "1"
                                              "2332");
}

TEST(MarkupScannerTest, LongUnfinishedTagIsAllTail)
{
    long long nPosition = -1;
    Scan("<" + Repeat('t', 1999), 1024, &nPosition);
    EXPECT_EQ(nPosition, 0);
    EXPECT_EQ(ColourAll("<" + Repeat('t', 1999)), Repeat('5', 2000));
}

TEST(MarkupScannerTest, RunsDoNotDependOnHowTheTextIsCut)
{
    const std::string text =
        "<?xml version=\"1.0\"?>\n<!-- a \"b\" -->\n<r a=\"1\" b='2' c=\"x>y\">\n"
        "  <e k=\"\">text &amp; more</e><>"
        + Repeat('z', 1500) + "<long" + Repeat(' ', 1200) + "q=\"v\">\n</r>\ntrailing <open x=\"";
    const std::vector<StyledRun> whole = Scan(text, text.size());
    for (std::size_t nPiece : {1u, 2u, 3u, 7u, 64u, 1023u, 1024u})
        EXPECT_EQ(Scan(text, nPiece), whole) << "pieces of " << nPiece;
}

TEST(MarkupScannerTest, OffsetsStartAtTheGivenOffset)
{
    CMarkupScanner scanner(100);
    CRunRecorder recorder;
    scanner.Feed("x<a>", 4, recorder);
    const std::vector<StyledRun> expected = {{100, 1, STYLE_TEXT},
                                             {101, 1, STYLE_TAG_BRACKET},
                                             {102, 1, STYLE_TAG_TEXT},
                                             {103, 1, STYLE_TAG_BRACKET}};
    EXPECT_EQ(recorder.m_runs, expected);
    EXPECT_EQ(scanner.Position(), 104);
    EXPECT_EQ(scanner.End(), 104);
}

struct Flushed
{
    long long nStart;
    std::string styles;
    bool operator==(const Flushed& other) const
    {
        return nStart == other.nStart && styles == other.styles;
    }
};

class StyleBufferTest : public ::testing::Test
{
protected:
    CStyleBuffer MakeBuffer(std::size_t nCapacity)
    {
        return CStyleBuffer(nCapacity,
                            [this](long long start, const char* styles, std::size_t length) {
                                std::string digits(styles, length);
                                for (char& c : digits)
                                    c = char('0' + c);
                                m_flushed.push_back({start, digits});
                            });
    }
    std::vector<Flushed> m_flushed;
};

TEST_F(StyleBufferTest, GathersContiguousRunsIntoOneHandOver)
{
    CStyleBuffer buffer = MakeBuffer(64);
    buffer.StyleRun(0, 1, STYLE_TAG_BRACKET);
    buffer.StyleRun(1, 3, STYLE_TAG_TEXT);
    buffer.StyleRun(4, 0, STYLE_QUOTED);
    buffer.StyleRun(4, 1, STYLE_TAG_BRACKET);
    EXPECT_TRUE(m_flushed.empty());
    buffer.FlushPending();
    buffer.FlushPending();
    EXPECT_EQ(m_flushed, (std::vector<Flushed>{{0, "23332"}}));
}

TEST_F(StyleBufferTest, HandsOnWhenARunLeavesAGap)
{
    CStyleBuffer buffer = MakeBuffer(64);
    buffer.StyleRun(10, 2, STYLE_TEXT);
    buffer.StyleRun(15, 1, STYLE_TAG_BRACKET);
    buffer.FlushPending();
    EXPECT_EQ(m_flushed, (std::vector<Flushed>{{10, "11"}, {15, "2"}}));
}

TEST_F(StyleBufferTest, NeverHandsOnMoreThanItsCapacity)
{
    CStyleBuffer buffer = MakeBuffer(4);
    buffer.StyleRun(0, 1, STYLE_TAG_BRACKET);
    buffer.StyleRun(1, 9, STYLE_TEXT);
    EXPECT_EQ(m_flushed, (std::vector<Flushed>{{0, "2111"}, {4, "1111"}}));
    buffer.FlushPending();
    EXPECT_EQ(m_flushed.back(), (Flushed{8, "11"}));
}

TEST_F(StyleBufferTest, ScannerRunsThroughTheBufferCoverEveryCompleteToken)
{
    const std::string text = Repeat('t', 2000) + "<e k=\"v\">" + Repeat('u', 10);
    CStyleBuffer buffer = MakeBuffer(256);
    CMarkupScanner scanner(0);
    for (std::size_t i = 0; i < text.size(); i += 1024)
        scanner.Feed(text.data() + i, std::min<std::size_t>(1024, text.size() - i), buffer);
    buffer.FlushPending();
    std::string styles;
    for (const Flushed& flushed : m_flushed) {
        EXPECT_EQ(flushed.nStart, static_cast<long long>(styles.size()));
        EXPECT_LE(flushed.styles.size(), 256u);
        styles += flushed.styles;
    }
    EXPECT_EQ(styles, Repeat('1', 2000) + "233334442");
    EXPECT_EQ(scanner.Position(), 2009);
}

}  // namespace

namespace {

// Writes each tag passed as "kind name depth [start,end)".
class CTagRecorder : public IMarkupObserver
{
public:
    void TagOpened(long long start) override { m_opened.push_back(start); }
    void TagClosed(const SPassedTag& tag) override
    {
        static const char* const kKinds[] = {"start", "end", "empty", "other"};
        m_tags.push_back(std::string(kKinds[static_cast<int>(tag.eKind)]) + " "
                         + std::string(tag.name) + " " + std::to_string(tag.nDepth) + " ["
                         + std::to_string(tag.nStart) + "," + std::to_string(tag.nEnd) + ")");
    }
    std::vector<long long> m_opened;
    std::vector<std::string> m_tags;
};

TEST(MarkupScannerObserverTest, ToldEachTagPassedWithItsKindNameAndDepth)
{
    struct SCase
    {
        const char* text;
        std::vector<std::string> tags;
    } const cases[] = {
        {"<a><b/></a>", {"start a 1 [0,3)", "empty b 1 [3,7)", "end a 0 [7,11)"}},
        {"<?xml v=\"1\"?><!-- x --><r\tk=\"a b\">t</r >",
         {"other ?xml 0 [0,13)", "other !-- 0 [13,23)", "start r 1 [23,34)", "end r 0 [35,40)"}},
        {"<>x<a x=\"/\"><p />", {"other  0 [0,2)", "start a 1 [3,12)", "empty p 1 [12,17)"}},
        {"<a\nb>", {"start a 1 [0,5)"}},
        {"<open k=\"v", {}},
    };
    for (const SCase& c : cases) {
        const std::string text = c.text;
        for (std::size_t nPiece : {text.size() + 1, std::size_t(1), std::size_t(3)}) {
            CTagRecorder recorder;
            CMarkupScanner scanner(0, &recorder);
            CRunRecorder runs;
            for (std::size_t i = 0; i < text.size(); i += nPiece)
                scanner.Feed(text.data() + i, std::min(nPiece, text.size() - i), runs);
            EXPECT_EQ(recorder.m_tags, c.tags) << c.text << " in pieces of " << nPiece;
            EXPECT_EQ(runs.m_runs, Scan(text, text.size())) << c.text;
            // Every tag is told opened before it is told closed, the unfinished one too.
            EXPECT_EQ(recorder.m_opened.size(), c.tags.size() + (c.tags.empty() ? 1 : 0)) << c.text;
        }
    }
}

}  // namespace
