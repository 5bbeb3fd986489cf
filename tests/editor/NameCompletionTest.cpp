// Names offered while typing markup, from the template's grammar or the document.
#include "editor/EditorTestSupport.h"

#include "MessageBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class NameCompletionTest : public ::testing::Test, public SEditorFixture
{
protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath(QStringLiteral("notes.dtd"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<!ELEMENT notes (note | group)*>\n<!ELEMENT group (note*)>\n"
                   "<!ELEMENT note (#PCDATA)>\n"
                   "<!ATTLIST note lang CDATA #IMPLIED id ID #REQUIRED kind CDATA #REQUIRED>\n");
        file.close();
        doc.LoadTemplate(path);
        ASSERT_TRUE(doc.TemplateGrammar());
        SetText("<notes>\n</notes>");
        WaitForColours();
        Select(8, 8);
    }
    bool ListShown() { return Send(Sci::SCI_AUTOCACTIVE) != 0; }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
};

TEST_F(NameCompletionTest, OffersAllowedElementsThenMissingAttributesRequiredFirst)
{
    QTest::keyClicks(&view, "<");
    ASSERT_TRUE(ListShown());
    QTest::keyClicks(&view, "no");
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(Text(), "<notes>\n<note</notes>");
    QTest::keyClicks(&view, " ");
    ASSERT_TRUE(ListShown());
    QTest::keyClick(&view, Qt::Key_Tab);  // the first offered: a required one
    EXPECT_EQ(Text(), "<notes>\n<note id=\"\"</notes>");
    EXPECT_EQ(SelStart(), 18);  // between the quotes
}

TEST_F(NameCompletionTest, EscapeDismissesAndTheOptionSwitchesItOff)
{
    QTest::keyClicks(&view, "<");
    ASSERT_TRUE(ListShown());
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(Text(), "<notes>\n<</notes>");
    view.Completion().SetEnabled(false);
    QTest::keyClicks(&view, "<");
    EXPECT_FALSE(ListShown());
}

TEST_F(NameCompletionTest, ALessThanTypedBeforeTextOffersTheNamesOfTheElementAroundIt)
{
    SetText("<notes>\nword\n</notes>");
    WaitForColours();
    Select(8, 8);
    QTest::keyClicks(&view, "<");
    ASSERT_TRUE(ListShown());
    QTest::keyClick(&view, Qt::Key_Return);  // the first of group and note
    EXPECT_EQ(Text(), "<notes>\n<groupword\n</notes>");
}

TEST(NameCompletionWithoutGrammarTest, OffersTheNamesTheDocumentUsesTypedOnesToo)
{
    SEditorFixture editor;
    editor.SetText("<r><beta/><gamma>x</gamma></r>");
    editor.view.Folds().Finish();
    const auto offerFirstAt = [&](long long position) {
        editor.Select(position, position);
        QTest::keyClicks(&editor.view, "<");
        EXPECT_NE(editor.Send(Sci::SCI_AUTOCACTIVE), 0);
        QTest::keyClick(&editor.view, Qt::Key_Return);
        editor.view.Folds().Finish();  // as after a pause
    };
    offerFirstAt(3);
    EXPECT_EQ(editor.Text(), "<r><beta<beta/><gamma>x</gamma></r>");
    editor.SetText("<r><beta/></r>");
    editor.view.Folds().Finish();
    editor.Select(3, 3);
    QTest::keyClicks(&editor.view, "<alpha/>");
    QCoreApplication::processEvents();
    editor.view.Folds().Finish();
    offerFirstAt(3);
    EXPECT_EQ(editor.Text(), "<r><alpha<alpha/><beta/></r>") << "a name typed since the open";
}

}  // namespace
