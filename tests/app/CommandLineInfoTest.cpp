// The start-up command line: switches after "-" or "/", the document path, printer fields.
#include "CommandLineInfo.h"

#include <gtest/gtest.h>

namespace {

CCommandLineInfo Parse(const QStringList& args)
{
    return ParseCommandLine(args);
}

}  // namespace

TEST(CommandLineInfo, NoArgumentsMeansNewDocumentWithSplash)
{
    const CCommandLineInfo info = Parse({});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(info.m_strFileName.isEmpty());
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_FALSE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bRunAutomated);
    EXPECT_FALSE(info.m_bShowHelp);
    EXPECT_FALSE(info.m_bShowVersion);
}

TEST(CommandLineInfo, FirstParameterIsOpenedAndLaterOnesIgnored)
{
    const CCommandLineInfo info = Parse({"a.xml", "b.xml"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, "a.xml");
    EXPECT_TRUE(info.m_strPrinterName.isEmpty());
}

TEST(CommandLineInfo, AbsolutePathIsAFileNotASwitch)
{
    for (const QString& path : QStringList{"/home/me/a.xml", "/P", "/PT", "/pa", "/Dde", "/"}) {
        const CCommandLineInfo info = Parse({path});
        EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen) << path.toStdString();
        EXPECT_EQ(info.m_strFileName, path);
    }
}

TEST(CommandLineInfo, PrintSwitchesAreExactCaseAfterEitherPrefix)
{
    for (const QString& prefix : QStringList{"-", "/"}) {
        EXPECT_EQ(Parse({prefix + "p", "a.xml"}).m_nShellCommand, CCommandLineInfo::FilePrint);
        EXPECT_EQ(Parse({"a.xml", prefix + "p"}).m_nShellCommand, CCommandLineInfo::FilePrint);
        EXPECT_EQ(Parse({prefix + "pt", "a.xml"}).m_nShellCommand, CCommandLineInfo::FilePrintTo);
        EXPECT_EQ(Parse({prefix + "dde"}).m_nShellCommand, CCommandLineInfo::FileDDE);
    }
    // Wrong case after "-" is an unknown switch: ignored, so the file is simply opened.
    EXPECT_EQ(Parse({"-P", "a.xml"}).m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(Parse({"-DDE"}).m_nShellCommand, CCommandLineInfo::FileNew);
}

TEST(CommandLineInfo, PrintToFillsPrinterDriverAndPortAfterThePath)
{
    const CCommandLineInfo info = Parse({"-pt", "a.xml", "Laser", "driver", "port", "extra"});
    EXPECT_EQ(info.m_strFileName, "a.xml");
    EXPECT_EQ(info.m_strPrinterName, "Laser");
    EXPECT_EQ(info.m_strDriverName, "driver");
    EXPECT_EQ(info.m_strPortName, "port");

    // Parameters before "pt" is seen (other than the path) are ignored.
    const CCommandLineInfo late = Parse({"a.xml", "ignored", "/pt", "Laser"});
    EXPECT_EQ(late.m_strPrinterName, "Laser");
    EXPECT_TRUE(late.m_strDriverName.isEmpty());

    EXPECT_TRUE(Parse({"-p", "a.xml", "Laser"}).m_strPrinterName.isEmpty());
}

TEST(CommandLineInfo, UnregisterSwitchesAreAnyCase)
{
    for (const QString& arg :
         QStringList{"-Unregister", "/unregister", "-UNREGSERVER", "/Unregserver"})
        EXPECT_EQ(Parse({arg}).m_nShellCommand, CCommandLineInfo::AppUnregister)
            << arg.toStdString();
}

TEST(CommandLineInfo, EmbeddingAndAutomationAreAnyCaseAndHideTheSplash)
{
    for (const QString& arg : QStringList{"-Embedding", "/EMBEDDING", "-embedding"}) {
        const CCommandLineInfo info = Parse({arg});
        EXPECT_TRUE(info.m_bRunEmbedded) << arg.toStdString();
        EXPECT_FALSE(info.m_bShowSplash);
        EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew);
    }
    for (const QString& arg : QStringList{"-Automation", "/automation"}) {
        const CCommandLineInfo info = Parse({arg});
        EXPECT_TRUE(info.m_bRunAutomated) << arg.toStdString();
        EXPECT_FALSE(info.m_bShowSplash);
    }
}

TEST(CommandLineInfo, UnknownSwitchesAreNamedAndDoubleDashEndsTheSwitches)
{
    struct Case
    {
        QStringList args;
        QString unknown;
        QString file;
    };
    const Case cases[] = {
        {{"-x", "-verbose", "a.xml"}, "-x", "a.xml"},
        {{"-dash.xml"}, "-dash.xml", ""},
        {{"-"}, "-", ""},
        {{"--", "-dash.xml"}, "", "-dash.xml"},
        {{"-Embedding", "--", "--help"}, "", "--help"},
        {{"/x.xml"}, "", "/x.xml"},
    };
    for (const Case& c : cases) {
        const CCommandLineInfo info = Parse(c.args);
        EXPECT_EQ(info.m_strUnknownOption, c.unknown) << c.args.join(' ').toStdString();
        EXPECT_EQ(info.m_strFileName, c.file) << c.args.join(' ').toStdString();
        EXPECT_FALSE(info.m_bShowHelp);
    }
}

TEST(CommandLineInfo, HelpAndVersionAreRecognised)
{
    EXPECT_TRUE(Parse({"--help"}).m_bShowHelp);
    EXPECT_TRUE(Parse({"a.xml", "--version"}).m_bShowVersion);
    EXPECT_FALSE(Parse({"--help"}).m_bShowVersion);
    EXPECT_FALSE(Parse({"-help"}).m_bShowHelp);
}
