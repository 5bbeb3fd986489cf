#include "editor/EditorTestSupport.h"

#include "CmdUI.h"
#include "CommandIds.h"
#include "EditorSetup.h"
#include "NamedDocument.h"
#include "PasteSpecialDlg.h"
#include "ViewFrame.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class TarnelViewTest : public ::testing::Test, public SEditorFixture
{
protected:
    TarnelViewTest()
    {
        m_node.name = m_node.endName = "b";
        m_tree.m_pSelected = &m_node;
        doc.m_pTreeView = &m_tree;
    }

    TemplateNode m_node;
    CFakeTree m_tree;
};

TEST_F(TarnelViewTest, CompactInsertionWrapsTheSelectionColoursTagsAndPutsTheCaretBeforeIt)
{
    SetText("say Hello now");
    Select(4, 9);
    view.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr);

    EXPECT_EQ(Text(), QByteArray("say <b>Hello</b> now"));
    EXPECT_EQ(SelStart(), 4);
    EXPECT_EQ(SelEnd(), 4);
    const std::vector<int> expected = {
        STYLE_TAG_BRACKET, STYLE_TAG_TEXT, STYLE_TAG_BRACKET, 1, 1, 1, 1, 1, STYLE_TAG_BRACKET,
        STYLE_TAG_TEXT,    STYLE_TAG_TEXT, STYLE_TAG_BRACKET};
    EXPECT_EQ(Styles(4, 16), expected);
    EXPECT_EQ(StyleAt(3), STYLE_UNCOLOURED);  // nothing outside the snippet is coloured
    EXPECT_EQ(StyleAt(16), STYLE_UNCOLOURED);

    view.undo();
    EXPECT_EQ(Text(), QByteArray("say Hello now"));
}

TEST_F(TarnelViewTest, InsertionAtAnEmptySelectionLeavesTheCaretBeforeTheSnippet)
{
    SetText("abc def");
    Select(3, 3);
    view.InsertElement(false);
    EXPECT_EQ(Text(), QByteArray("abc<b></b> def"));
    EXPECT_EQ(SelStart(), 3);
    EXPECT_EQ(SelEnd(), 3);
}

TEST_F(TarnelViewTest, BlockInsertionPutsTheCaretBeforeTheLeadingLineFeedAndLeavesTheLastUncoloured)
{
    SetText("xHelloy");
    Select(1, 6);
    view.OnCmdMsg(ID_TAG_INSERT_BLOCK, nullptr);
    EXPECT_EQ(Text(), QByteArray("x\n<b>\nHello\n</b>\ny"));
    EXPECT_EQ(SelStart(), 1);
    EXPECT_EQ(SelEnd(), 1);
    EXPECT_EQ(StyleAt(2), STYLE_TAG_BRACKET);
    EXPECT_EQ(StyleAt(17), STYLE_UNCOLOURED);  // the trailing line feed

    view.undo();
    EXPECT_EQ(Text(), QByteArray("xHelloy"));
}

TEST_F(TarnelViewTest, InsertionWithoutATreeSelectionWritesUnknown)
{
    m_tree.m_pSelected = nullptr;
    SetText("Hello");
    Select(0, 5);
    view.OnCmdMsg(ID_TAG_INSERT_INLINE, nullptr);
    EXPECT_EQ(Text(), QByteArray("<UNKNOWN>Hello"));
}

TEST_F(TarnelViewTest, CommentGoesBeforeTheSelectionWhichStaysUnselectedAfterIt)
{
    SetText("0123456789abcdef");
    Select(5, 8);
    view.OnCmdMsg(ID_TAG_INSERT_COMMENT, nullptr);
    EXPECT_EQ(Text(), QByteArray("01234<!-- -->56789abcdef"));
    EXPECT_EQ(SelStart(), 13);
    EXPECT_EQ(SelEnd(), 13);
    EXPECT_EQ(StyleAt(5), STYLE_UNCOLOURED);

    view.undo();
    EXPECT_EQ(Text(), QByteArray("0123456789abcdef"));

    Select(3, 3);
    view.OnCmdMsg(ID_TAG_INSERT_COMMENT, nullptr);
    EXPECT_EQ(Text(), QByteArray("012<!-- -->3456789abcdef"));
    EXPECT_EQ(SelStart(), 11);
}

