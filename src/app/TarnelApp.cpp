#include "TarnelApp.h"

#include "AboutDlg.h"
#include "CommandIds.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "Profile.h"
#include "SettingsKeys.h"
#include "StringTable.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "TipOfTheDay.h"
#include "Version.h"

#include <Qsci/qsciprinter.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QProcess>
#include <QTextStream>

std::function<void(QsciPrinter&)> CTarnelApp::s_preparePrinter;

namespace {

const char* const kUsage =
    "Usage: tarnel [FILE] [-p FILE] [-pt FILE PRINTER [DRIVER [PORT]]] [-Unregister]\n"
    "\n"
    "Tarnel, an editor for XML text with a tree of element templates.\n"
    "\n"
    "  FILE              open FILE as the document\n"
    "  -p FILE           print FILE on the default printer and end\n"
    "  -pt FILE PRINTER  print FILE on PRINTER and end\n"
    "  -Unregister       remove Tarnel's settings and end\n"
    "  -Embedding, -Automation  start without the Tip of the Day\n"
    "  -- FILE           open FILE even when its name begins with \"-\"\n"
    "  --help            show this help and end\n"
    "  --version         show the version and end\n"
    "\n"
    "Switches may also begin with \"/\". The template file tarnel.xml and the tips file\n"
    "tips.txt are read from the working directory, or else from tarnel/ in $XDG_DATA_HOME\n"
    "(~/.local/share) or in a folder of $XDG_DATA_DIRS (/usr/local/share:/usr/share).\n";

}  // namespace

CTarnelApp::CTarnelApp() : m_recentFiles(kRecentFiles)
{
    RegisterCommands();
}

CTarnelApp::~CTarnelApp() = default;

bool CTarnelApp::InitInstance(const QStringList& arguments)
{
    LoadStdProfileSettings();
    m_cmdInfo = ParseCommandLine(arguments);
    if (!m_cmdInfo.m_strUnknownOption.isEmpty()) {
        QTextStream(stderr) << "tarnel: unknown option " << m_cmdInfo.m_strUnknownOption
                            << " (write -- before a file name that begins with \"-\")\n\n"
                            << kUsage;
        m_nExitCode = 2;
        return false;
    }
    if (m_cmdInfo.m_bShowHelp || m_cmdInfo.m_bShowVersion) {
        QTextStream out(stdout);
        out << (m_cmdInfo.m_bShowHelp
                    ? QString::fromLatin1(kUsage)
                    : QStringLiteral("Tarnel " TARNEL_VERSION_NAME " (" TARNEL_VERSION ")\n"));
        return false;
    }
    if (!ProcessShellCommand())
        return false;
    m_pMainFrame->show();
    ShowTipAtStartup();
    return true;
}

void CTarnelApp::LoadStdProfileSettings()
{
    m_recentFiles.ReadList();
    m_nPreviewPagesAtStart = GetProfileInt(SettingsKeys::kSection, SettingsKeys::kPreviewPages, 0);
}

void CTarnelApp::CreateDocumentAndFrame()
{
    m_pDocument = std::make_unique<CTarnelDoc>();
    m_pMainFrame = std::make_unique<CMainFrame>(m_pDocument.get(), this);
    m_pMainFrame->SetRecentFileList(&m_recentFiles);
    m_pMainFrame->SetPreviewPages(m_nPreviewPagesAtStart);
    m_pMainFrame->RestorePlacement();
    QObject::connect(m_pDocument.get(), &CTarnelDoc::documentChanged, m_pMainFrame.get(),
                     [this] { NoteDocumentPath(); });
    // Text recovered as a new document is shown by a new window, which offers it.
    m_pDocument->Recovery().SetNewDocumentOpener(
        [] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); });
}

bool CTarnelApp::ProcessShellCommand()
{
    switch (m_cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::AppUnregister:
        return Unregister();
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return PrintFromCommandLine();
    case CCommandLineInfo::FileOpen:
        CreateDocumentAndFrame();
        m_pMainFrame->InitialUpdateFrame();
        // Opened after the panes are set up, so the file is coloured like any other.
        if (!OpenDocumentFile(m_cmdInfo.m_strFileName)) {
            m_nExitCode = 1;
            return false;
        }
        m_pMainFrame->SetActiveView(m_pMainFrame->LeftView());
        return true;
    default:  // new, and DDE, which starts like an ordinary new document
        CreateDocumentAndFrame();
        if (!m_pDocument->OnNewDocument()) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            m_nExitCode = 1;
            return false;
        }
        m_pMainFrame->InitialUpdateFrame();
        if (!m_cmdInfo.m_strUntitledFrom.isEmpty())
            m_pDocument->TakeUntitledText(m_cmdInfo.m_strUntitledFrom);
        else
            m_pDocument->OfferRecovery();
        return true;
    }
}

