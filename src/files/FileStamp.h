// What a file looked like when it was last read or written, to notice changes made by others.
#pragma once

#include <QString>
#include <QtGlobal>

struct SFileStamp
{
    bool bExists = false;
    qint64 nSize = 0;
    qint64 nModifiedNs = 0;  // modification time, nanoseconds since the epoch
    quint64 nInode = 0;
    quint64 nDevice = 0;

    // The stamp of `path` as it is now (symbolic links followed); bExists false when it is gone.
    static SFileStamp Of(const QString& path);
    static SFileStamp OfDescriptor(int fd);

    bool operator==(const SFileStamp& other) const;
    bool operator!=(const SFileStamp& other) const { return !(*this == other); }
};