TEST_F(TarnelViewTest, ReplaceSelectionKeepsNulBytesInOneUndoStep)
{
    SetText("abcd");
    Select(1, 3);
    view.ReplaceSelection(QByteArray("x\0y", 3));
    EXPECT_EQ(Text(), QByteArray("ax\0yd", 5));
    EXPECT_EQ(SelStart(), 4);
    view.undo();
    EXPECT_EQ(Text(), QByteArray("abcd"));
}

TEST_F(TarnelViewTest, ReadTextChunkClipsAtTheEndAndNeverMovesTheSelection)
{
    QByteArray text(15000, 'a');
    text[10240] = 'Z';
    text[12000] = '\0';
    SetText(text);
    Select(7, 3);
    std::vector<char> buffer(10241, 'x');

    ASSERT_EQ(view.ReadTextChunk(buffer.data(), 10240, 10240), 4760);
    EXPECT_EQ(buffer[0], 'Z');
    EXPECT_EQ(buffer[12000 - 10240], '\0');
    EXPECT_EQ(buffer[4759], 'a');
    EXPECT_EQ(buffer[4760], '\0');

    EXPECT_EQ(view.ReadTextChunk(buffer.data(), 20480, 10240), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(Send(Sci::SCI_GETANCHOR), 7);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 3);
}

QByteArray Lines(int nCount, int nLongLines = 0)
{
    QByteArray text;
    for (int i = 0; i < nCount; ++i) {
        if (i < nLongLines)
            text += QByteArray(3000, 'w').replace(7, 1, " ").repeated(1) + "\n";
        else
            text += "line " + QByteArray::number(i) + "\n";
    }
    return text;
}

TEST_F(TarnelViewTest, GoToLineCountsTextLinesAndPutsTenLinesAboveTheTarget)
{
    view.show();
    SetText(Lines(200));
    view.GoToLine(50);
    EXPECT_EQ(SelStart(), Send(Sci::SCI_POSITIONFROMLINE, 50));
    EXPECT_EQ(SelEnd(), SelStart());
    EXPECT_EQ(Send(Sci::SCI_GETFIRSTVISIBLELINE), 40);

    view.GoToLine(5);
    EXPECT_EQ(SelStart(), Send(Sci::SCI_POSITIONFROMLINE, 5));
    EXPECT_EQ(Send(Sci::SCI_GETFIRSTVISIBLELINE), 0);

    view.GoToLine(0);
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(Send(Sci::SCI_GETFIRSTVISIBLELINE), 0);

    view.GoToLine(5000);
    EXPECT_EQ(SelStart(), view.TextLength());
    EXPECT_EQ(SelEnd(), view.TextLength());
}

TEST_F(TarnelViewTest, GoToLineIsNotShiftedByWrappedLinesAbove)
{
    view.show();
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text +=
            (i < 30 ? QByteArray("word ").repeated(400) : "line " + QByteArray::number(i)) + "\n";
    SetText(text);
    view.GoToLine(50);
    EXPECT_EQ(SelStart(), Send(Sci::SCI_POSITIONFROMLINE, 50));
    const long long nTopDisplay = Send(Sci::SCI_GETFIRSTVISIBLELINE);
    EXPECT_GT(nTopDisplay, 40);  // the long lines above do wrap
    EXPECT_EQ(Send(Sci::SCI_DOCLINEFROMVISIBLE, nTopDisplay), 40);
}

// Past the limit a caret key would make the control wrap the whole text at once.
TEST_F(TarnelViewTest, TextsLongerThanTheLimitAreShownUnwrappedAndShorterOnesWrapped)
{
    const auto textOf = [](long long nLength) {
        QByteArray text =
            QByteArray(QByteArray("word ").repeated(199) + "word\n").repeated(nLength / 1000);
        return text.leftJustified(nLength, 'x');
    };
    SetText(textOf(kLongestWrappedText));
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_WORD);

    SetText(textOf(kLongestWrappedText + 1));
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_NONE);
    EXPECT_EQ(Send(Sci::SCI_GETLENGTH), kLongestWrappedText + 1);

    view.ClearText();
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_WORD);

    // Grown past the limit by pasting: unwrapped before the next key or Go to line acts.
    view.ReplaceSelection(textOf(kLongestWrappedText + 1));
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_WORD);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&view, &right);
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_NONE);

    SetText("short");
    view.ReplaceSelection(textOf(kLongestWrappedText + 1));
    view.GoToLine(2000);
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_NONE);
    EXPECT_EQ(SelStart(), Send(Sci::SCI_POSITIONFROMLINE, 2000));
}

