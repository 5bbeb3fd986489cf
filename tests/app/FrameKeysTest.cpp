#include "AppTestSupport.h"
#include "editor/DialogAnswers.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "GoToLineDlg.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MarkupScanner.h"
#include "TarnelApp.h"
#include "TarnelDoc.h"
#include "TarnelView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The real application's window, driven with keys as a user would.
class FrameKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.Write("tarnel.xml", kSampleTemplate);
        CLeftView::ResetFirstUpdateForTesting();
        QApplication::clipboard()->clear();
        ASSERT_TRUE(m_app.InitInstance({"-Embedding"}));
        Frame()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    }
    void TearDown() override
    {
        CDialogAnswers answers(*m_app.Document());
        answers.m_answer = IDocumentQuestions::EAnswer::No;
        m_app.ExitInstance();
    }

    CMainFrame* Frame() const { return m_app.MainFrame(); }
    CTarnelView* Editor() const { return Frame()->EditView(); }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Frame();
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    void SelectTreeItem(const QString& name)
    {
        const auto items =
            Frame()->LeftView()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1);
        Frame()->LeftView()->setCurrentItem(items.first());
    }

    bool IsEnabled(int nID) const
    {
        QAction* action = Frame()->Actions().Action(nID);
        Frame()->UpdateCommandStates();
        return action->isEnabled();
    }

    CScratchFolder m_folder;
    CMessageCapture m_messages;
    CTarnelApp m_app;
};

TEST_F(FrameKeysTest, EveryCommandFollowsTheRouteWithEitherPaneActive)
{
    const QList<int> always = {ID_TIP_OF_THE_DAY,
                               ID_TAG_INSERT_INLINE,
                               ID_VIEW_FOCUS_TREE,
                               ID_VIEW_FOCUS_EDITOR,
                               ID_TAG_INSERT_BLOCK,
                               ID_FILE_LOAD_TEMPLATE,
                               ID_TOOLS_LIGHT_CHECK,
                               ID_EDIT_GOTO_LINE,
                               ID_FILE_NEW,
                               ID_FILE_OPEN,
                               ID_FILE_SAVE,
                               ID_FILE_SAVE_AS,
                               ID_FILE_PRINT,
                               ID_FILE_PRINT_PREVIEW,
                               ID_FILE_PRINT_SETUP,
                               ID_APP_EXIT,
                               ID_APP_ABOUT,
                               ID_NEXT_PANE,
                               ID_PREV_PANE,
                               ID_VIEW_TOOLBAR,
                               ID_VIEW_STATUS_BAR,
                               ID_TOOLS_XSLT,
                               ID_TOOLS_BROWSER_VIEW,
                               ID_TOOLS_HARD_CHECK,
                               ID_TOOLS_CHOOSE_SCHEMA,
                               ID_TOOLS_CHOOSE_STYLESHEET};
    // The error list is empty: nothing to go to.
    const QList<int> never = {ID_ESCAPE,         ID_TOOLS_BUTTON_B,   ID_OLE_EDIT_PROPERTIES,
                              ID_FILE_MRU_FILE1, ID_TOOLS_NEXT_ERROR, ID_TOOLS_PREV_ERROR};
    const QList<int> editorOnly = {ID_VIEW_RECOLOR, ID_TAG_INSERT_COMMENT, ID_EDIT_SELECT_ALL,
                                   ID_EDIT_FIND, ID_EDIT_REPLACE};
    const QList<int> editorWithState = {ID_EDIT_UNDO,  ID_EDIT_REDO,  ID_EDIT_CUT,
                                        ID_EDIT_COPY,  ID_EDIT_PASTE, ID_EDIT_PASTE_SPECIAL,
                                        ID_EDIT_REPEAT};

    for (int nID : always + never + editorOnly + editorWithState)
        EXPECT_EQ(IsEnabled(nID), always.contains(nID)) << "tree active, command " << nID;

    Key(Qt::Key_F6);
    ASSERT_EQ(Frame()->GetActiveView(), Editor());
    for (int nID : always + never + editorOnly + editorWithState)
        EXPECT_EQ(IsEnabled(nID), always.contains(nID) || editorOnly.contains(nID))
            << "editor active, command " << nID;

    QTest::keyClicks(Editor(), "text");
    Key(Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText("clip");
    for (int nID : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_PASTE_SPECIAL})
        EXPECT_TRUE(IsEnabled(nID)) << "editor with text, selection and clipboard, command " << nID;
}

