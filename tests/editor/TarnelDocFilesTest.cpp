#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"
#include "files/FileFailureSupport.h"

#include "MessageBox.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TarnelDocFilesTest : public ::testing::Test, public SEditorFixture
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        WriteRaw(PathOf(name), bytes);
        return PathOf(name);
    }
    void TypeAt(long long nOffset, const QByteArray& text)
    {
        Select(nOffset, nOffset);
        view.ReplaceSelection(text);
    }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
    CDialogAnswers m_answers;
};

TEST_F(TarnelDocFilesTest, SavingWritesTheTextOnBothSidesOfAnEditExactly)
{
    const QByteArray original = QByteArray("<a>\0", 4) + QByteArray(200000, 'm') + "</a>\n";
    const QString path = Write(QStringLiteral("doc.xml"), original);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    for (const long long nOffset : {100000LL, 0LL, static_cast<long long>(original.size())}) {
        TypeAt(nOffset, QByteArray("<ins>\0</ins>", 12));
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(RawContents(path), Text()) << nOffset;
        EXPECT_FALSE(doc.IsModified());
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TarnelDocFilesTest, AFailedSaveSaysWhyKeepsTheFileAndLeavesTheDocumentModified)
{
    const QByteArray original("<original/>\n");
    const QString path = Write(QStringLiteral("doc.xml"), original);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    for (const int nSize : {5000, 700 * 1024}) {
        TypeAt(0, QByteArray(nSize, 'x'));
        bool bSaved = true;
        {
            CFileSizeLimit limit(4096);
            bSaved = doc.OnSaveDocument(path);
        }
        EXPECT_FALSE(bSaved);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(RawContents(path), original);
        EXPECT_EQ(m_messages.Messages(),
                  QStringList{QStringLiteral("Could not save %1: File too large.").arg(path)});
        m_messages.Clear();
    }
}

}  // namespace
