#include "CheckCommand.h"
#include "check/CheckRun.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <expat.h>
#include <gtest/gtest.h>

namespace {

class CheckCommandTest : public ::testing::Test
{
protected:
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static SCheckRun Run(const QStringList& args, const QByteArray& input = QByteArray())
    {
        return RunCheck(args, input);
    }

    QTemporaryDir m_dir;
};

// What expat itself says when handed the whole text at once.
QString DirectExpatReport(const QString& name, const QByteArray& bytes)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    QString report;
    if (XML_Parse(parser, bytes.constData(), static_cast<int>(bytes.size()), 1)
        == XML_STATUS_ERROR) {
        report = QStringLiteral("%1:%2:%3: %4\n")
                     .arg(name)
                     .arg(XML_GetCurrentLineNumber(parser))
                     .arg(XML_GetCurrentColumnNumber(parser) + 1)
                     .arg(QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(parser))));
    }
    XML_ParserFree(parser);
    return report;
}

QByteArray Lines(int nCount)
{
    QByteArray bytes = "<r>\n";
    for (int i = 0; i < nCount; ++i)
        bytes += "  <item n=\"" + QByteArray::number(i) + "\">caf\xc3\xa9</item>\n";
    return bytes;
}

TEST_F(CheckCommandTest, WellFormedFilesPrintNothingUnlessVerbose)
{
    const QString path = WriteFile("good.xml", Lines(1000) + "</r>\n");
    const SCheckRun quiet = Run({path});
    EXPECT_EQ(quiet.nStatus, 0);
    EXPECT_TRUE(quiet.strOut.isEmpty());
    EXPECT_TRUE(quiet.strErr.isEmpty());

    const SCheckRun verbose = Run({"-v", path});
    EXPECT_EQ(verbose.nStatus, 0);
    EXPECT_EQ(verbose.strOut, path + ": Everything is fine!\n");
    EXPECT_TRUE(verbose.strErr.isEmpty());
}

TEST_F(CheckCommandTest, FirstErrorIsReportedAsFileLineColumnMessage)
{
    const QString path = WriteFile("bad.xml", "<r>\n  <a></b>\n</r>\n<late>");
    const SCheckRun result = Run({path});
    EXPECT_EQ(result.nStatus, 1);
    EXPECT_TRUE(result.strOut.isEmpty());
    EXPECT_EQ(result.strErr, path + ":2:8: mismatched tag\n");
}

TEST_F(CheckCommandTest, PositionsBeyondTheFirstChunkAreExpatsOwn)
{
    QByteArray cutAtChunkEnd = Lines(400);
    cutAtChunkEnd.truncate(10236);
    cutAtChunkEnd += "<a b=\"1\" b=\"2\"/>";
    const QByteArray texts[] = {
        Lines(400) + "  <x>\xc3\xa9\xc3\xa9</y>\n</r>\n",
        Lines(400) + "  <x y=1/>\n</r>\n",
        Lines(400),
        cutAtChunkEnd,
        Lines(400) + "</r>\n<second/>",
    };
    int nIndex = 0;
    for (const QByteArray& bytes : texts) {
        ASSERT_GT(bytes.size(), 10240);
        const QString path = WriteFile(QStringLiteral("chunked%1.xml").arg(nIndex++), bytes);
        const SCheckRun result = Run({path});
        EXPECT_EQ(result.nStatus, 1) << path.toStdString();
        EXPECT_EQ(result.strErr, DirectExpatReport(path, bytes));
    }
}

TEST_F(CheckCommandTest, UnreadableFileExitsTwoAndTheRestAreStillChecked)
{
    const QString missing = m_dir.filePath("missing.xml");
    const QString bad = WriteFile("bad.xml", "<a>");
    const QString good = WriteFile("good.xml", "<a/>");
    const SCheckRun result = Run({"-v", missing, m_dir.path(), bad, good});
    EXPECT_EQ(result.nStatus, 2);
    EXPECT_EQ(result.strOut, good + ": Everything is fine!\n");
    EXPECT_EQ(result.strErr,
              QStringLiteral("Could not open %1: No such file or directory.\n").arg(missing)
                  + QStringLiteral("Could not open %1: Is a directory.\n").arg(m_dir.path()) + bad
                  + ":1:4: no element found\n");
}

TEST_F(CheckCommandTest, AnyFileNotWellFormedExitsOne)
{
    const QString bad = WriteFile("bad.xml", "<a>");
    const QString good = WriteFile("good.xml", "<a/>");
    EXPECT_EQ(Run({bad, good}).nStatus, 1);
    EXPECT_EQ(Run({good, bad}).nStatus, 1);
    EXPECT_EQ(Run({good, good}).nStatus, 0);
}

TEST_F(CheckCommandTest, DashReadsStandardInput)
{
    EXPECT_EQ(Run({"-v", "-"}, "<a/>").strOut, QStringLiteral("-: Everything is fine!\n"));
    const SCheckRun result = Run({"-"}, Lines(500));
    EXPECT_EQ(result.nStatus, 1);
    EXPECT_EQ(result.strErr, DirectExpatReport("-", Lines(500)));
}

TEST_F(CheckCommandTest, NulByteDoesNotEndTheCheck)
{
    const QString path = WriteFile("nul.xml", QByteArray("<a/>\0<", 6));
    EXPECT_EQ(Run({path}).nStatus, 1);
}

TEST_F(CheckCommandTest, UsageGoesToStdoutForHelpAndToStderrForMistakes)
{
    const SCheckRun help = Run({"--help"});
    EXPECT_EQ(help.nStatus, 0);
    EXPECT_TRUE(
        help.strOut.startsWith("Usage: tarnel-check [-v] [--valid | --schema GRAMMAR] FILE..."));
    EXPECT_TRUE(help.strErr.isEmpty());

    const SCheckRun none = Run({});
    EXPECT_EQ(none.nStatus, 2);
    EXPECT_TRUE(none.strOut.isEmpty());
    EXPECT_TRUE(none.strErr.startsWith("Usage: tarnel-check"));

    const SCheckRun unknown = Run({"-q", "x.xml"});
    EXPECT_EQ(unknown.nStatus, 2);
    EXPECT_TRUE(unknown.strErr.startsWith("tarnel-check: unknown option -q\n"));
}

TEST_F(CheckCommandTest, VersionIsShownInsteadOfCheckingAnyFile)
{
    const SCheckRun version = Run({"--version", m_dir.filePath("missing.xml")});
    EXPECT_EQ(version.nStatus, 0);
    EXPECT_TRUE(version.strOut.startsWith("tarnel-check (Tarnel) 1."))
        << version.strOut.toStdString();
    EXPECT_TRUE(version.strErr.isEmpty());
}

}  // namespace
