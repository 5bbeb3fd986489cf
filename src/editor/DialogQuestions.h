// The document's questions as dialogs over the active window.
#pragma once

#include "DocumentQuestions.h"

class CDialogQuestions : public IDocumentQuestions
{
public:
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter,
                         const QString& defaultExt) override;
    QString OpenFileName(const QString& caption, const QString& suggested, const QString& filter,
                         const QString& defaultExt) override;
    EAnswer AskYesNoCancel(const QString& text) override;
    EAnswer AskYesNo(const QString& text, bool bYesDiscards) override;
    CDocRecovery::EAnswer AskRecovery(const QString& text, bool bCanRecover) override;
    ELongLineChoice AskLongLine(const QString& text, bool bCanFormat) override;
};
