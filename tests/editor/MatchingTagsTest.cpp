// Matching tags in the editor: the marks follow the caret, Ctrl+M and Ctrl+Shift+M.
#include "editor/EditorTestSupport.h"

#include "CommandIds.h"
#include "MatchingTags.h"
#include "StatusNote.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class MatchingTagsTest : public ::testing::Test, public SEditorFixture
{
protected:
    // <doc> 0-5, <a x="1"> 5-14, text, </a> 18-22, <b> 22-25, </doc> 25-31
    MatchingTagsTest()
    {
        SetText("<doc><a x=\"1\">text</a><b></doc>");
        // The marks follow the caret when the control updates its window.
        view.show();
    }

    void Caret(long long position)
    {
        Send(Sci::SCI_GOTOPOS, position);
        QCoreApplication::processEvents();
    }
    std::string Marked()
    {
        std::string marks;
        for (long long i = 0; i < view.TextLength(); ++i)
            marks += Send(Sci::SCI_INDICATORVALUEAT, CMatchingTags::kIndicator, i) ? 'm' : '.';
        return marks;
    }
    long long CaretPos() { return Send(Sci::SCI_GETCURRENTPOS); }
};

}  // namespace

TEST_F(MatchingTagsTest, BothTagsAreMarkedWhileTheCaretIsInOneOfThem)
{
    Caret(7);
    EXPECT_EQ(Marked(), ".....mmmmmmmmm....mmmm.........");
    Caret(20);
    EXPECT_EQ(Marked(), ".....mmmmmmmmm....mmmm.........");
    Caret(16);
    EXPECT_EQ(Marked(), std::string(31, '.'));
    Caret(23);
    EXPECT_EQ(Marked(), std::string(31, '.')) << "<b> has no end tag";
}

TEST_F(MatchingTagsTest, CtrlMGoesToTheOtherTagAndNotesATagWithoutOne)
{
    CStatusNoteCapture notes;
    Caret(7);
    view.OnCmdMsg(ID_EDIT_GOTO_MATCH, nullptr);
    EXPECT_EQ(CaretPos(), 19);
    view.OnCmdMsg(ID_EDIT_GOTO_MATCH, nullptr);
    EXPECT_EQ(CaretPos(), 6);
    EXPECT_TRUE(notes.Notes().isEmpty());

    Caret(23);
    view.OnCmdMsg(ID_EDIT_GOTO_MATCH, nullptr);
    EXPECT_EQ(CaretPos(), 23);
    ASSERT_EQ(notes.Notes().size(), 1);
    EXPECT_EQ(notes.Notes().front(), "No matching tag for <b>.");
}

TEST_F(MatchingTagsTest, CtrlShiftMSelectsTheElementThenItsParent)
{
    Caret(16);
    view.OnCmdMsg(ID_EDIT_SELECT_ELEMENT, nullptr);
    EXPECT_EQ(SelStart(), 5);
    EXPECT_EQ(SelEnd(), 22);
    view.OnCmdMsg(ID_EDIT_SELECT_ELEMENT, nullptr);
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(SelEnd(), 31);
}

TEST_F(MatchingTagsTest, ThePathNamesTheElementsAtTheCaretAndAStepSelectsItsElement)
{
    SetText("<catalog><book/><book><title>T</title></book></catalog>");
    Caret(30);
    EXPECT_EQ(view.Path().StepsAtCaret(), QStringList({"catalog", "book[2]", "title"}));
    view.Path().SelectStep(1);
    EXPECT_EQ(SelStart(), 16);
    EXPECT_EQ(SelEnd(), 45);
    Caret(0);
    EXPECT_EQ(view.Path().StepsAtCaret(), QStringList({"catalog"}));
}

TEST_F(MatchingTagsTest, AnEditBeforeALongElementKeepsItsTagsMatched)
{
    // <big> spans many checkpoints; typing before it moves its start tag.
    QByteArray text("<doc><a>x</a>\n<big>\n");
    while (text.size() < 200 * 1024)
        text += "<line>some text</line>\n";
    text += "</big></doc>";
    SetText(text);
    view.Folds().Finish();
    Send(Sci::SCI_GOTOPOS, 14);
    Send(Sci::SCI_ADDTEXT, 4, reinterpret_cast<long long>("<c/>"));
    QCoreApplication::processEvents();
    view.Folds().Finish();
    const long long nEnd = Text().indexOf("</big>");
    Caret(nEnd + 2);
    view.OnCmdMsg(ID_EDIT_GOTO_MATCH, nullptr);
    EXPECT_EQ(CaretPos(), Text().indexOf("<big>") + 1);
}
