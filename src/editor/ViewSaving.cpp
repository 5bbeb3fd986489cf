#include "ViewSaving.h"

#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "SafeSaver.h"
#include "TarnelView.h"

bool SaveViewText(CTarnelView& view, CSafeSaver& saver, const QString& path, QString& error)
{
    // The bytes are written from pointers into the control's buffer, which any change of the
    // text would move. The dialog keeps the user's input away and the guard the timers' changes;
    // should anything change the text all the same, the save stops before the file is replaced.
    bool bChanged = false;
    const QMetaObject::Connection watch = QObject::connect(
        &view, &QsciScintillaBase::SCN_MODIFIED, &view,
        [&bChanged](int, int nType, const char*, int) {
            if (nType
                & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE))
                bChanged = true;
        });
    const CJobGuard guard;
    CJobProgressDlg dialog(QStringLiteral("Saving %1...").arg(path), view.window());
    const bool bSaved = saver.Save(view.TextPieces(), error,
                                   [&dialog, &bChanged](long long nDone, long long nTotal) {
                                       return dialog.Step(nDone, nTotal) && !bChanged;
                                   });
    QObject::disconnect(watch);
    dialog.Finish();
    if (!bSaved && bChanged)
        error = QStringLiteral("Could not save %1: the text changed while it was being written. "
                               "The file was left as it was.")
                    .arg(path);
    return bSaved;
}
