#include "RecoveryDlg.h"

#include "CommandIds.h"
#include "StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

CDocRecovery::EAnswer CRecoveryDlg::Ask(const QString& text, bool bCanRecover)
{
    QMessageBox box(bCanRecover ? QMessageBox::Question : QMessageBox::Warning,
                    LoadString(AFX_IDS_APP_TITLE), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* pRecover = nullptr;
    if (bCanRecover)
        pRecover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    QPushButton* pDiscard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton* pLater = box.addButton(QStringLiteral("Decide &Later"), QMessageBox::RejectRole);
    // Enter recovers; Esc and the close button keep the file for later.
    box.setDefaultButton(pRecover ? pRecover : pLater);
    box.setEscapeButton(pLater);
    box.exec();
    if (box.clickedButton() == pRecover && pRecover)
        return CDocRecovery::EAnswer::Recover;
    return box.clickedButton() == pDiscard ? CDocRecovery::EAnswer::Discard
                                           : CDocRecovery::EAnswer::Later;
}
