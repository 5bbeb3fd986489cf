#include "CommandLineInfo.h"
#include "MainFrame.h"
#include "MessageBoxUi.h"
#include "TarnelApp.h"
#include "Version.h"

#include <QApplication>

#include <csignal>
#include <memory>

namespace {

// --help, --version and a refused option must answer on a terminal without a display, where QApplication aborts.
bool AnswersInTextOnly(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CCommandLineInfo info = ParseCommandLine(args);
    return info.m_bShowHelp || info.m_bShowVersion || !info.m_strUnknownOption.isEmpty();
}

}  // namespace

int main(int argc, char** argv)
{
    // A write past a file-size limit then fails with EFBIG, which saving reports and survives,
    // instead of ending the program with the user's text.
    std::signal(SIGXFSZ, SIG_IGN);
    std::unique_ptr<QCoreApplication> application;
    if (AnswersInTextOnly(argc, argv))
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tarnel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNEL_VERSION));
    // Ties the windows to the installed desktop entry (Wayland app id, taskbar icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tarnel.Tarnel"));
    InstallMessageBoxPresenter();
    CTarnelApp theApp;
    if (!theApp.InitInstance(QCoreApplication::arguments().mid(1)))
        return theApp.ExitInstance();
    // A window closed while the Tip of the Day ran its own event loop at start-up could not make
    // the application quit, which only happens from exec(): exec() would then wait forever.
    const bool bWindowOpen = theApp.MainFrame() && theApp.MainFrame()->isVisible();
    const int nResult = bWindowOpen ? QCoreApplication::exec() : 0;
    const int nExitCode = theApp.ExitInstance();
    return nResult != 0 ? nResult : nExitCode;
}
