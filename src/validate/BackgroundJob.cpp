#include "BackgroundJob.h"

#include <QProgressDialog>
#include <QThread>

namespace {

constexpr int kProgressDelayMs = 500;

}  // namespace

CBackgroundJob::CBackgroundJob(QObject* pParent) : QObject(pParent) {}

CBackgroundJob::~CBackgroundJob()
{
    Cancel();
    Wait();
    qDeleteAll(m_threads);  // their end would be reported to an object no longer here
}

void CBackgroundJob::Start(Work work, Done done, const QString& strLabel, QWidget* pProgressParent)
{
    Cancel();
    auto pCancel = std::make_shared<std::atomic_bool>(false);
    m_pCancel = pCancel;
    QThread* pThread = QThread::create([work = std::move(work), pCancel] { work(*pCancel); });
    m_pThread = pThread;
    m_threads.insert(pThread);
    connect(pThread, &QThread::finished, this,
            [this, pThread, done = std::move(done), pCancel] { Finished(pThread, done, pCancel); });
    if (pProgressParent) {
        m_pProgress = new QProgressDialog(strLabel, tr("Cancel"), 0, 0, pProgressParent);
        m_pProgress->setWindowModality(Qt::WindowModal);
        m_pProgress->setMinimumDuration(kProgressDelayMs);
        m_pProgress->setAutoClose(false);
        m_pProgress->setAutoReset(false);
        connect(m_pProgress, &QProgressDialog::canceled, this, &CBackgroundJob::Cancel);
        m_pProgress->setValue(0);
    }
    pThread->start();
}

void CBackgroundJob::Cancel()
{
    if (m_pCancel)
        m_pCancel->store(true);
    m_pCancel.reset();
    m_pThread = nullptr;  // a cancelled thread ends on its own and is deleted then
    if (m_pProgress)
        m_pProgress->deleteLater();
    m_pProgress = nullptr;
}

void CBackgroundJob::Wait()
{
    for (QThread* pThread : m_threads)
        pThread->wait();
}

void CBackgroundJob::Finished(QThread* pThread, const Done& done,
                              std::shared_ptr<std::atomic_bool> pCancel)
{
    m_threads.remove(pThread);
    pThread->deleteLater();
    if (pThread != m_pThread || pCancel->load())
        return;
    m_pThread = nullptr;
    m_pCancel.reset();
    if (m_pProgress)
        m_pProgress->deleteLater();
    m_pProgress = nullptr;
    done();
}
