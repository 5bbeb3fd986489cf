#include "CheckCommand.h"
#include "check/CheckRun.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(TEST_DATA_DIR "/validate/");

// xmllint's verdict: true when it finds the file valid.
bool XmllintAccepts(const QStringList& args)
{
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), QStringList{"--noout", "--nonet"} + args);
    xmllint.waitForFinished(-1);
    return xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0;
}

struct SVerdictCase
{
    const char* file;
    const char* grammar;  // for --schema; empty for --valid
    int nStatus;
    const char* xmllintSwitch;  // how xmllint validates the same; empty where it has no verdict
};

class ValidationVerdictsTest : public ::testing::TestWithParam<SVerdictCase>
{
};

TEST_P(ValidationVerdictsTest, ExitStatusAgreesWithXmllint)
{
    const SVerdictCase& c = GetParam();
    const QString file = kDataDir + c.file;
    const QStringList args = *c.grammar ? QStringList{"--schema", kDataDir + c.grammar, file}
                                        : QStringList{"--valid", file};
    const SCheckRun result = RunCheck(args);
    EXPECT_EQ(result.nStatus, c.nStatus) << result.strErr.toStdString();
    if (result.nStatus != 0) {
        EXPECT_TRUE(result.strErr.startsWith(file + ':')) << result.strErr.toStdString();
    }
    if (!*c.xmllintSwitch || QStandardPaths::findExecutable("xmllint").isEmpty())
        return;
    QStringList xmllintArgs{QString::fromLatin1(c.xmllintSwitch)};
    if (*c.grammar)
        xmllintArgs << kDataDir + c.grammar;
    EXPECT_EQ(XmllintAccepts(xmllintArgs << file), c.nStatus == 0);
}

const SVerdictCase kCases[] = {
    {"dtd-valid.xml", "", 0, "--valid"},
    {"dtd-invalid.xml", "", 1, "--valid"},
    {"internal-valid.xml", "", 0, "--valid"},
    {"internal-invalid.xml", "", 1, "--valid"},
    {"not-well-formed.xml", "", 1, "--valid"},
    {"bomb.xml", "", 1, "--valid"},
    {"broken-dtd.xml", "", 1, "--valid"},
    {"xsd-valid.xml", "note.xsd", 0, "--schema"},
    {"xsd-invalid.xml", "note.xsd", 1, "--schema"},
    {"xsd-ns-valid.xml", "book.xsd", 0, "--schema"},
    {"xsd-ns-invalid.xml", "book.xsd", 1, "--schema"},
    {"plain.xml", "note.xsd", 1, "--schema"},
    {"rng-valid.xml", "note.rng", 0, "--relaxng"},
    {"rng-invalid.xml", "note.rng", 1, "--relaxng"},
    {"xsd-valid.xml", "", 0, ""},
    {"rng-invalid.xml", "", 1, ""},
    {"plain.xml", "", 2, ""},
    {"missing-dtd.xml", "", 2, ""},
    {"network-dtd.xml", "", 2, ""},
    {"plain.xml", "absent.xsd", 2, ""},
};

INSTANTIATE_TEST_SUITE_P(Corpus, ValidationVerdictsTest, ::testing::ValuesIn(kCases));

TEST(CheckValidationTest, ReportsEveryErrorAsFileLineColumn)
{
    const QString file = kDataDir + "xsd-invalid.xml";
    const SCheckRun result = RunCheck({"--valid", file});
    const QStringList lines = result.strErr.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.strErr.toStdString();
    EXPECT_TRUE(lines[0].startsWith(file + ":3:1: ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(file + ":4:1: ")) << lines[1].toStdString();
}

TEST(CheckValidationTest, WellFormednessIsReportedAsWithoutValidation)
{
    const QString file = kDataDir + "not-well-formed.xml";
    EXPECT_EQ(RunCheck({"--valid", file}).strErr, RunCheck({file}).strErr);
    EXPECT_EQ(RunCheck({"--valid", "-"}, "<r><a></r>").strErr,
              RunCheck({"-"}, "<r><a></r>").strErr);
}

TEST(CheckValidationTest, VerboseSaysValidAndTheWorstStatusWins)
{
    const SCheckRun result = RunCheck({"-v", "--valid", kDataDir + "dtd-valid.xml",
                                       kDataDir + "plain.xml", kDataDir + "dtd-invalid.xml"});
    EXPECT_EQ(result.nStatus, 2);
    EXPECT_EQ(result.strOut, kDataDir + "dtd-valid.xml: Everything is valid\n");
}

TEST(CheckValidationTest, SchemaWithoutGrammarIsAUsageError)
{
    const SCheckRun result = RunCheck({"--schema"});
    EXPECT_EQ(result.nStatus, 2);
    EXPECT_TRUE(result.strErr.contains("unknown option --schema")) << result.strErr.toStdString();
}

}  // namespace
