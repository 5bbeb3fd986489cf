// The application: start-up from the command line, settings, the recent files, and the
// last stop of command routing (New, Open, Print Setup, Exit, recent files, About, tips).
#pragma once

#include "CmdTarget.h"
#include "CommandLineInfo.h"
#include "RecentFileList.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CMainFrame;
class CTarnelDoc;
class QsciPrinter;

class CTarnelApp : public CCmdTarget
{
public:
    static constexpr int kRecentFiles = 4;

    CTarnelApp();
    ~CTarnelApp() override;

    // Start-up; `arguments` exclude the program name. False: end at once, with ExitInstance() giving the status.
    bool InitInstance(const QStringList& arguments);
    // Saves the settings (not after unregistering) and returns the process exit code.
    int ExitInstance();

    // Opens `path` as the document after the save prompt; false when it could not be opened.
    bool OpenDocumentFile(const QString& path);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CTarnelDoc* Document() const { return m_pDocument.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }

    // Replaceable in tests: sets up the printer before a print from the command line.
    static std::function<void(QsciPrinter& printer)> s_preparePrinter;

private:
    void RegisterCommands();
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int nID);

    void LoadStdProfileSettings();
    void CreateDocumentAndFrame();
    bool ProcessShellCommand();
    bool PrintFromCommandLine();
    bool Unregister();
    void ShowTipAtStartup();
    void NoteDocumentPath();

    CCommandLineInfo m_cmdInfo;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CTarnelDoc> m_pDocument;  // outlives the frame, which points at it
    std::unique_ptr<CMainFrame> m_pMainFrame;
    QString m_strLastPath;
    int m_nPreviewPagesAtStart = 0;
    bool m_bUnregistered = false;
    int m_nExitCode = 0;
};
