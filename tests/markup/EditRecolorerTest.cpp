#include "EditRecolorer.h"

#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string RandomBytes(std::mt19937& random, std::size_t nMax)
{
    static const char kAlphabet[] = "<<>>\"\"ab \n";
    std::string bytes(std::uniform_int_distribution<std::size_t>(1, nMax)(random), ' ');
    for (char& c : bytes)
        c = kAlphabet[std::uniform_int_distribution<std::size_t>(0, sizeof kAlphabet - 2)(random)];
    return bytes;
}

}  // namespace

TEST(EditRecolorerTest, AfterAnyEditTheStylesAreThoseOfAWholePass)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CStringText text;
        text.Insert(0, RandomBytes(random, 60));
        text.m_styles = text.WholePass();
        for (int nEdit = 0; nEdit < 300; ++nEdit) {
            const std::size_t at =
                std::uniform_int_distribution<std::size_t>(0, text.m_text.size())(random);
            const bool bInsert = text.m_text.empty() || random() % 3 != 0;
            const std::string bytes = bInsert ? RandomBytes(random, 4) : std::string();
            EditAndRecolour(text, at, bytes, bInsert ? 0 : 1 + random() % 5);
            ASSERT_EQ(text.m_styles, text.WholePass())
                << "seed " << seed << " edit " << nEdit << " text '" << text.m_text << "'";
        }
    }
}

TEST(EditRecolorerTest, TypingInsideALongTextStylesOnlyNearTheEdit)
{
    CStringText text;
    text.Insert(0, "<a>" + std::string(1 << 20, 'x') + "<b/>" + std::string(1 << 20, 'y') + "</a>");
    text.m_styles = text.WholePass();
    const struct
    {
        std::size_t at;
        const char* bytes;
    } cases[] = {
        {1000, "z"}, {(1 << 20) + 5, "q"}, {(1 << 20) + 3, "<c x=\"1\">"}, {500000, "\"\""}};
    for (const auto& c : cases) {
        text.m_nStyled = 0;
        text.Insert(c.at, c.bytes);
        CEditRecolorer(text).Recolor(static_cast<long long>(c.at),
                                     static_cast<long long>(c.at + std::strlen(c.bytes)));
        EXPECT_LT(text.m_nStyled, 1000u) << c.bytes;
        EXPECT_EQ(text.m_styles, text.WholePass()) << c.bytes;
    }
}

TEST(EditRecolorerTest, RemovingTheLastTagOpenerTurnsTheTextBeforeItIntoTheTail)
{
    CStringText text;
    text.Insert(0, "<a>text<");
    text.m_styles = text.WholePass();
    text.Erase(7, 1);
    CEditRecolorer(text).Recolor(7, 7);
    EXPECT_EQ(text.m_styles, std::string("\2\3\2\5\5\5\5"));
}
