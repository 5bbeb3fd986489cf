// The progress of a long job in a window-modal QProgressDialog with Cancel, shown only when the
// job runs longer than half a second. While it shows, each step lets the window paint, and the
// modality keeps the user's input from the window and its dialogs.
#pragma once

#include "JobProgress.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class CJobProgressDlg
{
public:
    CJobProgressDlg(const QString& label, QWidget* pParent);
    ~CJobProgressDlg() { Finish(); }

    // Steps the bar; false once the user has cancelled.
    bool Step(long long nDone, long long nTotal);
    JobProgress Callback();
    // From here on the job cannot stop: no Cancel button, and Step always carries on.
    void EnterFinalStage(const QString& label);
    // Closes the dialog and stops its clock, so it cannot show up behind a message box.
    void Finish() { m_dialog.reset(); }

    QProgressDialog& Dialog() { return m_dialog; }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_clock;
    qint64 m_nLastUpdateMs = 0;
    bool m_bFinalStage = false;
};
