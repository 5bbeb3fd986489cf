#include "TipOfTheDay.h"

#include "TipDlg.h"

namespace {

TipDialogRunner& Runner()
{
    static TipDialogRunner runner;
    return runner;
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
    CTipDlg dialog;
    if (dialog.m_bShowAtStartup)
        RunModal(dialog);
}

void ShowTip()
{
    CTipDlg dialog;
    RunModal(dialog);
}
