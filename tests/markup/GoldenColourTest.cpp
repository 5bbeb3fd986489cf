// Every file in tests/data/colour coloured whole, in slices, across chunk boundaries and after
// edits, against its expected file or against a whole pass.
#include "ColourPass.h"
#include "EditRecolorer.h"
#include "SlicedPass.h"

#include "markup/GoldenColours.h"
#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>

namespace {

const std::string kFolder = TEST_DATA_DIR "/colour";

class GoldenColourTest : public ::testing::TestWithParam<std::string>
{
protected:
    std::string Input() const { return ReadBytes(GetParam()); }
    std::string Expected() const { return ReadBytes(ExpectedFileFor(GetParam())); }
    // The first line where `styles` and the expected file part, for the failure message.
    static std::string FirstDifference(const std::string& actual, const std::string& expected)
    {
        std::size_t nLine = 1;
        for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
            if (actual[i] != expected[i])
                return "line " + std::to_string(nLine);
            nLine += actual[i] == '\n';
        }
        return "the end";
    }
    void ExpectGolden(const std::string& text, const std::string& styles, const std::string& how)
    {
        const std::string actual = RenderStyleRuns(text, styles);
        const std::string expected = Expected();
        EXPECT_TRUE(actual == expected)
            << how << ": styles differ from " << ExpectedFileFor(GetParam()) << " from "
            << FirstDifference(actual, expected);
    }
};

TEST_P(GoldenColourTest, ColouredWholeGivesTheExpectedStyles)
{
    CStringText text(Input());
    CColourPass::ColourAll(text);
    ExpectGolden(text.m_text, text.m_styles, "whole");
}

TEST_P(GoldenColourTest, ColouredInSlicesOfOneToSevenBytesGivesTheExpectedStyles)
{
    for (long long nSlice = 1; nSlice <= 7; ++nSlice) {
        CStringText text(Input());
        CSlicedPass sliced(text, nSlice);
        sliced.Start();
        while (!sliced.Slice()) {
            ASSERT_LE(sliced.Frontier(), text.Length());
        }
        ExpectGolden(text.m_text, text.m_styles, "slices of " + std::to_string(nSlice));
    }
}

TEST_P(GoldenColourTest, ColouredAcrossChunkBoundariesGivesTheExpectedStyles)
{
    // A text run and an empty tag before the input leave a pass between tokens where it
    // begins; the chunk boundary then falls at the chosen offsets of the input.
    const std::string input = Input();
    const long long nChunk = CColourPass::kChunkSize;
    for (long long nInto : {0LL, 1LL, 2LL, 3LL, static_cast<long long>(input.size()) / 2,
                            static_cast<long long>(input.size()) - 1}) {
        if (nInto < 0 || nInto >= nChunk - 8)
            continue;
        const std::string prefix = std::string(nChunk - nInto - 4, 'p') + "<z/>";
        CStringText text(prefix + input);
        CColourPass::ColourAll(text);
        ExpectGolden(input, text.m_styles.substr(prefix.size()),
                     "boundary " + std::to_string(nInto) + " bytes in");
    }
}

TEST_P(GoldenColourTest, EditsRecolouredGiveTheStylesOfAWholePass)
{
    static const char kHostile[] = "<<>>\"\"'ab \r\n\0!?-[]/=";
    for (unsigned seed = 1; seed <= 3; ++seed) {
        std::mt19937 random(seed);
        CStringText text(Input());
        CColourPass::ColourAll(text);
        for (int nEdit = 0; nEdit < 40; ++nEdit) {
            const std::size_t at = random() % (text.m_text.size() + 1);
            std::string bytes;
            if (text.m_text.empty() || random() % 3 != 0) {
                bytes.assign(1 + random() % 4, ' ');
                for (char& c : bytes)
                    c = kHostile[random() % (sizeof kHostile - 1)];
            }
            EditAndRecolour(text, at, bytes, bytes.empty() ? 1 + random() % 5 : 0);
            ASSERT_EQ(text.m_styles, text.WholePass()) << "seed " << seed << " edit " << nEdit;
        }
    }
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param.substr(info.param.find_last_of('/') + 1);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenColourTest, ::testing::ValuesIn(GoldenInputs(kFolder)),
                         TestName);

TEST(GoldenColourFolder, HoldsEnoughInputsEachWithItsExpectedFile)
{
    const std::vector<std::string> inputs = GoldenInputs(kFolder);
    EXPECT_GE(inputs.size(), 20u);
    for (const std::string& input : inputs)
        EXPECT_TRUE(std::filesystem::exists(ExpectedFileFor(input))) << input;
}

}  // namespace
