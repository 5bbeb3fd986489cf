#include "editor/EditorTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class EditorInputTest : public ::testing::Test, public SEditorFixture
{
protected:
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(&view, &release);
    }
    void CaretToEnd() { Send(Sci::SCI_DOCUMENTEND); }
};

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
