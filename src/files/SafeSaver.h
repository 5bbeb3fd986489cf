// Saves a document so that a failure at any point leaves the old file as it was.
#pragma once

#include "ContentDigest.h"
#include "FileStamp.h"
#include "JobProgress.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <vector>
#include <sys/stat.h>

struct SByteSpan
{
    const char* pData;
    std::size_t nSize;
};

// Writes the new bytes to a temporary file in the same folder, syncs it and the folder, and
// renames it over the file, keeping permissions, owner and group. A file with several hard
// links, or whose owner or group this user cannot give the new file, is overwritten in place
// instead, after a safety copy beside it that is removed once the new bytes are on disk. A
// symbolic link keeps pointing where it did: its target is saved.
class CSafeSaver
{
public:
    explicit CSafeSaver(const QString& path);

    // Writes `pieces` one after the other as the whole new contents. On failure returns false,
    // leaves the file's bytes as they were and sets `error` to a sentence naming the file and
    // the system's reason. `progress` is told of the bytes written; when it asks to stop before
    // the new file replaces the old, returns false with `error` empty and the file as it was.
    // Overwriting in place cannot stop once it has begun.
    bool Save(const std::vector<SByteSpan>& pieces, QString& error,
              const JobProgress& progress = {});

    // The file a save of `path` writes: the end of its chain of symbolic links.
    static QString TargetOf(const QString& path);

    // The saved file as written; valid after Save returned true.
    const SFileStamp& Stamp() const { return m_stamp; }
    // Of the bytes saved; valid after Save returned true.
    const SContentDigest& Digest() const { return m_digest; }

private:
    enum class EOutcome
    {
        Saved,
        Failed,
        Cancelled,
        NeedsInPlace
    };

    EOutcome SaveByReplacing(const std::vector<SByteSpan>& pieces, const struct stat* pOld,
                             const JobProgress& progress);
    bool SaveInPlace(const std::vector<SByteSpan>& pieces, const struct stat& old,
                     const JobProgress& progress);
    bool RestoreFromCopy(int fdTarget, const QByteArray& copyPath, off_t nOldSize);
    bool Fail(int nErrno);

    QString m_strPath;    // as the user named it, for messages
    QByteArray m_target;  // the file really written: symbolic links resolved
    QString m_strError;
    SFileStamp m_stamp;
    SContentDigest m_digest;
};