// The user's choice holds against the length until the next text is loaded.
TEST_F(TarnelViewTest, WordWrapAsChosenHoldsUntilTheNextLoad)
{
    const QByteArray longText = QByteArray("<a>word</a>\n").repeated(kLongestWrappedText / 12 + 1);
    const struct
    {
        QByteArray loaded;
        bool bChosen;
        bool bLeftUnwrapped;
    } cases[] = {
        {longText, true, true},
        {"<a>short</a>", false, false},
    };
    for (const auto& c : cases) {
        SetText(c.loaded);
        EXPECT_EQ(view.LeftUnwrapped(), c.bLeftUnwrapped) << c.loaded.size();
        EXPECT_EQ(view.WordWrap(), !c.bLeftUnwrapped) << c.loaded.size();
        view.SetWordWrap(c.bChosen);
        EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), c.bChosen ? Sci::SC_WRAP_WORD : Sci::SC_WRAP_NONE);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(&view, &end);
        view.GoToLine(3);
        EXPECT_EQ(view.WordWrap(), c.bChosen) << c.loaded.size();
    }
    SetText(longText);
    EXPECT_FALSE(view.WordWrap());
}

TEST_F(TarnelViewTest, ColorAllStylesTheWorkedExample)
{
    SetText("<item key=\"x\">hi</item>");
    view.ColorAll();
    std::vector<int> expected(23, STYLE_TAG_TEXT);
    expected[0] = expected[13] = expected[16] = expected[22] = STYLE_TAG_BRACKET;
    expected[10] = expected[11] = expected[12] = STYLE_QUOTED;
    expected[14] = expected[15] = STYLE_TEXT;
    EXPECT_EQ(Styles(0, 23), expected);
}

TEST_F(TarnelViewTest, ColorAllColoursALongTagAcrossChunksByRole)
{
    const QByteArray value = "\"" + QByteArray(CTarnelView::kColorChunkSize + 100, 'v') + "\"";
    const QByteArray tag = "<t a=" + value + " b=\"y\">";
    SetText(tag + "tail");
    view.ColorAll();
    const long long nValueEnd = 5 + value.size();
    EXPECT_EQ(StyleAt(0), STYLE_TAG_BRACKET);
    EXPECT_EQ(StyleAt(1), STYLE_TAG_TEXT);
    EXPECT_EQ(StyleAt(5), STYLE_QUOTED);
    EXPECT_EQ(StyleAt(CTarnelView::kColorChunkSize), STYLE_QUOTED);
    EXPECT_EQ(StyleAt(nValueEnd - 1), STYLE_QUOTED);
    EXPECT_EQ(StyleAt(nValueEnd), STYLE_TAG_TEXT);
    EXPECT_EQ(StyleAt(nValueEnd + 3), STYLE_QUOTED);
    EXPECT_EQ(StyleAt(tag.size() - 1), STYLE_TAG_BRACKET);
    EXPECT_EQ(Styles(tag.size(), tag.size() + 4), std::vector<int>(4, STYLE_TAIL));
}

TEST_F(TarnelViewTest, TheTailKeepsTheBoldItHad)
{
    SetText("<a>b<cd>");
    view.ColorAll();
    Send(Sci::SCI_DELETERANGE, 7, 1);  // the tag is now unfinished
    view.ColorAll();
    const std::vector<int> expected = {STYLE_TAG_BRACKET, STYLE_TAG_TEXT, STYLE_TAG_BRACKET,
                                       STYLE_TEXT,        STYLE_TAIL,     STYLE_TAIL_BOLD,
                                       STYLE_TAIL_BOLD};
    EXPECT_EQ(Styles(0, 7), expected);
}

TEST_F(TarnelViewTest, WholeTextColouringNeverMovesTheSelection)
{
    SetText("<a>some text</a>\n<b x=\"1\">");
    Select(9, 4);
    view.ColorAll();
    EXPECT_EQ(Send(Sci::SCI_GETANCHOR), 9);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 4);
    view.OnRecolor();
    EXPECT_EQ(Send(Sci::SCI_GETANCHOR), 9);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 4);
    EXPECT_FALSE(view.IsTextModified());
}

TEST_F(TarnelViewTest, TypedTextIsUncoloured)
{
    SetText("<a>x</a>");
    view.ColorAll();
    Select(3, 3);
    Send(Sci::SCI_ADDTEXT, 2, reinterpret_cast<long long>("yz"));
    EXPECT_EQ(StyleAt(3), STYLE_UNCOLOURED);
    EXPECT_EQ(StyleAt(4), STYLE_UNCOLOURED);
    EXPECT_EQ(StyleAt(2), STYLE_TAG_BRACKET);
}

