#include "editor/EditorTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Sci = QsciScintillaBase;

const QByteArray kText = "<a href=\"x\">hello</a> <b>bold</b>\n<c k=\"v\"/> tail <d";

class UndoColorKeeperTest : public ::testing::Test, public SEditorFixture
{
public:
    void Replace(long long nStart, long long nEnd, const QByteArray& text)
    {
        Select(nStart, nEnd);
        view.ReplaceSelection(text);
    }
    std::vector<int> AllStyles() { return Styles(0, view.TextLength()); }
    // The styles a whole-text pass gives [start, end) of the current text.
    std::vector<int> PassStyles(long long nStart, long long nEnd)
    {
        const std::vector<int> before = AllStyles();
        view.ColorAll();
        const std::vector<int> styles = Styles(nStart, nEnd);
        view.SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0xffL);
        for (int nStyle : before)
            view.SendScintilla(Sci::SCI_SETSTYLING, 1UL, static_cast<long>(nStyle));
        return styles;
    }
};

struct SEditCase
{
    const char* name;
    std::function<void(UndoColorKeeperTest&)> edit;
    long long nFrom;  // where the edited text differs from the original, in the edited text
    long long nTo;
};

TEST_F(UndoColorKeeperTest, UndoAndRedoGiveTheChangedTextTheColoursOfAWholeTextPass)
{
    const SEditCase cases[] = {
        {"delete a tag and its text", [](UndoColorKeeperTest& t) { t.Replace(0, 17, ""); }, 0, 0},
        {"delete a closing bracket", [](UndoColorKeeperTest& t) { t.Replace(11, 12, ""); }, 11, 11},
        {"delete across tokens", [](UndoColorKeeperTest& t) { t.Replace(15, 26, ""); }, 15, 15},
        {"insert a tag", [](UndoColorKeeperTest& t) { t.Replace(5, 5, "<x y=\"1\">"); }, 5, 14},
        {"insert an opener", [](UndoColorKeeperTest& t) { t.Replace(17, 17, "<"); }, 17, 18},
        {"delete the unfinished end", [](UndoColorKeeperTest& t) { t.Replace(50, 52, ""); }, 50,
         50},
        {"two changes in one step",
         [](UndoColorKeeperTest& t) {
             t.view.beginUndoAction();
             t.Replace(30, 31, "");
             t.Replace(2, 9, "");
             t.view.endUndoAction();
         },
         2, 23},
    };
    for (const SEditCase& test : cases) {
        SetText(kText);
        view.ColorAll();
        const std::vector<int> coloured = AllStyles();
        test.edit(*this);

        view.undo();
        ASSERT_EQ(Text(), kText) << test.name;
        EXPECT_EQ(AllStyles(), coloured) << test.name;

        view.redo();
        const long long nFrom = std::max(test.nFrom - 1, 0LL);
        const long long nTo = std::min(test.nTo + 1, view.TextLength());
        EXPECT_EQ(Styles(nFrom, nTo), PassStyles(nFrom, nTo)) << test.name;
    }
}

TEST_F(UndoColorKeeperTest, TheControlsOwnRedoKeyColoursToo)
{
    SetText(kText);
    view.ColorAll();
    Replace(5, 5, "<x>");
    view.undo();
    QKeyEvent redo(QEvent::KeyPress, Qt::Key_Y, Qt::ControlModifier);
    QApplication::sendEvent(&view, &redo);
    ASSERT_EQ(Text(), kText.left(5) + "<x>" + kText.mid(5));
    EXPECT_EQ(Styles(4, 9), PassStyles(4, 9));
}

}  // namespace
