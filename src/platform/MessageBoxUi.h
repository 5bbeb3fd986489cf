// Installs the real message box (QMessageBox) as the program's message presenter.
#pragma once

void InstallMessageBoxPresenter();