TEST_F(TarnelViewTest, TheControlLeavesTheWindowsShortcutsAlone)
{
    const QList<QKeyCombination> windowKeys = {
        Qt::CTRL | Qt::Key_A,           Qt::CTRL | Qt::Key_C,       Qt::CTRL | Qt::Key_V,
        Qt::CTRL | Qt::Key_X,           Qt::CTRL | Qt::Key_Z,       Qt::CTRL | Qt::Key_Insert,
        Qt::SHIFT | Qt::Key_Insert,     Qt::SHIFT | Qt::Key_Delete, Qt::ALT | Qt::Key_Backspace,
        QKeyCombination(Qt::Key_Escape)};
    QList<QKeySequence> sequences;
    for (QKeyCombination key : windowKeys)
        sequences << QKeySequence(key);
    view.LeaveKeysToWindow(sequences);
    QsciCommandSet* pCommands = view.standardCommands();
    for (QKeyCombination key : windowKeys)
        EXPECT_EQ(pCommands->boundTo(key.toCombined()), nullptr) << key.toCombined();
    for (QKeyCombination key :
         {QKeyCombination(Qt::Key_Left), Qt::SHIFT | Qt::Key_Left, Qt::CTRL | Qt::Key_Right,
          QKeyCombination(Qt::Key_Home), QKeyCombination(Qt::Key_End),
          QKeyCombination(Qt::Key_PageDown), QKeyCombination(Qt::Key_Backspace),
          QKeyCombination(Qt::Key_Delete), Qt::SHIFT | Qt::Key_End}) {
        EXPECT_NE(pCommands->boundTo(key.toCombined()), nullptr) << key.toCombined();
    }
    EXPECT_TRUE(IsFrameShortcut((Qt::ALT | Qt::Key_T).toCombined(), {}));
    EXPECT_TRUE(IsFrameShortcut(Qt::Key_F5, {}));
    EXPECT_TRUE(IsFrameShortcut((Qt::CTRL | Qt::Key_Z).toCombined(), sequences));
    EXPECT_FALSE(IsFrameShortcut((Qt::CTRL | Qt::Key_Left).toCombined(), sequences));
}

TEST_F(TarnelViewTest, EditCommandsAreEnabledByTheirState)
{
    SetText("abc");
    auto enabled = [this](int nID) {
        CCmdUI ui(nID);
        EXPECT_TRUE(view.OnCmdMsg(nID, &ui)) << nID;
        return ui.m_bEnabled;
    };
    Select(1, 1);
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    EXPECT_FALSE(enabled(ID_EDIT_COPY));
    EXPECT_FALSE(enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(enabled(ID_EDIT_REDO));
    EXPECT_FALSE(enabled(ID_OLE_EDIT_PROPERTIES));
    EXPECT_TRUE(enabled(ID_VIEW_RECOLOR));
    EXPECT_TRUE(enabled(ID_TAG_INSERT_COMMENT));
    Select(0, 2);
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    EXPECT_TRUE(enabled(ID_EDIT_COPY));

    EXPECT_TRUE(view.OnCmdMsg(ID_TAG_INSERT_COMMENT, nullptr));
    EXPECT_TRUE(enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(view.OnCmdMsg(ID_EDIT_UNDO, nullptr));
    EXPECT_EQ(Text(), QByteArray("abc"));
    EXPECT_TRUE(enabled(ID_EDIT_REDO));
    EXPECT_TRUE(view.OnCmdMsg(ID_EDIT_REDO, nullptr));
    EXPECT_NE(Text(), QByteArray("abc"));
    EXPECT_FALSE(enabled(ID_EDIT_REDO));
    EXPECT_TRUE(view.OnCmdMsg(ID_EDIT_UNDO, nullptr));

    QApplication::clipboard()->setText(QStringLiteral("caf\u00e9"));
    EXPECT_TRUE(enabled(ID_EDIT_PASTE_SPECIAL));
    Select(3, 3);
    CPasteSpecialDlg::s_fnRunModal = [](CPasteSpecialDlg& dialog) { dialog.OkButton()->click(); };
    EXPECT_TRUE(view.OnCmdMsg(ID_EDIT_PASTE_SPECIAL, nullptr));
    CPasteSpecialDlg::s_fnRunModal = nullptr;
    EXPECT_EQ(Text(), QByteArray("abccaf\xc3\xa9"));

    EXPECT_FALSE(view.OnCmdMsg(ID_FILE_PRINT, nullptr));
    EXPECT_FALSE(view.OnCmdMsg(ID_FILE_SAVE, nullptr));
}

class CFrameDouble : public QWidget, public IViewFrame
{
public:
    QWidget* GetActiveView() const override { return m_pActive; }
    void SetActiveView(QWidget* view) override { m_pActive = view; }
    QWidget* m_pActive = nullptr;
};

TEST(TarnelViewFrameTest, ActivateMakesTheViewTheFramesActiveView)
{
    CTarnelDoc doc;
    CFrameDouble frame;
    auto* pView = new CTarnelView(&doc, &frame);
    EXPECT_FALSE(doc.IsEditViewRegistered());
    pView->OnInitialUpdate();
    EXPECT_TRUE(doc.IsEditViewRegistered());
    EXPECT_EQ(doc.m_pEditView, pView);
    EXPECT_EQ(pView->PrintMarginsInches(), QMarginsF(0.5, 0.5, 0.5, 0.5));
    doc.ActivateEditor();
    EXPECT_EQ(frame.m_pActive, pView);
    delete pView;
    EXPECT_EQ(doc.m_pEditView, nullptr);

    CTarnelView lone(&doc);
    lone.Activate();  // no frame: nothing happens
}

void PressKey(QWidget& widget, QKeyCombination key, const QString& strText = QString())
{
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), strText);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), strText);
    QApplication::sendEvent(&widget, &release);
}

