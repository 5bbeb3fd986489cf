#include "editor/EditorTestSupport.h"

#include "MessageBox.h"
#include "StatusNote.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <gtest/gtest.h>

#include <functional>

namespace {

using Sci = QsciScintillaBase;

class EditorInputTest : public ::testing::Test, public SEditorFixture
{
public:
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(&view, &release);
    }
    void CaretToEnd() { Send(Sci::SCI_DOCUMENTEND); }
    void Commit(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&view, &event);
    }
    // Drags `text` from another program over the text's start and drops it there.
    void Drop(const QString& text)
    {
        QMimeData data;
        data.setText(text);
        const QPoint point(2, 2);
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &enter);
        QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &drop);
    }

    CMessageCapture m_messages;
    CStatusNoteCapture m_notes;
};

struct SChordCase
{
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QByteArray expected;  // after the chord at the end of "x"
};

TEST_F(EditorInputTest, ChordsWithCtrlOrAltThatAreNoCommandTypeNothing)
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const SChordCase cases[] = {
        {Qt::Key_Plus, ctrl | shift, "+", "x"},
        {Qt::Key_Equal, ctrl, "=", "x"},
        {Qt::Key_Minus, ctrl, "-", "x"},
        {Qt::Key_0, ctrl, "0", "x"},
        {Qt::Key_7, ctrl, "7", "x"},
        {Qt::Key_Comma, ctrl, ",", "x"},
        {Qt::Key_Period, ctrl, ".", "x"},
        {Qt::Key_Semicolon, ctrl, ";", "x"},
        {Qt::Key_Apostrophe, ctrl, "'", "x"},
        {Qt::Key_Exclam, ctrl | shift, "!", "x"},
        {Qt::Key_Less, ctrl, "<", "x"},
        {Qt::Key_Q, alt, "q", "x"},
        {Qt::Key_B, alt, "b", "x"},
        {Qt::Key_3, alt, "3", "x"},
        {Qt::Key_X, alt, "x", "x"},
        {Qt::Key_A, alt | shift, "A", "x"},
        {Qt::Key_A, shift, "A", "xA"},
        {Qt::Key_Plus, shift, "+", "x+"},
        {Qt::Key_E, Qt::GroupSwitchModifier, QStringLiteral("\u20ac"), "x\xe2\x82\xac"},
    };
    for (const SChordCase& test : cases) {
        SetText("x");
        CaretToEnd();
        Press(test.key, test.modifiers, test.text);
        EXPECT_EQ(Text(), test.expected) << test.text.toStdString() << " " << test.modifiers;
    }
    SetText("ab cd");
    Press(Qt::Key_Right, ctrl | shift);  // a command of the control's own still works
    EXPECT_EQ(SelEnd(), 3);
    EXPECT_EQ(Text(), QByteArray("ab cd"));
}

TEST_F(EditorInputTest, CtrlPlusEqualsMinusAndZeroZoomAndSayTheNewZoom)
{
    QList<int> reported;
    QObject::connect(&view, &CTarnelView::zoomChanged, [&](int nZoom) { reported << nZoom; });
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Equal, Qt::ControlModifier},
        {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier},
        {Qt::Key_Minus, Qt::ControlModifier},
        {Qt::Key_0, Qt::ControlModifier},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier},
    };
    for (const auto& [nKey, modifiers] : keys)
        Press(nKey, modifiers);
    EXPECT_EQ(reported, QList<int>({1, 2, 3, 2, 0, -1}));
    EXPECT_EQ(view.SendScintilla(Sci::SCI_GETZOOM), -1);
    view.SetZoom(99);
    EXPECT_EQ(reported.last(), 20);
}

struct SLatinCase
{
    const char* name;
    std::function<void(EditorInputTest&)> bringIn;
    bool bMessage;  // refusals of typed text are notes, of pasted and dropped text messages
};

TEST_F(EditorInputTest, TextAnEightBitDocumentCannotStoreIsRefusedEveryWayIn)
{
    const QString kEuro = QStringLiteral("a\u20acb");
    const SLatinCase cases[] = {
        {"typing",
         [&](EditorInputTest& t) { t.Press(0, Qt::NoModifier, QStringLiteral("\u20ac")); }, false},
        {"input method", [&](EditorInputTest& t) { t.Commit(kEuro); }, false},
        {"paste",
         [&](EditorInputTest& t) {
             QApplication::clipboard()->setText(kEuro);
             t.view.paste();
         },
         true},
        {"drop", [&](EditorInputTest& t) { t.Drop(kEuro); }, true},
    };
    for (const SLatinCase& test : cases) {
        view.LoadBytes("x\xe9y", false);
        Select(1, 2);
        m_messages.Clear();
        m_notes.Clear();
        test.bringIn(*this);
        EXPECT_EQ(Text(), QByteArray("x\xe9y")) << test.name;
        EXPECT_EQ(SelStart(), 1) << test.name;
        EXPECT_EQ(m_messages.Messages().size(), test.bMessage ? 1 : 0) << test.name;
        EXPECT_EQ(m_notes.Beeps(), test.bMessage ? 0 : 1) << test.name;
        const QString told =
            test.bMessage ? m_messages.Messages().value(0) : m_notes.Notes().value(0);
        EXPECT_TRUE(told.contains(QStringLiteral("Untitled"))) << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("8-bit (Latin-1)"))) << told.toStdString();
    }
}

TEST_F(EditorInputTest, LatinOneTextComesInAsOneByteACharacter)
{
    const std::function<void(EditorInputTest&)> ways[] = {
        [](EditorInputTest& t) { t.Press(0, Qt::NoModifier, QStringLiteral("\u00e0")); },
        [](EditorInputTest& t) { t.Commit(QStringLiteral("\u00e0")); },
        [](EditorInputTest& t) {
            QApplication::clipboard()->setText(QStringLiteral("\u00e0"));
            t.view.paste();
        },
    };
    for (const auto& bringIn : ways) {
        view.LoadBytes("x\xe9y", false);
        Select(1, 2);
        bringIn(*this);
        EXPECT_EQ(Text(), QByteArray("x\xe0y"));
    }
    view.LoadBytes("xy", false);
    Drop(QStringLiteral("\u00e0"));
    EXPECT_EQ(Text(), QByteArray("\xe0xy"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    EXPECT_TRUE(m_notes.Notes().isEmpty());
}

struct SLineEndCase
{
    QByteArray text;
    QByteArray lineEnd;
};

TEST_F(EditorInputTest, EnterInsertsTheFirstLineEndOfTheText)
{
    const SLineEndCase cases[] = {
        {"<a>\r\n</a>", "\r\n"}, {"<a>\r\n</a>\n", "\r\n"}, {"<a>\n</a>\r\n", "\n"},
        {"<a>\r</a>", "\r"},     {"<a></a>", "\n"},         {"", "\n"},
    };
    for (const SLineEndCase& test : cases) {
        SetText(test.text);
        CaretToEnd();
        Press(Qt::Key_Return);
        EXPECT_EQ(Text(), test.text + test.lineEnd) << test.text.toStdString();
    }
}

TEST_F(EditorInputTest, EnterFollowsTheLineEndOfANewDocumentsHeader)
{
    ASSERT_TRUE(doc.OnNewDocument());
    Press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Text(), CTarnelDoc::HeaderComment() + "\n");
}

}  // namespace
