// Folding by element in the editor: levels exact after any kind of edit, and the fold commands.
#include "editor/EditorTestSupport.h"
#include "markup/StringLines.h"

#include "CommandIds.h"
#include "FoldLevels.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <random>

namespace {

using Sci = QsciScintillaBase;

class FoldingTest : public ::testing::Test, public SEditorFixture
{
protected:
    FoldingTest() { view.SetFolding(true); }

    void WaitForFolds()
    {
        for (int i = 0; i < 100000 && view.Folds().IsPending(); ++i)
            QCoreApplication::processEvents();
    }
    std::vector<int> Levels()
    {
        std::vector<int> levels;
        for (long long line = 0; line < Send(Sci::SCI_GETLINECOUNT); ++line)
            levels.push_back(static_cast<int>(Send(Sci::SCI_GETFOLDLEVEL, line)));
        return levels;
    }
    static std::vector<int> WholePassLevels(const QByteArray& bytes)
    {
        CStringText text(bytes.toStdString());
        CStringLines lines(text);
        CFoldLevels levels(text, lines);
        levels.Start();
        levels.Finish();
        return lines.m_levels;
    }
    bool LineVisible(long long line) { return Send(Sci::SCI_GETLINEVISIBLE, line) != 0; }
    long long CaretLine() { return Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETCURRENTPOS)); }
};

}  // namespace

TEST_F(FoldingTest, LevelsAreAWholePassAfterTypingDeletingUndoAndRedo)
{
    std::mt19937 random(11);
    static const char* const pieces[] = {"<a>", "</a>", "\n", "<!--", "-->", "<b/>", ">", "x\n"};
    SetText("<doc>\n  <a>\n    text\n  </a>\n</doc>\n");
    for (int nEdit = 0; nEdit < 300; ++nEdit) {
        const long long nLength = view.TextLength();
        const long long nAt = std::uniform_int_distribution<long long>(0, nLength)(random);
        switch (random() % 5) {
        case 0:
            Send(Sci::SCI_DELETERANGE, nAt, std::min<long long>(1 + random() % 5, nLength - nAt));
            break;
        case 1:
            view.undo();
            break;
        case 2:
            view.redo();
            break;
        default:
            Send(Sci::SCI_INSERTTEXT, nAt,
                 reinterpret_cast<long long>(pieces[random() % std::size(pieces)]));
            break;
        }
        if (random() % 8 == 0) {
            QCoreApplication::processEvents();
            WaitForFolds();
            ASSERT_EQ(Levels(), WholePassLevels(Text())) << "after edit " << nEdit;
        }
    }
}

TEST_F(FoldingTest, FoldingAnElementHidesItsLinesAndTheCaretStaysOnItsFirstLine)
{
    SetText("<doc>\n  <a>\n    text\n  </a>\n  <b/>\n</doc>\n");
    WaitForFolds();
    Send(Sci::SCI_GOTOPOS, Send(Sci::SCI_POSITIONFROMLINE, 2) + 4);
    view.OnCmdMsg(ID_VIEW_FOLD, nullptr);
    EXPECT_EQ(CaretLine(), 1);
    EXPECT_FALSE(LineVisible(2));
    EXPECT_FALSE(LineVisible(3));
    EXPECT_TRUE(LineVisible(4));
    Send(Sci::SCI_LINEDOWN);
    EXPECT_EQ(CaretLine(), 4) << "the caret steps over the folded lines";

    view.OnCmdMsg(ID_VIEW_FOLD_ALL, nullptr);
    EXPECT_EQ(CaretLine(), 0);
    EXPECT_FALSE(LineVisible(1));
    view.OnCmdMsg(ID_VIEW_UNFOLD_ALL, nullptr);
    for (long long line = 0; line < 6; ++line)
        EXPECT_TRUE(LineVisible(line)) << line;

    view.OnCmdMsg(ID_VIEW_FOLD_ALL, nullptr);
    view.SetFolding(false);
    EXPECT_TRUE(LineVisible(3)) << "turning folding off shows every line";
}
