#include "SlicedPass.h"

#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string RandomBytes(std::mt19937& random, std::size_t nMax)
{
    static const char kAlphabet[] = "<<>>\"\"ab \n";
    std::string bytes(1 + random() % nMax, ' ');
    for (char& c : bytes)
        c = kAlphabet[random() % (sizeof kAlphabet - 1)];
    return bytes;
}

// Edits anywhere between slices, each told to the pass before it is made and coloured again
// from where it began, end with the styles of a whole pass over the edited text.
TEST(SlicedPassTest, EditsBetweenSlicesColouredAgainEndAsAWholePass)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        CStringText text(RandomBytes(random, 80));
        CSlicedPass sliced(text, 1 + random() % 9);
        sliced.Start();
        int nEdits = 30;
        while (!sliced.Slice()) {
            if (nEdits == 0 || random() % 2)
                continue;
            --nEdits;
            std::size_t at = random() % (text.m_text.size() + 1);
            if (text.m_text.empty() || random() % 2) {
                const std::string bytes = RandomBytes(random, 4);
                sliced.Edited(static_cast<long long>(at), bytes.size(), true);
                text.Insert(at, bytes);
            } else {
                const std::size_t from = std::min(at, text.m_text.size() - 1);
                const std::size_t count =
                    std::min<std::size_t>(1 + random() % 4, text.m_text.size() - from);
                sliced.Edited(static_cast<long long>(from), count, false);
                text.Erase(from, count);
                at = from;
            }
            sliced.ColourAgainFrom(static_cast<long long>(at));
        }
        EXPECT_FALSE(sliced.IsPending());
        ASSERT_EQ(text.m_styles, text.WholePass()) << "seed " << seed << " '" << text.m_text << "'";
    }
}

TEST(SlicedPassTest, AnEditBeforeTheFrontierMovesItWithTheBytesAfterIt)
{
    CStringText text("<a>x</a><b>y</b>");
    CSlicedPass sliced(text, 9);
    sliced.Start();
    ASSERT_FALSE(sliced.Slice());
    const long long nFrontier = sliced.Frontier();
    ASSERT_EQ(nFrontier, 8);
    sliced.Edited(1, 2, true);
    text.Insert(1, "zz");
    EXPECT_EQ(sliced.Frontier(), nFrontier + 2);
    sliced.Edited(0, 3, false);
    text.Erase(0, 3);
    EXPECT_EQ(sliced.Frontier(), nFrontier - 1);
    sliced.Edited(6, 3, false);  // across the frontier: from the token before the deletion
    text.Erase(6, 3);
    EXPECT_EQ(sliced.Frontier(), 3);
}

}  // namespace
