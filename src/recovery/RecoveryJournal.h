// Keeps a document's unsaved edits in a recovery file: edits are collected in memory and
// written by a CRecoveryWriter a little after typing stops, never on every keystroke.
#pragma once

#include "RecoveryCodec.h"
#include "RecoveryWriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class CRecoveryJournal : public QObject
{
    Q_OBJECT
public:
    static constexpr int kQuietMs = 2000;         // written this long after the last edit
    static constexpr int kLongestWaitMs = 10000;  // and at least this often while edits go on

    // Recovery files go to `folder`, created when first needed.
    explicit CRecoveryJournal(const QString& folder, QObject* parent = nullptr);
    // Removes the recovery file: the document is closed and what it held was not wanted.
    ~CRecoveryJournal() override;

    // The text now equals `origin`; the previous recovery file is removed.
    void Restart(const SRecoveryOrigin& origin);
    // The text is gone without being saved: removes the recovery file and records nothing
    // until the next Restart.
    void Discard();

    void RecordInsert(qint64 nPos, const QByteArray& bytes);
    void RecordDelete(qint64 nPos, qint64 nLength);
    // The text is back at the original (an undo to the saved state).
    void RecordClean();
    // The text differs from the original again.
    void RecordDirty();

    // Hands what is pending to the writer now, as the timer does.
    void Flush();
    // Returns once all handed over is on disk (or failed); true when it is on disk and the
    // journal still records.
    bool WaitForWrites();

    bool IsRecording() const { return m_bRecording; }
    bool HasPending() const { return !m_pending.empty(); }
    // The length the text has after the recorded edits.
    qint64 Length() const { return m_nLength; }
    const SRecoveryOrigin& Origin() const { return m_origin; }
    // The recovery file, once the first edits were handed over; empty before.
    QString FilePath() const;
    // Stops recording after the text and the journal disagree, removing the file.
    void Abandon(const QString& reason);

signals:
    // Emitted before pending edits are handed over, so the last ones can be completed.
    void aboutToFlush();
    // Recording stopped; `message` says why, naming the document.
    void failed(const QString& message);

private:
    void Record(SRecoveryEdit edit);
    void OnWriteFailed(const QByteArray& path, int nErrno);
    QString DocumentName() const;

    QString m_strFolder;
    SRecoveryOrigin m_origin;
    QByteArray m_filePath;
    std::vector<SRecoveryEdit> m_pending;
    qint64 m_nLength = 0;
    bool m_bRecording = false;
    std::atomic<bool> m_bWriteFailed{false};  // set on the writer's thread
    QTimer m_timer;
    QElapsedTimer m_sinceFirstPending;
    std::unique_ptr<CRecoveryWriter> m_pWriter;
};
