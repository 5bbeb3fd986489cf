#include "MessageBoxUi.h"
#include "TarnelApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));
    InstallMessageBoxPresenter();
    CTarnelApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return theApp.ExitInstance();
    const int nResult = QApplication::exec();
    const int nExitCode = theApp.ExitInstance();
    return nResult != 0 ? nResult : nExitCode;
}
