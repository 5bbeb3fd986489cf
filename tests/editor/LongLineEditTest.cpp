// A one-line file, far longer than the structure checkpoints' spacing: its column, F5, the
// clipboard and saving work on it byte for byte. (Lines too long to show at once take the
// control seconds to lay out at each caret move, so these are shorter.)
#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"
#include "files/FileFailureSupport.h"

#include "MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class LongLineEditTest : public ::testing::Test, public SEditorFixture
{
protected:
    // "<feed>" then records with one "é" each, about 400 KB on one line; `end` closes it.
    void Open(const QByteArray& end)
    {
        const QByteArray item("<item id=\"7\"><name>caf\xc3\xa9</name></item>");
        m_original = "<feed>" + item.repeated(400 * 1024 / item.size()) + end;
        m_path = m_dir.filePath(QStringLiteral("feed.xml"));
        WriteRaw(m_path, m_original);
        ASSERT_TRUE(doc.OnOpenDocument(m_path));
        ASSERT_EQ(Text(), m_original);
    }

    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_original;
    CMessageCapture m_messages;
    CDialogAnswers m_answers{doc};
};

TEST_F(LongLineEditTest, TheColumnCountsCharactersFarIntoTheLineThroughEdits)
{
    Open("</feed>");
    const long long nFar = m_original.size() - 7;
    for (const long long nEditAt : {10LL, nFar - 100, nFar}) {
        Select(nFar, nFar);
        view.CaretLineColumn();
        Select(nEditAt, nEditAt);
        view.ReplaceSelection("\xc3\xa9");
        const long long nCaret = Text().size() - 7;
        Select(nCaret, nCaret);
        const QByteArray before = Text().left(nCaret);
        const long long nCharacters = QString::fromUtf8(before).size();
        EXPECT_EQ(view.CaretLineColumn(), std::make_pair(1LL, nCharacters + 1)) << nEditAt;
    }
}

TEST_F(LongLineEditTest, F5FindsTheErrorAtTheEndOfTheLineAndMarksItsCharacter)
{
    Open("</fed>");
    m_messages.Clear();
    doc.CheckWellFormed();
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].endsWith(QStringLiteral(" at line 1\n")))
        << m_messages.Messages()[0].toStdString();
    EXPECT_EQ(view.ErrorMarker().Position(), m_original.size() - 6 + 2);
}

TEST_F(LongLineEditTest, CopyPasteAndSaveKeepEveryOtherByte)
{
    Open("</feed>");
    const long long nFrom = 1000, nTo = m_original.size() - 1000;
    Select(nFrom, nTo);
    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text().toUtf8(), m_original.mid(nFrom, nTo - nFrom));
    const long long nEnd = m_original.size() - 7;
    Select(nEnd, nEnd);
    view.paste();
    const QByteArray expected =
        m_original.left(nEnd) + m_original.mid(nFrom, nTo - nFrom) + m_original.mid(nEnd);
    ASSERT_EQ(Text(), expected);
    ASSERT_TRUE(doc.OnSaveDocument(m_path));
    EXPECT_EQ(RawContents(m_path), expected);
}

}  // namespace
