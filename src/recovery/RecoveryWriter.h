// Writes recovery files on a thread of its own, so that syncing them never stalls typing.
#pragma once

#include "PosixFile.h"
#include "RecoveryCodec.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CRecoveryWriter
{
public:
    using ErrorHook = std::function<void(const QByteArray& path, int nErrno)>;

    // `onError` runs on the writer's thread with the file and the errno of a failed create,
    // write or sync; that file is then removed and later appends to it are dropped.
    explicit CRecoveryWriter(ErrorHook onError);
    // Finishes what was queued.
    ~CRecoveryWriter();
    CRecoveryWriter(const CRecoveryWriter&) = delete;
    CRecoveryWriter& operator=(const CRecoveryWriter&) = delete;

    // Appends the records of `edits` to `path` and syncs it. The first append to a path
    // creates it (mode 0600, its folder 0700) with the header of `origin`, and keeps it open
    // and locked, which tells other instances it is in use.
    void Append(const QByteArray& path, const SRecoveryOrigin& origin,
                std::vector<SRecoveryEdit> edits);
    // Closes and deletes `path` after what was queued before.
    void Remove(const QByteArray& path);
    // Returns once everything queued so far is done.
    void Wait();

private:
    struct SJob
    {
        bool bRemove = false;
        QByteArray path;
        SRecoveryOrigin origin;
        std::vector<SRecoveryEdit> edits;
    };

    void Queue(SJob job);
    void Run();
    void Do(SJob& job);
    int Create(const QByteArray& path, const SRecoveryOrigin& origin);
    void Close(bool bRemove);

    ErrorHook m_fnOnError;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<SJob> m_jobs;
    bool m_bBusy = false;
    bool m_bStop = false;
    std::thread m_thread;

    // Used on the writer's thread only.
    CPosixFile m_file;
    QByteArray m_failedPath;
};
