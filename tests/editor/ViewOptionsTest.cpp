#include "editor/EditorTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

#include <random>

namespace {

using Sci = QsciScintillaBase;

class ViewOptionsTest : public ::testing::Test, public SEditorFixture
{
protected:
    std::vector<int> AllStyles() { return Styles(0, view.TextLength()); }
};

QByteArray RandomMarkup(std::mt19937& random, int nMax)
{
    static const char kAlphabet[] = "<<>>\"\"ab \n";
    QByteArray bytes(std::uniform_int_distribution<int>(1, nMax)(random), ' ');
    for (char& c : bytes)
        c = kAlphabet[std::uniform_int_distribution<int>(0, sizeof kAlphabet - 2)(random)];
    return bytes;
}

}  // namespace

TEST_F(ViewOptionsTest, ColourAsYouTypeLeavesTheStylesOfAWholePassAfterEveryKindOfEdit)
{
    std::mt19937 random(7);
    SetText("<doc a=\"1\">text <b>bold</b>\n<!-- c --></doc>\n");
    view.SetColourAsYouType(true);
    for (int nEdit = 0; nEdit < 400; ++nEdit) {
        const long long nLength = view.TextLength();
        const long long nAt = std::uniform_int_distribution<long long>(0, nLength)(random);
        switch (random() % 6) {
        case 0:
        case 1: {
            const QByteArray bytes = RandomMarkup(random, 5);
            Send(Sci::SCI_INSERTTEXT, nAt, reinterpret_cast<long long>(bytes.constData()));
            break;
        }
        case 2:
            Send(Sci::SCI_DELETERANGE, nAt, std::min<long long>(1 + random() % 4, nLength - nAt));
            break;
        case 3:
            Select(nAt, std::min<long long>(nAt + random() % 6, nLength));
            view.ReplaceSelection(RandomMarkup(random, 3));
            break;
        case 4:
            view.undo();
            break;
        default:
            QApplication::clipboard()->setText(QString::fromLatin1(RandomMarkup(random, 4)));
            Select(nAt, nAt);
            view.paste();
            break;
        }
        view.FlushTypingColours();
        const std::vector<int> typed = AllStyles();
        view.ColorAll();
        ASSERT_EQ(typed, AllStyles()) << "edit " << nEdit << ": " << Text().toStdString();
    }
}

TEST_F(ViewOptionsTest, TypedTextIsColouredOnlyWhenColourAsYouTypeIsOn)
{
    SetText("<a>x</a>");
    view.ColorAll();
    for (bool bOn : {false, true}) {
        view.SetColourAsYouType(bOn);
        Select(0, 0);
        view.ReplaceSelection("<b>");
        view.FlushTypingColours();
        EXPECT_EQ(StyleAt(1), bOn ? STYLE_TAG_TEXT : STYLE_UNCOLOURED) << bOn;
        view.ColorAll();
    }
}

TEST_F(ViewOptionsTest, TheCaretsLineAndColumnCountTextLinesAndCharacters)
{
    SetText("<a>\n\tcaf\xc3\xa9 x</a>\n");
    const struct
    {
        long long nPos, nLine, nColumn;
    } cases[] = {{0, 1, 1}, {3, 1, 4}, {4, 2, 1}, {5, 2, 2}, {11, 2, 7}, {17, 3, 1}};
    for (const auto& c : cases) {
        Select(c.nPos, c.nPos);
        EXPECT_EQ(view.CaretLineColumn(), std::make_pair(c.nLine, c.nColumn)) << c.nPos;
    }
}

TEST_F(ViewOptionsTest, TheCaretsColumnStaysRightThroughEditsAroundIt)
{
    // The column is counted on from the last count; random edits before, at and after the
    // caret, of line ends and multi-byte characters, must not leave it wrong.
    SetText("ab\rcd");
    Select(3, 3);
    ASSERT_EQ(view.CaretLineColumn(), std::make_pair(2LL, 1LL));
    view.ReplaceSelection("\n");  // joins the line end before the caret
    ASSERT_EQ(view.CaretLineColumn(), std::make_pair(2LL, 1LL));
    SetText("<a>ab\xc3\xa9"
            "cd\r\nef</a>");
    const char* const pieces[] = {"x", "\xc3\xa9", "\n", "\r", "\r\n", "<b>"};
    std::mt19937 random(5);
    for (int i = 0; i < 400; ++i) {
        const long long nLength = view.TextLength();
        const long long at = static_cast<long long>(random() % static_cast<unsigned>(nLength + 1));
        const long long nCaret = Send(Sci::SCI_POSITIONRELATIVE, 0, at);
        switch (random() % 3) {
        case 0:
            Select(nCaret, nCaret);
            view.ReplaceSelection(pieces[random() % std::size(pieces)]);
            break;
        case 1:
            Send(Sci::SCI_DELETERANGE, Send(Sci::SCI_POSITIONBEFORE, nCaret),
                 nCaret - Send(Sci::SCI_POSITIONBEFORE, nCaret));
            break;
        default:
            Select(nCaret, nCaret);
        }
        const long long nPos = Send(Sci::SCI_GETCURRENTPOS);
        const long long nLine = Send(Sci::SCI_LINEFROMPOSITION, nPos);
        const long long nColumn =
            Send(Sci::SCI_COUNTCHARACTERS, Send(Sci::SCI_POSITIONFROMLINE, nLine), nPos);
        ASSERT_EQ(view.CaretLineColumn(), std::make_pair(nLine + 1, nColumn + 1))
            << "step " << i << ": " << Text().toStdString();
    }
}

TEST_F(ViewOptionsTest, TheLineNumberMarginGrowsWithTheLineCountAndHidesAgain)
{
    const auto width = [this] { return Send(Sci::SCI_GETMARGINWIDTHN, 0); };
    SetText("<a/>\n");
    EXPECT_EQ(width(), 0);
    view.ShowLineNumbers(true);
    const long long nNarrow = width();
    EXPECT_GT(nNarrow, 0);
    SetText(QByteArray(120000, '\n'));
    QApplication::processEvents();
    view.ShowLineNumbers(true);
    EXPECT_GT(width(), nNarrow);
    view.ShowLineNumbers(false);
    EXPECT_EQ(width(), 0);
}
