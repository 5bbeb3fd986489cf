#include "editor/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

struct SScrollCase
{
    int nPaneHeight;
    int nTarget;
    long long nRowsAbove;  // -1: as many as the pane allows, up to ten
};

// 200 lines, those from 30 to 69 long enough to wrap into several rows.
QByteArray WrappingText()
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += (i >= 30 && i < 70 ? QByteArray("word ").repeated(300)
                                   : "line " + QByteArray::number(i))
                + "\n";
    return text;
}

class GoToLineScrollTest : public ::testing::Test, public SEditorFixture
{
};

TEST_F(GoToLineScrollTest, TheTargetStandsTenDisplayRowsBelowTheTopAndAlwaysOnScreen)
{
    view.show();
    SetText(WrappingText());
    const SScrollCase cases[] = {
        {300, 50, 10}, {300, 75, 10}, {300, 150, 10}, {300, 3, 3},
        {90, 50, -1},  {90, 150, -1}, {30, 50, -1},   {30, 150, -1},
    };
    for (const SScrollCase& test : cases) {
        view.resize(500, test.nPaneHeight);
        view.GoToLine(test.nTarget);
        const long long nRows = Send(Sci::SCI_LINESONSCREEN);
        const long long nTop = Send(Sci::SCI_GETFIRSTVISIBLELINE);
        const long long nTargetRow = Send(Sci::SCI_VISIBLEFROMDOCLINE, test.nTarget);
        const long long nExpectedAbove =
            test.nRowsAbove >= 0 ? test.nRowsAbove : std::min(nRows - 1, 10LL);
        EXPECT_EQ(SelStart(), Send(Sci::SCI_POSITIONFROMLINE, test.nTarget));
        EXPECT_EQ(nTargetRow - nTop, nExpectedAbove) << test.nPaneHeight << " " << test.nTarget;
        EXPECT_LT(nTargetRow - nTop, nRows) << test.nPaneHeight << " " << test.nTarget;
    }
}

}  // namespace
