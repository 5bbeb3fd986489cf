#include "RecoveryWriter.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int MakeFolder(const QByteArray& folder)
{
    if (QDir().mkpath(QFile::decodeName(folder)))
        return ::chmod(folder.constData(), 0700) == 0 ? 0 : errno;
    return errno ? errno : EACCES;
}

}  // namespace

CRecoveryWriter::CRecoveryWriter(ErrorHook onError)
    : m_fnOnError(std::move(onError)), m_thread([this] { Run(); })
{
}

CRecoveryWriter::~CRecoveryWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CRecoveryWriter::Append(const QByteArray& path, const SRecoveryOrigin& origin,
                             std::vector<SRecoveryEdit> edits)
{
    Queue({false, path, origin, std::move(edits)});
}

void CRecoveryWriter::Remove(const QByteArray& path)
{
    Queue({true, path, SRecoveryOrigin(), {}});
}

void CRecoveryWriter::Wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_bBusy; });
}

void CRecoveryWriter::Queue(SJob job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void CRecoveryWriter::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bStop || !m_jobs.empty(); });
        if (m_jobs.empty())
            break;  // stopping, and all is done
        SJob job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_bBusy = true;
        lock.unlock();
        Do(job);
        lock.lock();
        m_bBusy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
    Close(false);  // the file stays: closing the document removes it first when it should go
}

void CRecoveryWriter::Do(SJob& job)
{
    if (job.bRemove) {
        if (m_file.IsOpen() && m_file.Path() == job.path)
            Close(true);
        else
            ::unlink(job.path.constData());  // from a session before; gone already is fine
        return;
    }
    if (job.path == m_failedPath)
        return;
    int nError = 0;
    if (!m_file.IsOpen() || m_file.Path() != job.path) {
        Close(false);
        nError = Create(job.path, job.origin);
    }
    QByteArray bytes;
    for (const SRecoveryEdit& edit : job.edits)
        CRecoveryCodec::AppendRecord(edit, bytes);
    if (!nError)
        nError = m_file.WriteAll(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!nError)
        nError = m_file.Sync();
    if (nError) {
        // A half-written record would hide every later one: this file is done for.
        m_failedPath = job.path;
        Close(true);
        m_fnOnError(job.path, nError);
    }
}

int CRecoveryWriter::Create(const QByteArray& path, const SRecoveryOrigin& origin)
{
    const QByteArray folder = CPosixFile::FolderOf(path);
    int nError = MakeFolder(folder);
    if (!nError)
        nError = m_file.Open(path, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (nError)
        return nError;
    // The mode asked of open() is narrowed by the umask; the file must be exactly 0600.
    if (::fchmod(m_file.Fd(), 0600) != 0 || ::flock(m_file.Fd(), LOCK_EX | LOCK_NB) != 0)
        return errno;
    const QByteArray header = CRecoveryCodec::EncodeHeader(origin);
    nError = m_file.WriteAll(header.constData(), static_cast<std::size_t>(header.size()));
    if (!nError)
        nError = m_file.Sync();
    if (!nError)
        nError = CPosixFile::SyncFolder(folder);
    return nError;
}

void CRecoveryWriter::Close(bool bRemove)
{
    if (!m_file.IsOpen())
        return;
    // Removed while still locked, so no other instance can take it for a crashed session's.
    if (bRemove)
        ::unlink(m_file.Path().constData());
    m_file.Close();  // nothing more is written to it: a failed close loses nothing
}
