#include "editor/EditorTestSupport.h"

#include "CommandIds.h"
#include "MessageBox.h"

#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Sci = QsciScintillaBase;

class ViewInserterTest : public ::testing::Test, public SEditorFixture
{
protected:
    ViewInserterTest()
    {
        m_tree.m_pSelected = &m_node;
        doc.m_pTreeView = &m_tree;
    }
    void SetNode(const std::string& name, const std::string& attributes = {})
    {
        m_node.name = m_node.endName = name;
        m_node.attributes = attributes;
    }

    TemplateNode m_node;
    CFakeTree m_tree;
    CMessageCapture m_messages;
};

struct SSelectionCase
{
    const char* name;
    std::function<void(SEditorFixture&)> select;
    std::function<void(CTarnelView&)> command;
    QByteArray expected;
    long long nTagStart;  // where the coloured start tag begins, -1 for the comment
};

// "abcd\nefgh\nijkl": a rectangle from line 0 column 1 to line 2 column 2 is the stream
// "bcd\nefgh\nij" at 1; of two selections, "bc" and "fg", the one added last is the main one.
void SelectRectangle(SEditorFixture& f)
{
    f.Send(Sci::SCI_SETRECTANGULARSELECTIONANCHOR, 1);
    f.Send(Sci::SCI_SETRECTANGULARSELECTIONCARET, 12);
}

void SelectTwo(SEditorFixture& f)
{
    f.Send(Sci::SCI_SETSELECTION, 3, 1);
    f.Send(Sci::SCI_ADDSELECTION, 8, 6);
}

TEST_F(ViewInserterTest, InsertionsActOnTheMainSelectionAsAStream)
{
    SetNode("b");
    const auto inl = [](CTarnelView& v) { v.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr); };
    const auto comment = [](CTarnelView& v) { v.OnCmdMsg(ID_TAG_INSERT_COMMENT, nullptr); };
    const SSelectionCase cases[] = {
        {"rectangle, element", SelectRectangle, inl, "a<b>bcd\nefgh\nij</b>kl", 1},
        {"rectangle, comment", SelectRectangle, comment, "a<!-- -->bcd\nefgh\nijkl", -1},
        {"two, element", SelectTwo, inl, "abcd\ne<b>fg</b>h\nijkl", 6},
        {"two, comment", SelectTwo, comment, "abcd\ne<!-- -->fgh\nijkl", -1},
    };
    for (const SSelectionCase& test : cases) {
        SetText("abcd\nefgh\nijkl");
        test.select(*this);
        test.command(view);
        EXPECT_EQ(Text(), test.expected) << test.name;
        EXPECT_EQ(Send(Sci::SCI_GETSELECTIONS), 1) << test.name;
        if (test.nTagStart >= 0) {
            const std::vector<int> tag = {STYLE_TAG_BRACKET, STYLE_TAG_TEXT, STYLE_TAG_BRACKET};
            EXPECT_EQ(Styles(test.nTagStart, test.nTagStart + 3), tag) << test.name;
            EXPECT_EQ(SelStart(), test.nTagStart) << test.name;
        }
    }
}

struct SEncodingCase
{
    std::string name;
    std::string attributes;
    bool bUtf8;
    QByteArray expected;  // empty: refused
};

TEST_F(ViewInserterTest, TheTemplatesCharactersAreWrittenInTheDocumentsEncodingOrRefused)
{
    const SEncodingCase cases[] = {
        {"caf\xc3\xa9", "k=\"\xc3\xa0\" ", false, "x<caf\xe9 k=\"\xe0\" >s\xe9</caf\xe9>y"},
        {"caf\xc3\xa9", "", true, "x<caf\xc3\xa9>s\xc3\xa9</caf\xc3\xa9>y"},
        {"b", "k=\"\xe2\x82\xac\" ", false, ""},
        {"\xe2\x82\xac", "", false, ""},
    };
    for (const SEncodingCase& test : cases) {
        SetNode(test.name, test.attributes);
        const QByteArray selected = test.bUtf8 ? "s\xc3\xa9" : "s\xe9";
        const QByteArray original = "x" + selected + "y";
        view.LoadBytes(original, test.bUtf8);
        Select(1, 1 + selected.size());
        m_messages.Clear();
        view.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr);
        EXPECT_EQ(Text(), test.expected.isEmpty() ? original : test.expected) << test.name;
        EXPECT_EQ(m_messages.Messages().size(), test.expected.isEmpty() ? 1 : 0) << test.name;
    }
    EXPECT_TRUE(m_messages.Messages().value(0).startsWith(
        QStringLiteral("Nothing was inserted into Untitled")));
}

TEST_F(ViewInserterTest, TabVisitsTheEmptyValuesThenTheContentUntilAnotherKey)
{
    SetNode("note", "id=\"\" kind=\"\" ");
    SetText("xy");
    Select(1, 1);
    view.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr);
    ASSERT_EQ(Text(), "x<note id=\"\" kind=\"\" ></note>y");
    const long long nCaretAfterTabs[] = {11, 19, 22};
    for (long long nCaret : nCaretAfterTabs) {
        QTest::keyClick(&view, Qt::Key_Tab);
        EXPECT_EQ(SelStart(), nCaret);
    }
    QTest::keyClick(&view, Qt::Key_Tab);  // past the last stop: an ordinary tab
    EXPECT_EQ(Text(), "x<note id=\"\" kind=\"\" >\t</note>y");

    view.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr);
    QTest::keyClick(&view, Qt::Key_Escape);
    QTest::keyClick(&view, Qt::Key_Tab);  // the stops are gone: the tab is typed
    EXPECT_EQ(Send(QsciScintillaBase::SCI_CANUNDO), 1);
    EXPECT_TRUE(Text().contains("\t<note"));
}

}  // namespace
