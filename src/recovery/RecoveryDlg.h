// Asks whether to recover the unsaved changes a session left: Recover, Discard, Decide later.
#pragma once

#include "DocRecovery.h"

class CRecoveryDlg
{
public:
    // Without `bCanRecover` only Discard and Decide later are offered.
    static CDocRecovery::EAnswer Ask(const QString& text, bool bCanRecover);
};
