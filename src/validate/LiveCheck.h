// Check as You Type: after a pause in typing, the well-formedness check runs over a copy of the
// text, taken in slices between keys, off the user-interface thread; its first error is underlined and said in the status bar.
#pragma once

#include "BackgroundJob.h"
#include "CmdTarget.h"
#include "TextBuffer.h"
#include "TextSnapshot.h"

#include <QObject>
#include <QTimer>

class CTarnelView;

class CLiveCheck : public QObject, public CCmdTarget, private ITextEditObserver
{
    Q_OBJECT
public:
    static constexpr int kPauseMs = 300;

    explicit CLiveCheck(CTarnelView& view, QObject* pParent = nullptr);
    ~CLiveCheck() override;

    // On unless the user turned it off in an earlier run.
    bool IsOn() const { return m_bOn; }
    void SetOn(bool bOn);
    // Runs the check now on the text as it is (the pause's end; tests call it directly).
    void CheckNow();
    CBackgroundJob& Job() { return m_job; }
    // Whether a check is under way: its copy of the text being taken, or the check running.
    bool IsBusy() const { return m_snapshot.IsRunning() || m_job.IsRunning(); }
    // Whether the last finished check found an error; its message.
    const QString& LastError() const { return m_strLastError; }

private:
    void OnTextEdit(const STextEdit&) override;
    void Check(std::shared_ptr<const QByteArray> pText);

    CTarnelView& m_view;
    QTimer m_pause;
    CTextSnapshot m_snapshot;
    CBackgroundJob m_job;
    bool m_bOn = true;
    quint64 m_nTextVersion = 0;  // counts edits, so a check of an older text is dropped
    QString m_strLastError;
};
