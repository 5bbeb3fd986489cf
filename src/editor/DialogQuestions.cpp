#include "DialogQuestions.h"

#include "CommandIds.h"
#include "FileDialog.h"
#include "RecoveryDlg.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>

namespace {

IDocumentQuestions::EAnswer Ask(const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, LoadString(AFX_IDS_APP_TITLE), text, buttons,
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IDocumentQuestions::EAnswer::Yes;
    case QMessageBox::No:
        return IDocumentQuestions::EAnswer::No;
    default:
        return IDocumentQuestions::EAnswer::Cancel;
    }
}

}  // namespace

QString CDialogQuestions::SaveFileName(const QString& caption, const QString& suggested,
                                       const QString& filter, const QString& defaultExt)
{
    return CFileDialog(true, caption, suggested, filter, defaultExt, QApplication::activeWindow())
        .DoModal();
}

QString CDialogQuestions::OpenFileName(const QString& caption, const QString& suggested,
                                       const QString& filter, const QString& defaultExt)
{
    return CFileDialog(false, caption, suggested, filter, defaultExt, QApplication::activeWindow())
        .DoModal();
}

IDocumentQuestions::EAnswer CDialogQuestions::AskYesNoCancel(const QString& text)
{
    return Ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

IDocumentQuestions::EAnswer CDialogQuestions::AskYesNo(const QString& text)
{
    return Ask(text, QMessageBox::Yes | QMessageBox::No);
}

CDocRecovery::EAnswer CDialogQuestions::AskRecovery(const QString& text, bool bCanRecover)
{
    return CRecoveryDlg::Ask(text, bCanRecover);
}