TEST_F(TarnelViewTest, KeysThatWouldChangeLinesOrCaseUnaskedLeaveTheTextAlone)
{
    const std::string text("first line\nsecond Line\nthird\n");
    QApplication::clipboard()->setText(QStringLiteral("clip"));
    const struct
    {
        QKeyCombination key;
        const char* szText;  // what Qt reports as the key's text
    } keys[] = {
        {Qt::CTRL | Qt::Key_T, "\x14"},
        {Qt::CTRL | Qt::Key_D, "\x04"},
        {Qt::CTRL | Qt::Key_U, "\x15"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_U, "\x15"},
        {Qt::CTRL | Qt::Key_L, "\x0c"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_L, "\x0c"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_T, "\x14"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace, ""},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Delete, ""},
    };
    for (const auto& k : keys) {
        for (const bool bSelection : {false, true}) {
            SetText(QByteArray::fromStdString(text));
            Select(bSelection ? 13 : 15, 15);  // "con" of "second", or the caret inside it
            PressKey(view, k.key, QString::fromLatin1(k.szText));
            EXPECT_EQ(Text().toStdString(), text) << QKeySequence(k.key).toString().toStdString()
                                                  << (bSelection ? " with a selection" : "");
        }
    }
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("clip"));
    for (QsciCommand* pCommand : view.standardCommands()->commands()) {
        if (IsUnaskedEditCommand(static_cast<int>(pCommand->command()))) {
            EXPECT_EQ(pCommand->key() | pCommand->alternateKey(), 0)
                << pCommand->description().toStdString();
        }
    }
}

TEST_F(TarnelViewTest, WordDeletionRedoAndOrdinaryTypingStillWork)
{
    SetText("hello big world");
    Select(15, 15);
    PressKey(view, Qt::CTRL | Qt::Key_Backspace);
    EXPECT_EQ(Text(), QByteArray("hello big "));
    Select(0, 0);
    PressKey(view, Qt::CTRL | Qt::Key_Delete);
    EXPECT_EQ(Text(), QByteArray("big "));

    view.undo();
    view.undo();
    EXPECT_EQ(Text(), QByteArray("hello big world"));
    PressKey(view, Qt::CTRL | Qt::Key_Y, QStringLiteral("\x19"));
    EXPECT_EQ(Text(), QByteArray("hello big "));

    Select(6, 9);
    PressKey(view, QKeyCombination(Qt::Key_X), QStringLiteral("x"));
    PressKey(view, QKeyCombination(Qt::Key_Backspace));
    PressKey(view, QKeyCombination(Qt::Key_Y), QStringLiteral("y"));
    EXPECT_EQ(Text(), QByteArray("hello y "));
}

TEST_F(TarnelViewTest, SearchesAndDialogsNameTheViewsDocumentAndAPlainEditorTheDocument)
{
    QsciScintilla plain;
    EXPECT_EQ(INamedDocument::NameOf(&view), QStringLiteral("Untitled"));
    EXPECT_EQ(INamedDocument::NameOf(&plain), QStringLiteral("the document"));
}

}  // namespace
