#include "AppTestSupport.h"
#include "CommandIds.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MarkupScanner.h"
#include "StringTable.h"
#include "TarnelApp.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "TipDlg.h"
#include "TipOfTheDay.h"

#include <Qsci/qsciprinter.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Sets an environment variable for the life of the object.
class CEnvironmentOverride
{
public:
    CEnvironmentOverride(const char* szName, const QByteArray& value)
        : m_szName(szName), m_previous(qgetenv(szName)),
          m_bWasSet(qEnvironmentVariableIsSet(szName))
    {
        qputenv(szName, value);
    }
    ~CEnvironmentOverride()
    {
        if (m_bWasSet)
            qputenv(m_szName, m_previous);
        else
            qunsetenv(m_szName);
    }

private:
    const char* m_szName;
    QByteArray m_previous;
    bool m_bWasSet;
};

class TarnelAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.Write("tarnel.xml", kSampleTemplate);
        m_folder.Write("tips.txt", "First tip\nSecond tip\n");
        CLeftView::ResetFirstUpdateForTesting();
        m_previousRunner = SetTipDialogRunner([this](CTipDlg&) {
            ++m_nTipsShown;
            return IDCANCEL;
        });
    }
    void TearDown() override
    {
        SetTipDialogRunner(m_previousRunner);
        CTarnelApp::s_preparePrinter = nullptr;
    }

    int StyleAt(CTarnelView* view, int nPos) const
    {
        return static_cast<int>(view->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, nPos));
    }

    CScratchFolder m_folder;
    CMessageCapture m_messages;
    TipDialogRunner m_previousRunner;
    int m_nTipsShown = 0;
};

TEST_F(TarnelAppTest, PlainStartShowsAnEmptyUntitledDocumentTheTreeAndTheTip)
{
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(ShownCaption(*app.MainFrame()), "Untitled - Tarnel");
    EXPECT_EQ(app.MainFrame()->EditView()->TextLength(), 0);
    EXPECT_FALSE(app.Document()->IsModified());
    EXPECT_EQ(app.MainFrame()->GetActiveView(), app.MainFrame()->LeftView());
    EXPECT_EQ(app.MainFrame()->LeftView()->topLevelItemCount(), 1);
    EXPECT_EQ(m_nTipsShown, 1);
    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST_F(TarnelAppTest, LaterNewDocumentsGetTheColouredHeader)
{
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({"-Embedding"}));
    app.MainFrame()->SendCommand(ID_FILE_NEW);
    EXPECT_EQ(app.MainFrame()->EditView()->TextBytes(), CTarnelDoc::HeaderComment());
    EXPECT_EQ(StyleAt(app.MainFrame()->EditView(), 1), STYLE_TAG_TEXT);
    EXPECT_FALSE(app.Document()->IsModified());
    app.ExitInstance();
}

TEST_F(TarnelAppTest, EmbeddingOrAutomationInAnyCaseSkipTheTipAndItsSettings)
{
    for (const char* flag : {"-Embedding", "/automation", "-EMBEDDING"}) {
        CLeftView::ResetFirstUpdateForTesting();
        CTarnelApp app;
        ASSERT_TRUE(app.InitInstance({flag}));
        app.ExitInstance();
    }
    EXPECT_EQ(m_nTipsShown, 0);
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp"), QString());
    EXPECT_EQ(GetProfileInt("Tip", "FilePos", -1), -1);
}

TEST_F(TarnelAppTest, FileArgumentIsOpenedColouredAndHeadsTheRecentFiles)
{
    const QString path = m_folder.Write("a.xml", "<a x=\"1\">t</a>\n");
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({path}));
    EXPECT_EQ(ShownCaption(*app.MainFrame()), "a.xml - Tarnel");
    for (int i = 0; i < 1000 && app.MainFrame()->EditView()->ColoursPending(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(StyleAt(app.MainFrame()->EditView(), 1), STYLE_TAG_TEXT);
    EXPECT_EQ(StyleAt(app.MainFrame()->EditView(), 5), STYLE_QUOTED);
    EXPECT_FALSE(app.Document()->IsModified());
    EXPECT_EQ(app.RecentFiles().GetPath(0), QFileInfo(path).absoluteFilePath());
    app.ExitInstance();
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), QFileInfo(path).absoluteFilePath());
}

// How a transformation's result reaches a window of its own.
TEST_F(TarnelAppTest, UntitledFromGivesANewUnsavedDocumentWithTheFilesText)
{
    const QByteArray result = "<html><body>caf\xc3\xa9</body></html>\n";
    const QString path = m_folder.Write("result.html", result);
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({QStringLiteral("--untitled-from=") + path}));
    EXPECT_EQ(app.MainFrame()->EditView()->TextBytes(), result);
    EXPECT_EQ(StyleAt(app.MainFrame()->EditView(), 1), STYLE_TAG_TEXT);
    EXPECT_TRUE(app.Document()->IsModified());
    EXPECT_EQ(app.Document()->GetTitle(), QStringLiteral("Untitled"));
    EXPECT_FALSE(QFile::exists(path));
    app.ExitInstance();
}

