// The two ways the Tip of the Day is shown: after start-up and from the Help menu.
#pragma once

#include <functional>

class CTipDlg;

// Runs the dialog modally and returns IDOK or IDCANCEL; tests replace it to drive the dialog.
using TipDialogRunner = std::function<int(CTipDlg& dialog)>;

// Installs `runner` (an empty one restores CTipDlg::DoModal) and returns the previous one.
TipDialogRunner SetTipDialogRunner(TipDialogRunner runner);

// bShowSplash is the command line's m_bShowSplash: when false nothing is read or written.
void ShowTipAtStartup(bool bShowSplash);

void ShowTip();
