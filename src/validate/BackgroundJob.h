// Runs one job off the user-interface thread and calls back on it when the job ends. With a
// progress window, a Cancel button shows once the job has run half a second; cancelling, or a new
// Start, asks the running job to stop and drops its outcome.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <atomic>
#include <functional>
#include <memory>

class QProgressDialog;
class QThread;

class CBackgroundJob : public QObject
{
    Q_OBJECT
public:
    using Work = std::function<void(const std::atomic_bool& bCancel)>;
    using Done = std::function<void()>;

    explicit CBackgroundJob(QObject* pParent = nullptr);
    ~CBackgroundJob() override;

    // `work` runs on a thread of its own; `done` runs here after it, unless it was cancelled.
    // `pProgressParent` null: no progress window.
    void Start(Work work, Done done, const QString& strLabel = QString(),
               QWidget* pProgressParent = nullptr);
    void Cancel();
    bool IsRunning() const { return m_pThread != nullptr; }
    // Blocks until the running job has ended (tests, and closing the window).
    void Wait();

private:
    void Finished(QThread* pThread, const Done& done, std::shared_ptr<std::atomic_bool> pCancel);

    QThread* m_pThread = nullptr;  // the job whose outcome counts
    QSet<QThread*> m_threads;      // every thread not yet ended, cancelled ones too
    std::shared_ptr<std::atomic_bool> m_pCancel;
    QPointer<QProgressDialog> m_pProgress;
};