TEST_F(FrameKeysTest, AltTAndAltNInsertTheSelectedElementFromTheTreePane)
{
    SelectTreeItem("b");
    Frame()->LeftView()->setFocus();
    Key(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<b></b>"));
    SelectTreeItem("p");
    Key(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("\n<p class=\"note\" >\n\n</p>\n<b></b>"));
    EXPECT_EQ(Frame()->GetActiveView(), Frame()->LeftView());
}

TEST_F(FrameKeysTest, AltOneThenAltTInsertsIntoTheEditorWhileTheFocusSitsInTheTree)
{
    Key(Qt::Key_2, Qt::AltModifier);
    ASSERT_EQ(Frame()->GetActiveView(), Editor());
    QTest::keyClicks(Editor(), "Hello");
    Key(Qt::Key_Home, Qt::ShiftModifier);
    SelectTreeItem("b");
    Key(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Frame()->LeftView());
    EXPECT_EQ(Frame()->GetActiveView(), Editor());
    Key(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<b>Hello</b>"));
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 1), STYLE_TAG_TEXT);
}

TEST_F(FrameKeysTest, AltCAndAltRWorkOnlyWhileTheEditorIsActive)
{
    Key(Qt::Key_C, Qt::AltModifier);
    Key(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextLength(), 0);
    Key(Qt::Key_F6);
    QTest::keyClicks(Editor(), "x");
    Key(Qt::Key_Home);
    Key(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<!-- -->x"));
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 1), STYLE_UNCOLOURED);
    Key(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 1), STYLE_TAG_TEXT);
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 8);
}

TEST_F(FrameKeysTest, F5ChecksTheTextAndPutsTheCaretOnTheFailingLine)
{
    Key(Qt::Key_F6);
    QTest::keyClicks(Editor(), "<a>");
    Key(Qt::Key_Return);
    QTest::keyClicks(Editor(), "<b></a>");
    Key(Qt::Key_F5);
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(m_messages.Messages().first(), "mismatched tag at line 2\n");
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), 4);
}

TEST_F(FrameKeysTest, F6AndShiftF6SwitchPanesAndEscChangesNothing)
{
    Key(Qt::Key_F6);
    EXPECT_EQ(Frame()->GetActiveView(), Editor());
    QTest::keyClicks(Editor(), "abc");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("abc"));
    Key(Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(Frame()->GetActiveView(), Frame()->LeftView());
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(FrameKeysTest, AKeyActsOnTheStateAtTheMomentItIsPressed)
{
    // No idle refresh runs between the keys: each command must look at the text as it is.
    struct Case
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QByteArray textAfter;
    };
    const Case cases[] = {
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, ""},
        {"Alt+Backspace", Qt::Key_Backspace, Qt::AltModifier, ""},
        {"Ctrl+X after Shift+Home", Qt::Key_X, Qt::ControlModifier, ""},
    };
    for (const Case& c : cases) {
        Key(Qt::Key_F6);
        ASSERT_EQ(Frame()->GetActiveView(), Editor());
        Editor()->ClearText();
        Frame()->UpdateCommandStates();
        QTest::keyClicks(Editor(), "abc");
        if (QByteArray(c.name).contains("Shift+Home"))
            Key(Qt::Key_Home, Qt::ShiftModifier);
        Key(c.key, c.modifiers);
        EXPECT_EQ(Editor()->TextBytes(), c.textAfter) << c.name;
        Key(Qt::Key_F6);
    }
}

TEST_F(FrameKeysTest, CopyKeysInTheTreeLeaveTheClipboardAlone)
{
    SelectTreeItem("b");
    Frame()->LeftView()->setFocus();
    for (Qt::Key key : {Qt::Key_C, Qt::Key_Insert}) {
        QApplication::clipboard()->setText("clip");
        Key(key, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), "clip") << "key " << key;
    }
}

TEST_F(FrameKeysTest, FocusEnteringAPaneByTabMakesItTheActiveView)
{
    Frame()->LeftView()->setFocus();
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Editor());
    EXPECT_EQ(Frame()->GetActiveView(), Editor());
    Key(Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<!-- -->"));

    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::BacktabFocusReason}) {
        Key(Qt::Key_2, Qt::AltModifier);
        Frame()->LeftView()->setFocus(reason);
        EXPECT_EQ(Frame()->GetActiveView(), Frame()->LeftView()) << "reason " << reason;
    }
}

TEST_F(FrameKeysTest, TheTreesFocusedItemIsTheSelectedOne)
{
    struct Case
    {
        const char* name;
        std::function<void()> keys;
        QByteArray inserted;
    };
    const Case cases[] = {
        {"Alt+1", [this] { Key(Qt::Key_1, Qt::AltModifier); }, "<html></html>"},
        {"Alt+1 Home",
         [this] {
             Key(Qt::Key_1, Qt::AltModifier);
             Key(Qt::Key_Home);
         },
         "<html></html>"},
        {"Ctrl+Space on the selected item",
         [this] {
             SelectTreeItem("b");
             Frame()->LeftView()->setFocus();
             Key(Qt::Key_Space, Qt::ControlModifier);
         },
         "<b></b>"},
    };
    for (const Case& c : cases) {
        m_app.Document()->LoadTemplate("tarnel.xml");  // a fresh tree: nothing selected
        Editor()->ClearText();
        Key(Qt::Key_2, Qt::AltModifier);
        c.keys();
        QTreeWidgetItem* current = Frame()->LeftView()->currentItem();
        ASSERT_NE(current, nullptr) << c.name;
        EXPECT_TRUE(current->isSelected()) << c.name;
        Key(Qt::Key_T, Qt::AltModifier);
        EXPECT_EQ(Editor()->TextBytes(), c.inserted) << c.name;
    }
}

