// What typing adds: indentation after Enter, the end tag after "</", and, when asked for, after
// a start tag's ">"; one Undo takes each addition back.
#include "editor/EditorTestSupport.h"

#include "CommandIds.h"
#include "MessageBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class TypingAidsTest : public ::testing::Test, public SEditorFixture
{
protected:
    void TypeAtEnd(const QByteArray& text, const QString& typed)
    {
        SetText(text);
        Send(Sci::SCI_DOCUMENTEND);
        for (const QChar c : typed) {
            if (c == '\n')
                QTest::keyClick(&view, Qt::Key_Return);
            else
                QTest::keyClicks(&view, QString(c));
        }
    }
    long long Caret() { return Send(Sci::SCI_GETCURRENTPOS); }
};

}  // namespace

TEST_F(TypingAidsTest, EnterKeepsTheIndentationOneUnitDeeperAfterAStartTag)
{
    const struct
    {
        const char* text;
        const char* expected;
    } cases[] = {
        {"<doc>\n  <a>", "<doc>\n  <a>\n    "},
        {"<doc>\n    <a/>", "<doc>\n    <a/>\n    "},
        {"<doc>\n\t<a>", "<doc>\n\t<a>\n\t\t"},
        {"<doc>\r\n  <a>", "<doc>\r\n  <a>\r\n    "},
        {"<doc>", "<doc>\n  "},
    };
    for (const auto& c : cases) {
        TypeAtEnd(c.text, "\n");
        EXPECT_EQ(Text(), c.expected) << c.text;
        EXPECT_EQ(Caret(), view.TextLength()) << c.text;
    }
    view.SetAutoIndent(false);
    TypeAtEnd("<doc>\n  <a>", "\n");
    EXPECT_EQ(Text(), "<doc>\n  <a>\n");
}

TEST_F(TypingAidsTest, SlashAfterLessThanCompletesTheInnermostOpenElement)
{
    TypeAtEnd("<doc>\n  <a x=\"1\">text<b/>", "</");
    EXPECT_EQ(Text(), "<doc>\n  <a x=\"1\">text<b/></a>");
    EXPECT_EQ(Caret(), view.TextLength());
    view.undo();
    EXPECT_EQ(Text(), "<doc>\n  <a x=\"1\">text<b/></");

    TypeAtEnd("<doc><a></a>", "</");
    EXPECT_EQ(Text(), "<doc><a></a></doc>");
    TypeAtEnd("text", "</");
    EXPECT_EQ(Text(), "text</") << "no element open";
}

TEST_F(TypingAidsTest, ClosingStartTagsIsOffUntilAskedFor)
{
    TypeAtEnd("<doc>", "<b>");
    EXPECT_EQ(Text(), "<doc><b>");
    view.SetCloseStartTags(true);
    TypeAtEnd("<doc>", "<b x=\"1\">");
    EXPECT_EQ(Text(), "<doc><b x=\"1\"></b>");
    EXPECT_EQ(Caret(), 14);
    TypeAtEnd("<doc>", "<b/>");
    EXPECT_EQ(Text(), "<doc><b/>");
    view.undo();
    TypeAtEnd("<doc>", "<b>");
    view.undo();
    EXPECT_EQ(Text(), "<doc><b>");
}

TEST_F(TypingAidsTest, TypingOnAsIfThereWereNoCompletionGivesWhatWasTyped)
{
    const struct
    {
        const char* text;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"<doc><added>x", "</added>", "<doc><added>x</added>"},
        {"<doc><added>x", "</added>!", "<doc><added>x</added>!"},
        {"<doc><b>x", "</doc>", "<doc><b>x</doc>"},
        {"<doc><added>x", "</ad>", "<doc><added>x</ad>"},
        {"<doc><b>x", "</\n", "<doc><b>x</b>\n"},
        {"<doc><b>x", "</<", "<doc><b>x</b><"},
    };
    for (const auto& c : cases) {
        TypeAtEnd(c.text, c.typed);
        EXPECT_EQ(Text(), c.expected) << c.text << " + " << c.typed;
    }
}

TEST_F(TypingAidsTest, FormatAndJoinChangeTheSelectedElementsOrAllInOneUndoStep)
{
    CMessageCapture messages;
    const struct
    {
        int nCommand;
        const char* text;
        const char* selected;  // the start of the selection; null: none
        long long nSelected;
        const char* expected;
    } cases[] = {
        {ID_EDIT_FORMAT_XML, "<a><b>x</b><c/></a>\n", nullptr, 0,
         "<a>\n  <b>x</b>\n  <c/>\n</a>\n"},
        {ID_EDIT_FORMAT_XML, "<a>\n  <b><e/></b>\n  <c><d/></c>\n</a>\n", "<c>", 4,
         "<a>\n  <b><e/></b>\n  <c>\n    <d/>\n  </c>\n</a>\n"},
        {ID_EDIT_JOIN_MARKUP, "<a>\n  <b>x</b>\n  <c/>\n</a>\n", nullptr, 0,
         "<a><b>x</b><c/></a>\n"},
        {ID_EDIT_JOIN_MARKUP, "<a>\n  <b>\n    <e/>\n  </b>\n  <c>\n    <d/>\n  </c>\n</a>\n",
         "<c>", 3, "<a>\n  <b>\n    <e/>\n  </b>\n  <c><d/></c>\n</a>\n"},
    };
    for (const auto& c : cases) {
        SetText(c.text);
        const long long nAt = c.selected ? QByteArray(c.text).indexOf(c.selected) : 0;
        view.SendScintilla(QsciScintillaBase::SCI_SETSEL, nAt, nAt + c.nSelected);
        view.ColorAll();
        view.OnCmdMsg(c.nCommand, nullptr);
        EXPECT_EQ(Text().toStdString(), c.expected);
        WaitForColours();
        const QByteArray styled = StyledText(view);
        view.ColorAll();
        EXPECT_EQ(StyledText(view), styled) << "coloured as a whole pass would";
        view.undo();
        EXPECT_EQ(Text().toStdString(), c.text);
    }
    EXPECT_TRUE(messages.Messages().isEmpty());

    SetText("<a><b></a>\n");
    view.OnCmdMsg(ID_EDIT_FORMAT_XML, nullptr);
    EXPECT_EQ(Text(), "<a><b></a>\n");
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_EQ(messages.Messages().first(),
              "The text is not well-formed and was not formatted: mismatched tag at line 1\n");
}
