#include "DocumentFile.h"
#include "DocumentReader.h"
#include "LoadPipeline.h"
#include "Utf8Validator.h"

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
        struct stat info
        {
        };
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
    for (const QByteArray& bytes : kContents) {
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
    for (unsigned nMode : {0640u, 0600u}) {
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
    struct rlimit previous
    {
    };
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
    EXPECT_TRUE(error.startsWith(QStringLiteral("Could not save %1: ").arg(path)))
        << error.toStdString();
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
        "caf\xe9",              // Latin-1
        "\x80",                 // stray continuation
        "ab\xe2\x82",           // cut short at the end
        "\xe2\x28\xa1",         // broken continuation
        "\xc0\xaf",             // overlong
        "\xe0\x80\xaf",         // overlong
        "\xed\xa0\x80",         // surrogate
        "\xf4\x90\x80\x80",     // past U+10FFFF
        "\xf8\x88\x80\x80\x80"  // five-byte form
    };
    for (const char* bytes : bad)
        EXPECT_FALSE(IsValidUtf8(QByteArray(bytes))) << bytes;
}

// Every way of cutting the bytes in two must give the whole text's verdict.
bool ValidWhenCutAt(const QByteArray& bytes, qsizetype nCut)
{
    CUtf8Validator validator;
    validator.Feed(bytes.constData(), static_cast<std::size_t>(nCut));
    validator.Feed(bytes.constData() + nCut, static_cast<std::size_t>(bytes.size() - nCut));
    return validator.IsValid();
}

TEST(Utf8Test, ASequenceCutBetweenPiecesIsJudgedAsAWhole)
{
    const QByteArray samples[] = {
        "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf",  // valid
        "\xe2\x82",                                                    // cut short at the end
        "a\xe2\x28\xa1",                                               // broken continuation
        "\xe0\x80\xaf",                                                // overlong
        "\xed\xa0\x80",                                                // surrogate
        "\xf4\x90\x80\x80",                                            // past U+10FFFF
        "\xf0\x9f\x98\x80\xff",                                        // invalid after a cut one
    };
    for (const QByteArray& sample : samples) {
        for (qsizetype nCut = 0; nCut <= sample.size(); ++nCut)
            EXPECT_EQ(ValidWhenCutAt(sample, nCut), IsValidUtf8(sample))
                << sample.toHex().constData() << " cut at " << nCut;
    }
    CUtf8Validator byteByByte;
    const QByteArray valid = samples[0];
    for (char c : valid)
        byteByByte.Feed(&c, 1);
    EXPECT_TRUE(byteByByte.IsValid());
}

TEST(Utf8Test, NonAsciiIsFoundAtEveryPlaceInALongAsciiRun)
{
    // The ASCII run is skipped eight bytes at a time; the odd byte may sit anywhere in a word.
    for (int nAscii = 0; nAscii < 24; ++nAscii) {
        const QByteArray ascii(nAscii, 'a');
        EXPECT_TRUE(IsValidUtf8(ascii + "\xc3\xa9" + ascii)) << nAscii;
        EXPECT_FALSE(IsValidUtf8(ascii + "\xe9" + ascii)) << nAscii;
        EXPECT_FALSE(IsValidUtf8(ascii + QByteArray(1, '\0') + "\x80" + ascii)) << nAscii;
    }
}

// Reads the whole of `path` through a reader with small pieces.
QByteArray ReadInPieces(const QString& path, qint64 nChunkSize, bool& bUtf8)
{
    CDocumentReader reader(path, nChunkSize);
    QString error;
    EXPECT_TRUE(reader.Open(error)) << error.toStdString();
    QByteArray bytes;
    for (qint64 nRead = reader.ReadChunk(error); nRead > 0; nRead = reader.ReadChunk(error))
        bytes.append(reader.Data(), nRead);
    bUtf8 = reader.IsUtf8();
    return bytes;
}

TEST_F(DocumentFileTest, AReaderDeliversEveryByteAndTestsUtf8AcrossPieces)
{
    const QString path = PathOf(QStringLiteral("pieces.xml"));
    // Piece size 4: the NULs, the two-byte letter and the bad byte each straddle a boundary.
    const QByteArray valid("<a>\0x\xc3\xa9</a>\0", 13);
    WriteRaw(path, valid);
    bool bUtf8 = false;
    EXPECT_EQ(ReadInPieces(path, 4, bUtf8), valid);
    EXPECT_TRUE(bUtf8);
    const QByteArray invalid("<a>x\xe9</a>", 9);
    WriteRaw(path, invalid);
    EXPECT_EQ(ReadInPieces(path, 4, bUtf8), invalid);
    EXPECT_FALSE(bUtf8);
    WriteRaw(path, QByteArray("<a>\xc3", 5));  // cut short by the end of the file
    ReadInPieces(path, 4, bUtf8);
    EXPECT_FALSE(bUtf8);
}

TEST_F(DocumentFileTest, AReaderNamesTheFileWhenItCannotOpenOrRead)
{
    QString error;
    const QString missing = PathOf(QStringLiteral("nothing.xml"));
    CDocumentReader absent(missing);
    EXPECT_FALSE(absent.Open(error));
    EXPECT_EQ(error, QStringLiteral("Could not open %1: No such file or directory.").arg(missing));
    // Opens, but reading at offset 0 fails.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    CDocumentReader reader(unreadable);
    ASSERT_TRUE(reader.Open(error)) << error.toStdString();
    EXPECT_EQ(reader.ReadChunk(error), -1);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Could not read %1: ").arg(unreadable)))
        << error.toStdString();
}

TEST_F(DocumentFileTest, APipelineHandsOnEveryPieceInOrder)
{
    const QString path = PathOf(QStringLiteral("pipe.xml"));
    static const char kText[] = "<a k=\"v\xc3\xa9\">t\0x</a><b>more text</b><c";
    const QByteArray text(kText, sizeof kText - 1);
    WriteRaw(path, text);
    CDocumentReader reader(path, 3);  // many more pieces than the pipeline holds ahead
    QString error;
    ASSERT_TRUE(reader.Open(error));
    QByteArray received;
    {
        CLoadPipeline pipeline(reader);
        SLoadPiece piece;
        while (pipeline.Next(piece))
            received += piece.text;
        EXPECT_FALSE(pipeline.Failed());
        EXPECT_TRUE(pipeline.IsUtf8());  // "\xc3\xa9" cut between two pieces
    }
    EXPECT_EQ(received, text);
}

TEST_F(DocumentFileTest, APipelineReportsAReadErrorNamingTheFile)
{
    CDocumentReader reader(QStringLiteral("/proc/self/mem"));
    QString error;
    ASSERT_TRUE(reader.Open(error));
    CLoadPipeline pipeline(reader);
    SLoadPiece piece;
    EXPECT_FALSE(pipeline.Next(piece));
    EXPECT_TRUE(pipeline.Failed());
    EXPECT_TRUE(pipeline.Error().contains(QStringLiteral("/proc/self/mem")));
}

}  // namespace
