#include "TipOfTheDay.h"

#include "DataFileLocator.h"
#include "TipDlg.h"

namespace {

TipDialogRunner& Runner()
{
    static TipDialogRunner runner;
    return runner;
}

QString TipsFilePath()
{
    return CDataFileLocator::ForThisProgram().Locate(QStringLiteral("tips.txt"));
}

int RunModal(CTipDlg& dialog)
{
    return Runner() ? Runner()(dialog) : dialog.DoModal();
}

}  // namespace

TipDialogRunner SetTipDialogRunner(TipDialogRunner runner)
{
    TipDialogRunner previous = std::move(Runner());
    Runner() = std::move(runner);
    return previous;
}

void ShowTipAtStartup(bool bShowSplash)
{
    if (!bShowSplash)
        return;
    CTipDlg dialog(nullptr, TipsFilePath());
    if (dialog.m_bShowAtStartup)
        RunModal(dialog);
}

void ShowTip()
{
    CTipDlg dialog(nullptr, TipsFilePath());
    RunModal(dialog);
}