// Answers the Go to line dialog as soon as it is shown: `text` and OK, or Escape when empty.
void AnswerGoToLine(const QString& text)
{
    QTimer::singleShot(0, [text] {
        auto* dialog = qobject_cast<CGoToLineDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (text.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        dialog->LineEdit()->setText(text);
        QTest::keyClick(dialog->LineEdit(), Qt::Key_Return);
    });
}

TEST_F(FrameKeysTest, CtrlGGoesToTheLineAndCancelLeavesTheSelectionAlone)
{
    Key(Qt::Key_F6);
    for (int i = 0; i < 20; ++i)
        Editor()->ReplaceSelection("line " + QByteArray::number(i) + "\n");
    Editor()->SendScintilla(QsciScintillaBase::SCI_SETSEL, 3, 12);

    AnswerGoToLine(QString());
    Key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), 3);
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND), 12);

    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    AnswerGoToLine("5");
    Key(Qt::Key_G, Qt::ControlModifier);
    const long nCaret = Editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    EXPECT_EQ(nCaret, Editor()->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 5));
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), nCaret);
}

TEST_F(FrameKeysTest, CtrlGAcceptsEveryLineTheTextHasAndNoMore)
{
    Key(Qt::Key_F6);
    for (int i = 0; i < 20; ++i)
        Editor()->ReplaceSelection("line " + QByteArray::number(i) + "\n");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CGoToLineDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        for (const char* text : {"21", "20"}) {
            dialog->LineEdit()->setText(QString::fromLatin1(text));
            QTest::keyClick(dialog->LineEdit(), Qt::Key_Return);
        }
    });
    Key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(m_messages.Messages(),
              QStringList{QStringLiteral("Please enter an integer between 0 and 20.")});
    EXPECT_EQ(Editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS), Editor()->length());
}

TEST_F(FrameKeysTest, CtrlYAndCtrlShiftZRedoWhatCtrlZUndid)
{
    Key(Qt::Key_F6);
    QTest::keyClicks(Editor(), "text");
    const std::pair<Qt::Key, Qt::KeyboardModifiers> redoKeys[] = {
        {Qt::Key_Y, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : redoKeys) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Editor()->TextBytes(), QByteArray());
        Key(key, modifiers);
        EXPECT_EQ(Editor()->TextBytes(), QByteArray("text")) << key;
    }
}
TEST_F(FrameKeysTest, OpenStartsInTheDocumentsFolderWithXmlFilesFirst)
{
    CDialogAnswers answers(*m_app.Document());
    Frame()->SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(answers.m_strSuggested, QString());
    EXPECT_TRUE(answers.m_strFilter.startsWith(QStringLiteral("XML files (*.xml ")));

    const QString path = m_folder.Write("doc.xml", "<a/>");
    ASSERT_TRUE(m_app.OpenDocumentFile(path));
    Frame()->SendCommand(ID_FILE_OPEN);
    EXPECT_EQ(answers.m_nOpenDialogs, 2);
    EXPECT_EQ(answers.m_strSuggested, QFileInfo(path).absolutePath() + '/');
}

TEST_F(FrameKeysTest, TreeItemsTellLookAlikesApartShowTheirSnippetAndInsertOnEnterOrDoubleClick)
{
    m_app.Document()->LoadTemplate(m_folder.Write(
        "look.xml", "<html><p/><p class=\"note\"/><br tarn:single=\"yes\"/></html>"));
    CLeftView* pTree = Frame()->LeftView();
    QTreeWidgetItem* pRoot = pTree->topLevelItem(0);
    ASSERT_NE(pRoot, nullptr);
    ASSERT_EQ(pRoot->childCount(), 3);
    EXPECT_EQ(pRoot->child(0)->text(0), QStringLiteral("p"));
    EXPECT_EQ(pRoot->child(1)->text(0), QStringLiteral("p class=\"note\""));
    EXPECT_EQ(pRoot->child(1)->toolTip(0), QStringLiteral("<p class=\"note\" ></p>"));
    EXPECT_EQ(pRoot->child(2)->toolTip(0), QStringLiteral("<br/>"));

    pTree->setFocus();
    pTree->setCurrentItem(pRoot->child(1));
    Key(Qt::Key_Return);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<p class=\"note\" ></p>"));
    EXPECT_EQ(QApplication::focusWidget(), pTree);

    Editor()->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    pTree->scrollToItem(pRoot->child(2));
    const QPoint center = pTree->visualItemRect(pRoot->child(2)).center();
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, center);
    QTest::mouseDClick(pTree->viewport(), Qt::LeftButton, {}, center);
    EXPECT_EQ(Editor()->TextBytes(), QByteArray("<p class=\"note\" ></p><br/>"));
}

}  // namespace