TEST_F(TarnelAppTest, MissingFileIsReportedAndStartUpEnds)
{
    CTarnelApp app;
    EXPECT_FALSE(app.InitInstance({m_folder.Path("missing.xml")}));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().first().contains("missing.xml"));
    EXPECT_EQ(app.ExitInstance(), 1);
    EXPECT_EQ(m_nTipsShown, 0);
}

TEST_F(TarnelAppTest, PrintSwitchPrintsTheFileWithoutADialogAndEnds)
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "<row>" + QByteArray::number(i) + "</row>\n";
    const QString path = m_folder.Write("print.xml", text);
    const QString pdf = m_folder.Path("print.pdf");
    CTarnelApp::s_preparePrinter = [pdf](QsciPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    CTarnelApp app;
    EXPECT_FALSE(app.InitInstance({"/p", path}));
    EXPECT_GE(CountPdfPages(pdf), 2);
    EXPECT_FALSE(app.MainFrame()->EditView()->ColoursPending());  // printed in colour
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(m_nTipsShown, 0);
}

TEST_F(TarnelAppTest, PrintSwitchesReportAPrinterThatCannotPrintAndEndWithStatusOne)
{
    const QString path = m_folder.Write("print.xml", "<a>text</a>\n");
    const QString unwritable = m_folder.Path("no-such-folder/out.pdf");
    struct Case
    {
        QStringList arguments;
        std::function<void(QsciPrinter&)> prepare;
        QString named;
    };
    const Case cases[] = {
        {{"-p", path},
         [unwritable](QsciPrinter& printer) {
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(unwritable);
         },
         unwritable},
        // What Qt falls back to when there is no printer at all.
        {{"-p", path},
         [](QsciPrinter& printer) {
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(QString());
         },
         "No printer"},
        {{"-pt", path, "NoSuchPrinter"}, nullptr, "NoSuchPrinter"},
    };
    for (const Case& c : cases) {
        m_messages.Clear();
        CLeftView::ResetFirstUpdateForTesting();
        CTarnelApp::s_preparePrinter = c.prepare;
        CTarnelApp app;
        EXPECT_FALSE(app.InitInstance(c.arguments));
        EXPECT_EQ(app.ExitInstance(), 1) << c.named.toStdString();
        ASSERT_EQ(m_messages.Messages().size(), 1) << c.named.toStdString();
        EXPECT_TRUE(m_messages.Messages().first().contains(c.named))
            << m_messages.Messages().first().toStdString();
    }
}

TEST_F(TarnelAppTest, PrintSwitchWithoutAFileIsReported)
{
    CTarnelApp app;
    EXPECT_FALSE(app.InitInstance({"-p"}));
    EXPECT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(app.ExitInstance(), 1);
}

TEST_F(TarnelAppTest, UnregisterRemovesTheSettingsAndWritesNoneAtExit)
{
    WriteProfileString("Recent File List", "File1", "/x.xml");
    const QString settings = ProfileFilePath();
    ASSERT_TRUE(QFileInfo::exists(settings));
    CTarnelApp app;
    EXPECT_FALSE(app.InitInstance({"-unregserver"}));
    EXPECT_EQ(m_messages.Messages(), QStringList({LoadString(AFX_IDP_UNREG_DONE)}));
    app.ExitInstance();
    EXPECT_FALSE(QFileInfo::exists(settings));
}

TEST_F(TarnelAppTest, FifthOpenedFilePushesTheOldestOutOfFour)
{
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({"-Embedding"}));
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths << m_folder.Write(QString("f%1.xml").arg(i), "<f/>");
        ASSERT_TRUE(app.OpenDocumentFile(paths.last()));
    }
    ASSERT_EQ(app.RecentFiles().GetSize(), 4);
    EXPECT_EQ(app.RecentFiles().GetPath(0), QFileInfo(paths[4]).absoluteFilePath());
    EXPECT_EQ(app.RecentFiles().GetPath(3), QFileInfo(paths[1]).absoluteFilePath());
    EXPECT_TRUE(app.RecentFiles().GetDisplayName(0).startsWith("&1 "));
    app.ExitInstance();
    EXPECT_EQ(GetProfileString("Recent File List", "File4"),
              QFileInfo(paths[1]).absoluteFilePath());
}

TEST_F(TarnelAppTest, PreviewPagesIsReadAtStartAndWrittenOnlyWhenSet)
{
    {
        CTarnelApp app;
        ASSERT_TRUE(app.InitInstance({"-Embedding"}));
        EXPECT_EQ(app.MainFrame()->PreviewPages(), 0);
        app.ExitInstance();
    }
    EXPECT_EQ(GetProfileInt("Settings", "PreviewPages", -1), -1);
    WriteProfileInt("Settings", "PreviewPages", 2);
    CLeftView::ResetFirstUpdateForTesting();
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({"-Embedding"}));
    EXPECT_EQ(app.MainFrame()->PreviewPages(), 2);
    app.MainFrame()->SetPreviewPages(1);
    app.ExitInstance();
    EXPECT_EQ(GetProfileInt("Settings", "PreviewPages", -1), 1);
}

