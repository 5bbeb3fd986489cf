// Fold levels by element: what a whole pass gives, and that slices and edits give the same.
#include "FoldLevels.h"

#include "ElementScan.h"

#include "markup/GoldenColours.h"
#include "markup/StringLines.h"
#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string LevelsOf(const std::string& bytes)
{
    CStringText text(bytes);
    CStringLines lines(text);
    CFoldLevels levels(text, lines);
    levels.Start();
    levels.Finish();
    return lines.Rendered();
}

struct SFoldCase
{
    const char* what;
    const char* text;
    const char* levels;
};

TEST(FoldLevelsTest, LinesFoldByElementCommentAndCdataAsFarAsTagsBalance)
{
    const SFoldCase cases[] = {
        {"nested elements", "<a>\n <b>\n  x\n </b>\n</a>\n", "0h 1h 2 2 1 0"},
        {"one-line elements", "<a><b/>x</a>\n<c></c>", "0 0"},
        {"end and start on one line", "<a>\n</a><b>\n</b>", "0h 0h 1"},
        {"start tag across lines", "<a\n x=\"1\">\n</a>", "0h 1 1"},
        {"comment across lines", "<!--\n x\n-->\ny", "0h 1 1 0"},
        {"one-line comment", "<!-- x -->\ny", "0 0"},
        {"CDATA across lines", "<a><![CDATA[\nx\n]]></a>\n", "0h 2 2 0"},
        {"processing instruction", "<?xml version=\"1.0\"?>\n<a/>", "0 0"},
        {"unmatched end tag closes nothing", "<a>\n</b>\n</a>\nrest\n", "0h 1 1 0 0"},
        {"stray end tag at the top", "</x>\n<a>\n</a>", "0 0h 1"},
        {"end tag closes unclosed inner ones", "<a>\n<br>\n</a>\nrest", "0h 1h 2 0"},
        {"unclosed element folds to the end", "<a>\n<b>\n", "0h 1h 2"},
        {"unfinished tag at the end", "<a>\n<b\nc", "0h 1 1"},
        {"CR and CR LF line ends", "<a>\r<b>\r\n</b>\r</a>", "0h 1h 2 1"},
        {"empty text", "", "0"},
    };
    for (const SFoldCase& c : cases)
        EXPECT_EQ(LevelsOf(c.text), c.levels) << c.what;
}

TEST(FoldLevelsTest, NestingOfAnyDepthNeitherCrashesNorOverflows)
{
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "<a>\n";
    const std::string levels = LevelsOf(text);
    EXPECT_EQ(levels.substr(levels.size() - 10), "3071h 3071");
}

// The elements open before each of `levels`' checkpoints, with their starts, as read from the
// text's start.
void ExpectCheckpointsRight(const CStringText& text, const CFoldLevels& levels,
                            const std::string& how)
{
    const auto rendered = [](const COpenElements& open) {
        std::string out;
        for (const SOpenElement* p = open.Innermost(); p; p = p->pParent.get())
            out += p->name + "@" + std::to_string(p->nStart) + " ";
        return out;
    };
    std::vector<CFoldCheckpoints::SCheckpoint> points;
    for (long long at = text.Length(); at > 0; at = points.back().nPosition)
        points.push_back(levels.CheckpointBefore(at));
    CElementScan scan(text, 0, {});
    for (auto it = points.rbegin(); it != points.rend(); ++it) {
        scan.Run(it->nPosition - scan.End(),
                 [](const STagSpan&, const COpenElements&) { return true; });
        ASSERT_EQ(rendered(it->open), rendered(scan.Open())) << how << ", at " << it->nPosition;
    }
}

// The levels and states a whole pass gives, checked against those left by `levels` over `lines`.
void ExpectAsWhole(const CStringText& text, const CStringLines& lines, const std::string& how)
{
    CStringText copy(text.m_text);
    CStringLines whole(copy);
    CFoldLevels pass(copy, whole);
    pass.Start();
    pass.Finish();
    ASSERT_EQ(lines.Rendered(), whole.Rendered()) << how;
    ASSERT_EQ(lines.m_states, whole.m_states) << how;
}

class GoldenFoldTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(GoldenFoldTest, SlicesOfAnySizeGiveTheWholePassLevels)
{
    const std::string bytes = ReadBytes(GetParam());
    for (long long nSlice : {1LL, 2LL, 3LL, 7LL, 64LL}) {
        CStringText text(bytes);
        CStringLines lines(text);
        CFoldLevels levels(text, lines);
        levels.Start();
        while (!levels.Run(nSlice)) {
        }
        ExpectAsWhole(text, lines, "slices of " + std::to_string(nSlice));
    }
}

// Random insertions and deletions of markup pieces, each followed by a few small steps only, so
// that edits also land while a pass is still pending.
void EditAtRandom(const std::string& bytes, unsigned seed, int nEdits)
{
    static const char* const pieces[] = {"<a>",  "</a>",    "<b>",       "</b>", "\n", "\r",
                                         "\r\n", "<!--",    "-->",       ">",    "<",  "x",
                                         "<c/>", "\n<a>\n", "<![CDATA[", "]]>",  "\""};
    std::mt19937 random(seed);
    CStringText text(bytes);
    CStringLines lines(text);
    CFoldLevels levels(text, lines);
    levels.Start();
    levels.Finish();
    for (int i = 0; i < nEdits; ++i) {
        const long long at = static_cast<long long>(random() % (text.m_text.size() + 1));
        if (random() % 3 == 0 && at < text.Length()) {
            const long long n = std::min<long long>(1 + random() % 6, text.Length() - at);
            levels.Edited(at, n, 0);
            text.Erase(static_cast<std::size_t>(at), static_cast<std::size_t>(n));
            lines.Edited(at, n, 0);
        } else {
            const std::string piece = pieces[random() % std::size(pieces)];
            levels.Edited(at, 0, static_cast<long long>(piece.size()));
            text.Insert(static_cast<std::size_t>(at), piece);
            lines.Edited(at, 0, static_cast<long long>(piece.size()));
        }
        if (random() % 4 != 0) {
            levels.Run(1 + random() % 40);
            continue;
        }
        levels.Finish();
        ExpectAsWhole(text, lines, "seed " + std::to_string(seed) + ", edit " + std::to_string(i));
        ExpectCheckpointsRight(text, levels,
                               "seed " + std::to_string(seed) + ", edit " + std::to_string(i));
        if (::testing::Test::HasFatalFailure())
            return;
    }
    levels.Finish();
    ExpectAsWhole(text, lines, "seed " + std::to_string(seed) + " at the end");
}

TEST_P(GoldenFoldTest, RandomEditsGiveTheWholePassLevels)
{
    EditAtRandom(ReadBytes(GetParam()), 7, 60);
}

TEST(FoldLevelsTest, RandomEditsOfALongDocumentGiveTheWholePassLevels)
{
    // Longer than a checkpoint's spacing several times, so that scans start from checkpoints:
    // at line starts, and inside a line as long as the text.
    for (const char* lineEnd : {"\n", ""}) {
        std::string bytes;
        for (int i = 0; bytes.size() < 5 * CFoldCheckpoints::kSpacing; ++i)
            bytes += "<book id=\"" + std::to_string(i) + "\">" + lineEnd + "<title>T</title>"
                     + lineEnd + "<!--" + lineEnd + "-->" + lineEnd + "</book>" + lineEnd;
        bytes = std::string("<catalog>") + lineEnd + bytes + "</catalog>" + lineEnd;
        for (unsigned seed = 1; seed <= (*lineEnd ? 6U : 3U); ++seed)
            EditAtRandom(bytes, seed, 150);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenFoldTest,
                         ::testing::ValuesIn(GoldenInputs(TEST_DATA_DIR "/colour")),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(info.param.rfind('/') + 1);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace

namespace {

TEST(FoldLevelsTest, AnEditInsideALongLineIsRescannedNearItOnly)
{
    std::string bytes = "<feed>";
    while (bytes.size() < 40 * CFoldCheckpoints::kSpacing)
        bytes += "<item id=\"1\"><name>n</name></item>";
    bytes += "</feed>";
    CStringText text(bytes);
    CStringLines lines(text);
    CFoldLevels levels(text, lines);
    levels.Start();
    levels.Finish();
    for (const long long at : {text.Length() / 2, text.Length() - 10, 16LL}) {
        levels.Edited(at, 0, 1);
        text.Insert(static_cast<std::size_t>(at), "x");
        lines.Edited(at, 0, 1);
        EXPECT_TRUE(levels.Run(3 * CFoldCheckpoints::kSpacing)) << at;
    }
}

}  // namespace
