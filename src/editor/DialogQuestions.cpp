#include "DialogQuestions.h"

#include "CommandIds.h"
#include "FileDialog.h"
#include "RecoveryDlg.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

IDocumentQuestions::EAnswer CDialogQuestions::AskYesNo(const QString& text, bool bYesDiscards)
{
    if (!bYesDiscards)
        return Ask(text, QMessageBox::Yes | QMessageBox::No);
    // Buttons without mnemonics: a message box takes a plain typed letter as its button's
    // mnemonic, and a key meant for the text must not throw the text away.
    QMessageBox box(QMessageBox::Warning, LoadString(AFX_IDS_APP_TITLE), text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? EAnswer::Yes : EAnswer::No;
}

CDocRecovery::EAnswer CDialogQuestions::AskRecovery(const QString& text, bool bCanRecover)
{
    return CRecoveryDlg::Ask(text, bCanRecover);
}

ELongLineChoice CDialogQuestions::AskLongLine(const QString& text, bool bCanFormat)
{
    QMessageBox box(QMessageBox::Question, LoadString(AFX_IDS_APP_TITLE), text,
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* format =
        bCanFormat ? box.addButton(QStringLiteral("&Format XML"), QMessageBox::AcceptRole)
                   : nullptr;
    QPushButton* asItIs = box.addButton(QStringLiteral("&Open As It Is"), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(format ? format : cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (format && box.clickedButton() == format)
        return ELongLineChoice::Format;
    return box.clickedButton() == asItIs ? ELongLineChoice::AsItIs : ELongLineChoice::NotOpened;
}
