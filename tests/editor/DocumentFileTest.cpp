#include "DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class DocumentFileTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray RawContents(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    static void WriteRaw(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static unsigned ModeOf(const QString& path)
    {
        struct stat info {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        return info.st_mode & 07777;
    }

    QTemporaryDir m_dir;
};

const QByteArray kContents[] = {
    QByteArray("<a>\r\n<b/>\r\n</a>\r\n"),
    QByteArray("<a>\n<b/>\n</a>\n"),
    QByteArray("<a>\r\n<b/>\n</a>\r"),
    QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xe9</a>\n"),
    QByteArray("<a>\xff\xfe\xc3</a>"),
    QByteArray("<a>\0\0x</a>\0", 12),
    QByteArray("<a/>"),
    QByteArray(),
};

TEST_F(DocumentFileTest, SavedBytesAreReadBackUnchanged)
{
    int nIndex = 0;
    for (const QByteArray& bytes : kContents)
    {
        const QString path = PathOf(QStringLiteral("doc%1.xml").arg(nIndex++));
        QString error;
        ASSERT_TRUE(SaveDocumentFile(path, bytes, error)) << error.toStdString();
        EXPECT_EQ(RawContents(path), bytes);
        QByteArray read = "stale";
        ASSERT_TRUE(ReadDocumentFile(path, read, error)) << error.toStdString();
        EXPECT_EQ(read, bytes);
    }
}

TEST_F(DocumentFileTest, SavingReplacesTheFileAndKeepsItsPermissions)
{
    for (unsigned nMode : {0640u, 0600u})
    {
        const QString path = PathOf(QStringLiteral("kept.xml"));
        WriteRaw(path, "<old/>\n");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), nMode), 0);
        QString error;
        ASSERT_TRUE(SaveDocumentFile(path, "<new/>", error)) << error.toStdString();
        EXPECT_EQ(RawContents(path), QByteArray("<new/>"));
        EXPECT_EQ(ModeOf(path), nMode);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"kept.xml"});
}

TEST_F(DocumentFileTest, SavingIntoAMissingFolderFailsNamingTheFile)
{
    const QString path = PathOf(QStringLiteral("missing/doc.xml"));
    QString error;
    EXPECT_FALSE(SaveDocumentFile(path, "<a/>", error));
    EXPECT_EQ(error, QStringLiteral("Could not save %1: No such file or directory.").arg(path));
}

TEST_F(DocumentFileTest, SavingOverAFolderFailsAndLeavesTheFolder)
{
    const QString path = PathOf(QStringLiteral("folder"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
    QString error;
    EXPECT_FALSE(SaveDocumentFile(path, "<a/>", error));
    EXPECT_EQ(error, QStringLiteral("Could not save %1: Is a directory.").arg(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// The file-size limit makes the write fail part-way, as a full disk would.
TEST_F(DocumentFileTest, FailedWriteLeavesTheOriginalUntouched)
{
    const QString path = PathOf(QStringLiteral("precious.xml"));
    WriteRaw(path, "<original/>\n");
    struct rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit limit = previous;
    limit.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    QString error;
    const bool bSaved = SaveDocumentFile(path, QByteArray(1 << 20, 'x'), error);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(bSaved);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Could not save %1: ").arg(path))) << error.toStdString();
    EXPECT_TRUE(error.endsWith(QLatin1Char('.')));
    EXPECT_EQ(RawContents(path), QByteArray("<original/>\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"precious.xml"});
}

TEST_F(DocumentFileTest, ReadingFailuresNameTheFile)
{
    QString error;
    QByteArray bytes = "kept";
    const QString missing = PathOf(QStringLiteral("nothing.xml"));
    EXPECT_FALSE(ReadDocumentFile(missing, bytes, error));
    EXPECT_EQ(error, QStringLiteral("Could not open %1: No such file or directory.").arg(missing));
    EXPECT_FALSE(ReadDocumentFile(m_dir.path(), bytes, error));
    EXPECT_EQ(error, QStringLiteral("Could not open %1: Is a directory.").arg(m_dir.path()));
    EXPECT_EQ(bytes, QByteArray("kept"));
}

TEST(Utf8Test, AcceptsWellFormedUtf8)
{
    EXPECT_TRUE(IsValidUtf8(QByteArray()));
    EXPECT_TRUE(IsValidUtf8("plain <a/>"));
    EXPECT_TRUE(IsValidUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf"));
    EXPECT_TRUE(IsValidUtf8(QByteArray("a\0b", 3)));
}

TEST(Utf8Test, RejectsEverythingElse)
{
    const char* const bad[] = {
        "caf\xe9",             // Latin-1
        "\x80",                // stray continuation
        "ab\xe2\x82",          // cut short at the end
        "\xe2\x28\xa1",        // broken continuation
        "\xc0\xaf",            // overlong
        "\xe0\x80\xaf",        // overlong
        "\xed\xa0\x80",        // surrogate
        "\xf4\x90\x80\x80",    // past U+10FFFF
        "\xf8\x88\x80\x80\x80" // five-byte form
    };
    for (const char* bytes : bad)
        EXPECT_FALSE(IsValidUtf8(QByteArray(bytes))) << bytes;
}

}  // namespace
