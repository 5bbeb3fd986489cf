#include "FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace {

SFileStamp FromStat(const struct stat& info)
{
    SFileStamp stamp;
    stamp.bExists = true;
    stamp.nSize = info.st_size;
    stamp.nModifiedNs =
        static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.nInode = info.st_ino;
    stamp.nDevice = info.st_dev;
    return stamp;
}

}  // namespace

SFileStamp SFileStamp::Of(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return SFileStamp();
    return FromStat(info);
}

SFileStamp SFileStamp::OfDescriptor(int fd)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return SFileStamp();
    return FromStat(info);
}

bool SFileStamp::operator==(const SFileStamp& other) const
{
    if (bExists != other.bExists)
        return false;
    return !bExists
           || (nSize == other.nSize && nModifiedNs == other.nModifiedNs && nInode == other.nInode
               && nDevice == other.nDevice);
}
