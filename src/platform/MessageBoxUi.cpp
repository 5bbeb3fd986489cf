#include "MessageBoxUi.h"

#include "CommandIds.h"
#include "MessageBox.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>

void InstallMessageBoxPresenter()
{
    SetMessagePresenter([](const QString& text) {
        QMessageBox box(QMessageBox::Warning, LoadString(AFX_IDS_APP_TITLE), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
