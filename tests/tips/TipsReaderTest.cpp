#include "TipsReader.h"

#include "MessageBox.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class TipsReaderTest : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("tips.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    static QString Next(CTipsFile& file)
    {
        QString tip;
        EXPECT_EQ(file.ReadNextTip(tip), CTipsFile::EReadResult::Tip);
        return tip;
    }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
};

TEST_F(TipsReaderTest, SkipsCommentBlankIndentedAndEmptyLines)
{
    CTipsFile file(Write("; comment\n first\n\tsecond\n\nOne\r\n\r\nTwo\n"));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(Next(file), QStringLiteral("One"));
    EXPECT_EQ(Next(file), QStringLiteral("Two"));
    EXPECT_EQ(Next(file), QStringLiteral("One"));
}

TEST_F(TipsReaderTest, LeavesFileJustAfterTheTipRead)
{
    CTipsFile file(Write(";x\nOne\nTwo\n"));
    Next(file);
    EXPECT_EQ(file.Tell(), 7);
    Next(file);
    EXPECT_EQ(file.Tell(), 11);
}

TEST_F(TipsReaderTest, WrapsToFirstTipAfterLastLineWithoutFinalLineEnd)
{
    CTipsFile file(Write("One\nTwo"));
    EXPECT_EQ(Next(file), QStringLiteral("One"));
    EXPECT_EQ(Next(file), QStringLiteral("Two"));
    EXPECT_EQ(Next(file), QStringLiteral("One"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TipsReaderTest, ReadsLongLineInPiecesOf999)
{
    CTipsFile file(Write(QByteArray(2500, 'a') + "\nB\n"));
    EXPECT_EQ(Next(file).size(), 999);
    EXPECT_EQ(file.Tell(), 999);
    EXPECT_EQ(Next(file).size(), 999);
    EXPECT_EQ(Next(file), QString(502, QLatin1Char('a')));
    EXPECT_EQ(Next(file), QStringLiteral("B"));
}

TEST_F(TipsReaderTest, PieceOfLongLineStartingWithBlankIsSkipped)
{
    CTipsFile file(Write(QByteArray(999, 'a') + " rest\nB\n"));
    EXPECT_EQ(Next(file).size(), 999);
    EXPECT_EQ(Next(file), QStringLiteral("B"));
}

TEST_F(TipsReaderTest, SeekIntoMiddleOfLineReadsRestAsTip)
{
    CTipsFile file(Write("Hello world\nTwo\n"));
    ASSERT_TRUE(file.Seek(6));
    EXPECT_EQ(Next(file), QStringLiteral("world"));
}

TEST_F(TipsReaderTest, SeekPastEndGivesFirstTip)
{
    CTipsFile file(Write("One\nTwo\n"));
    ASSERT_TRUE(file.Seek(5000));
    EXPECT_EQ(Next(file), QStringLiteral("One"));
}

TEST_F(TipsReaderTest, FileWithoutTipLinesStopsAfterOnePass)
{
    for (const QByteArray& bytes : {QByteArray(), QByteArray("; only\n  comments\n\n\r\n")}) {
        CTipsFile file(Write(bytes));
        ASSERT_TRUE(file.Seek(bytes.indexOf('\n') + 1));
        QString tip = QStringLiteral("stale");
        EXPECT_EQ(file.ReadNextTip(tip), CTipsFile::EReadResult::NoTips);
        EXPECT_TRUE(tip.isEmpty());
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TipsReaderTest, UnreadableFileStopsInsteadOfLooping)
{
    // Opens as a regular file; every read from offset 0 then fails.
    CTipsFile file(QStringLiteral("/proc/self/mem"));
    ASSERT_TRUE(file.IsOpen());
    QString tip;
    EXPECT_EQ(file.ReadNextTip(tip), CTipsFile::EReadResult::NoTips);
}

TEST_F(TipsReaderTest, MissingFileIsNotOpen)
{
    CTipsFile file(m_dir.filePath(QStringLiteral("absent.txt")));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.TimeStamp().isEmpty());
}

TEST_F(TipsReaderTest, TimeStampIsCtimeWithoutTrailingWhiteSpace)
{
    CTipsFile file(Write("One\n"));
    const QString stamp = file.TimeStamp();
    EXPECT_EQ(stamp.size(), 24);
    EXPECT_EQ(stamp, stamp.trimmed());
}

TEST_F(TipsReaderTest, ShowsUtf8AndFallsBackToLatin1)
{
    CTipsFile file(Write("caf\xc3\xa9\ncaf\xe9\n"));
    EXPECT_EQ(Next(file), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(Next(file), QString::fromUtf8("caf\xc3\xa9"));
}

TEST(MnemonicDisplayTextTest, DropsSingleAmpersandsAndHalvesDoubleOnes)
{
    EXPECT_EQ(MnemonicDisplayText(QStringLiteral("&Save && go&")), QStringLiteral("Save & go"));
    EXPECT_EQ(MnemonicDisplayText(QStringLiteral("a&&&b")), QStringLiteral("a&b"));
}

}  // namespace

namespace {

// A named pipe without a writer would block an ordinary open for ever.
TEST(TipsFileKindTest, OnlyARegularFileIsReadAsTheTipsFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("tips.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, dir.path(), QStringLiteral("/dev/zero")}) {
        CTipsFile file(path);
        EXPECT_FALSE(file.IsOpen()) << path.toStdString();
    }
}

}  // namespace