bool CTarnelApp::PrintFromCommandLine()
{
    m_nExitCode = 1;
    if (m_cmdInfo.m_strFileName.isEmpty()) {
        AfxMessageBox(QStringLiteral("No file was named to print."));
        return false;
    }
    CreateDocumentAndFrame();
    m_pMainFrame->InitialUpdateFrame();
    if (!m_pDocument->OnOpenDocument(m_cmdInfo.m_strFileName))
        return false;
    if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo) {
        QsciPrinter& printer = m_pMainFrame->Printer();
        printer.setPrinterName(m_cmdInfo.m_strPrinterName);
        // Qt quietly falls back to another printer for a name it does not know.
        if (printer.outputFormat() != QPrinter::NativeFormat
            || printer.printerName() != m_cmdInfo.m_strPrinterName) {
            AfxMessageBox(LoadString(IDS_NO_SUCH_PRINTER).arg(m_cmdInfo.m_strPrinterName));
            return false;
        }
    }
    if (s_preparePrinter)
        s_preparePrinter(m_pMainFrame->Printer());
    m_nExitCode = m_pMainFrame->PrintDirect() ? 0 : 1;
    return false;
}

bool CTarnelApp::Unregister()
{
    m_bUnregistered = true;
    if (!RemoveProfile()) {
        AfxMessageBox(
            QStringLiteral("The settings file %1 could not be removed.").arg(ProfileFilePath()));
        m_nExitCode = 1;
        return false;
    }
    if (!m_cmdInfo.m_bRunEmbedded)
        AfxMessageBox(AFX_IDP_UNREG_DONE);
    return false;
}

void CTarnelApp::ShowTipAtStartup()
{
    ::ShowTipAtStartup(m_cmdInfo.m_bShowSplash);
}

int CTarnelApp::ExitInstance()
{
    if (!m_bUnregistered) {
        m_recentFiles.WriteList();
        if (m_pMainFrame)
            m_pMainFrame->SavePlacement();
        const int nPages = m_pMainFrame ? m_pMainFrame->PreviewPages() : 0;
        if (nPages != 0)
            WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kPreviewPages, nPages);
    }
    m_pMainFrame.reset();
    m_pDocument.reset();
    return m_nExitCode;
}

void CTarnelApp::RegisterCommands()
{
    OnCommand(ID_TIP_OF_THE_DAY, [] { ::ShowTip(); });
    OnCommand(ID_APP_ABOUT, [this] {
        CAboutDlg about(m_pMainFrame.get());
        about.exec();
    });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] {
        QPageSetupDialog setup(&m_pMainFrame->Printer(), m_pMainFrame.get());
        setup.exec();
    });
    OnCommand(ID_APP_EXIT, [this] { m_pMainFrame->close(); });
    OnCommandRange(
        ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, [this](int nID) { OnOpenRecentFile(nID); },
        [this](CCmdUI& ui) { ui.Enable(ui.m_nID - ID_FILE_MRU_FILE1 < m_recentFiles.GetSize()); });
}

void CTarnelApp::OnFileNew()
{
    if (!m_pDocument->SaveModified())
        return;
    if (!m_pDocument->OnNewDocument())
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    m_pMainFrame->EditView()->OnInitialUpdate();
}

void CTarnelApp::OnFileOpen()
{
    // In the current document's folder; without one, the dialog starts in the last folder used.
    const QString current = m_pDocument->GetPathName();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath() + '/';
    const QString path = m_pDocument->Questions().OpenFileName(
        LoadString(AFX_IDS_OPENFILE), folder, LoadString(IDS_DOCUMENT_FILTER), QString());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CTarnelApp::OpenDocumentFile(const QString& path)
{
    if (!m_pDocument->SaveModified())
        return false;
    if (!m_pDocument->OnOpenDocument(path))
        return false;
    m_pDocument->OfferRecovery();
    m_recentFiles.Add(m_pDocument->GetPathName());
    m_pMainFrame->EditView()->OnInitialUpdate();
    return true;
}

void CTarnelApp::OnOpenRecentFile(int nID)
{
    const int nIndex = nID - ID_FILE_MRU_FILE1;
    if (nIndex >= m_recentFiles.GetSize())
        return;
    const QString path = m_recentFiles.GetPath(nIndex);
    // A file that can no longer be opened leaves the list, as its entry is of no use.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path))
        m_recentFiles.Remove(nIndex);
}

void CTarnelApp::NoteDocumentPath()
{
    // Saving under a new name puts that name at the top of the recent files, as opening does.
    const QString path = m_pDocument->GetPathName();
    if (!path.isEmpty() && path != m_strLastPath)
        m_recentFiles.Add(path);
    m_strLastPath = path;
}