TEST_F(TarnelAppTest, WindowSizeAndToolbarPlaceAreKeptBetweenRuns)
{
    {
        CTarnelApp app;
        ASSERT_TRUE(app.InitInstance({"-Embedding"}));
        app.MainFrame()->resize(640, 480);
        app.MainFrame()->addToolBar(Qt::LeftToolBarArea, app.MainFrame()->ToolBar());
        app.ExitInstance();
    }
    CLeftView::ResetFirstUpdateForTesting();
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({"-Embedding"}));
    EXPECT_EQ(app.MainFrame()->size(), QSize(640, 480));
    EXPECT_EQ(app.MainFrame()->toolBarArea(app.MainFrame()->ToolBar()), Qt::LeftToolBarArea);
    app.ExitInstance();
}

TEST_F(TarnelAppTest, ARunThatShowsNoWindowKeepsThePlacementOfTheLastShownOne)
{
    {
        CTarnelApp app;
        ASSERT_TRUE(app.InitInstance({"-Embedding"}));
        app.MainFrame()->setGeometry(40, 60, 500, 400);
        app.ExitInstance();
    }
    const QString saved = GetProfileString("Settings", "WindowGeometry");
    ASSERT_FALSE(saved.isEmpty());
    const QString path = m_folder.Write("print.xml", "<a/>");
    CTarnelApp::s_preparePrinter = [this](QsciPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder.Path("print.pdf"));
    };
    for (const QStringList& arguments :
         {QStringList{m_folder.Path("missing.xml")}, QStringList{"-p", path}}) {
        CLeftView::ResetFirstUpdateForTesting();
        CTarnelApp app;
        EXPECT_FALSE(app.InitInstance(arguments));
        app.ExitInstance();
        EXPECT_EQ(GetProfileString("Settings", "WindowGeometry").toStdString(), saved.toStdString())
            << arguments.join(' ').toStdString();
    }
}

TEST_F(TarnelAppTest, TheWindowStartsInsideTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* run : {"default size", "saved larger than the screen"}) {
        CLeftView::ResetFirstUpdateForTesting();
        CTarnelApp app;
        ASSERT_TRUE(app.InitInstance({"-Embedding"}));
        const QRect frame = app.MainFrame()->frameGeometry();
        EXPECT_TRUE(screen.contains(frame)) << run << ": " << frame.x() << "," << frame.y() << " "
                                            << frame.width() << "x" << frame.height();
        app.MainFrame()->setGeometry(screen.x() - 50, screen.y(), screen.width() * 2,
                                     screen.height() * 2);
        app.ExitInstance();
    }
}

TEST_F(TarnelAppTest, HelpAndVersionEndStartUpAtOnce)
{
    for (const char* flag : {"--help", "--version"}) {
        CTarnelApp app;
        EXPECT_FALSE(app.InitInstance({flag}));
        EXPECT_EQ(app.MainFrame(), nullptr);
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    CTarnelApp refused;
    EXPECT_FALSE(refused.InitInstance({"-dash.xml"}));
    EXPECT_EQ(refused.MainFrame(), nullptr);
    EXPECT_EQ(refused.ExitInstance(), 2);
}

// A start from a folder without the two files, as from the desktop menu in the home folder.
class TarnelAppDataFilesTest : public TarnelAppTest
{
protected:
    void SetUp() override
    {
        TarnelAppTest::SetUp();
        QFile::remove(m_folder.Path("tarnel.xml"));
        QFile::remove(m_folder.Path("tips.txt"));
        SetTipDialogRunner([this](CTipDlg& dialog) {
            m_strTip = dialog.m_strTipText;
            return IDCANCEL;
        });
    }

    void PutDataFile(const QString& name, const QByteArray& bytes) const
    {
        QDir(m_data.path()).mkpath(QStringLiteral("tarnel"));
        QFile file(m_data.filePath("tarnel/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_data;
    QString m_strTip;
};

TEST_F(TarnelAppDataFilesTest, TemplateAndTipsComeFromTheDataFolderWhenTheWorkingFolderHasNone)
{
    PutDataFile("tarnel.xml", "<installed><item/></installed>");
    PutDataFile("tips.txt", "Installed tip\n");
    CEnvironmentOverride dataDirs("XDG_DATA_DIRS", QFile::encodeName(m_data.path()));
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    ASSERT_EQ(app.MainFrame()->LeftView()->topLevelItemCount(), 1);
    EXPECT_EQ(app.MainFrame()->LeftView()->topLevelItem(0)->text(0), "installed");
    EXPECT_EQ(m_strTip, "Installed tip");
    app.ExitInstance();
}

TEST_F(TarnelAppDataFilesTest, WithoutAnyTemplateTheMessageNamesThePlainFileName)
{
    CTarnelApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_EQ(m_messages.Messages(), QStringList{"Failed to open file tarnel.xml. Aborted!\n"});
    EXPECT_EQ(app.MainFrame()->LeftView()->topLevelItemCount(), 0);
    EXPECT_EQ(m_strTip, LoadString(IDS_TIP_FILE_ABSENT));
    app.ExitInstance();
}

}  // namespace
