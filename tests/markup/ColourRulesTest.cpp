#include "ColourPass.h"
#include "ColourRules.h"
#include "StyleRollback.h"

#include "markup/StringText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char* const kTexts[] = {
    "<a>text</a>",
    "a > b > c <d e=\"f>g\">h",
    "<a <b c=\"<\">d> e <f",
    "<?pi x?>\n<!-- > -->\r\n<r a='1' b=\"2\n3\">t>t</r>tail",
    "no markup",
    "<<>><><",
    "x<y z=\"unclosed",
};

std::string RandomText(std::mt19937& random)
{
    static const char kAlphabet[] = "<<>>\"ab \n";
    std::string text(random() % 40, ' ');
    for (char& c : text)
        c = kAlphabet[random() % (sizeof kAlphabet - 1)];
    return text;
}

// From any offset, a pass started where RestartAt says ends with the whole pass's styles,
// whether the styles before the offset may be trusted or only the bytes.
void ExpectRestartsRecolourExactly(const std::string& bytes)
{
    CStringText whole(bytes);
    CColourPass::ColourAll(whole);
    for (long long nOffset = 0; nOffset <= whole.Length(); ++nOffset) {
        for (bool bTrusted : {false, true}) {
            CStringText text(bytes);
            text.m_styles = whole.m_styles;
            const SRestart restart = RestartAt(text, nOffset, bTrusted);
            ASSERT_LE(restart.nStart, nOffset);
            // Bytes-only restarts must not lean on the styles at all.
            const long long nWipeFrom = bTrusted ? nOffset : 0;
            std::fill(text.m_styles.begin() + nWipeFrom, text.m_styles.end(),
                      char(STYLE_UNCOLOURED));
            if (!bTrusted)
                std::copy(whole.m_styles.begin(), whole.m_styles.begin() + restart.nStart,
                          text.m_styles.begin());
            CColourPass(text, restart).Step(text.Length());
            ASSERT_EQ(text.m_styles, whole.m_styles)
                << "'" << bytes << "' from " << nOffset << (bTrusted ? " trusting styles" : "");
        }
    }
}

TEST(ColourRulesTest, APassFromTheRestartPointEndsAsAWholePass)
{
    for (const char* text : kTexts)
        ExpectRestartsRecolourExactly(text);
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i)
        ExpectRestartsRecolourExactly(RandomText(random));
}

TEST(ColourRulesTest, RestartIsTheStartOfTheTokenHoldingTheOffset)
{
    struct SCase
    {
        const char* text;
        long long nOffset;
        long long nStart;
    } const cases[] = {
        {"<a <b c>", 6, 0},     // a "<" inside a tag opens nothing
        {"x>y>z", 4, 0},        // a ">" in text ends nothing
        {"<a>bc>d", 6, 3},      // the text run begins after the tag's closer
        {"<a>b<c d=\"", 9, 4},  // the unfinished tag
        {"", 0, 0},
    };
    for (const SCase& c : cases) {
        const CStringText text(c.text);
        EXPECT_EQ(RestartAt(text, c.nOffset, false).nStart, c.nStart) << c.text;
    }
}

TEST(ColourRulesTest, TheTailKeepsTheBoldOfTagText)
{
    EXPECT_EQ(TailStyleFor(STYLE_TAG_TEXT), STYLE_TAIL_BOLD);
    EXPECT_EQ(TailStyleFor(STYLE_TAIL_BOLD), STYLE_TAIL_BOLD);
    for (MarkupStyle eStyle :
         {STYLE_UNCOLOURED, STYLE_TEXT, STYLE_TAG_BRACKET, STYLE_QUOTED, STYLE_TAIL})
        EXPECT_EQ(TailStyleFor(eStyle), STYLE_TAIL) << int(eStyle);
    CStringText text("<a b");
    text.m_styles = "\2\3\1\4";
    ApplyTail(text, 1);
    EXPECT_EQ(text.m_styles, "\2\6\5\5");
}

TEST(ColourRulesTest, ACancelledPassPutsEveryStyleBack)
{
    CStringText text("<a k=\"v\">" + std::string(200000, 't') + "<b/>");
    text.m_styles.assign(text.m_text.size(), char(STYLE_TAIL));
    text.m_styles[7] = char(STYLE_QUOTED);
    const std::string before = text.m_styles;
    int nAsked = 0;
    EXPECT_FALSE(CColourPass::ColourAll(text, [&](long long, long long) { return ++nAsked < 2; }));
    EXPECT_EQ(text.m_styles, before);
    EXPECT_TRUE(CColourPass::ColourAll(text, [](long long, long long) { return true; }));
    EXPECT_EQ(text.m_styles, text.WholePass());
}

TEST(ColourRulesTest, AStyleRollbackSetsOnlyWhatChanges)
{
    CStringText text("abcdef");
    text.m_styles = "\1\1\1\2\2\2";
    CStyleRollback rollback(text);
    rollback.SetStyles(0, "\1\1\1", 3);
    EXPECT_EQ(text.m_nStyled, 0u);
    rollback.SetStyles(2, "\3\3\3", 3);
    EXPECT_EQ(text.m_styles, "\1\1\3\3\3\2");
    rollback.Restore();
    EXPECT_EQ(text.m_styles, "\1\1\1\2\2\2");
}

}  // namespace
