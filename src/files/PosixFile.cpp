#include "PosixFile.h"

#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kMostPerWrite = std::size_t(1) << 30;
constexpr std::size_t kCopyChunkSize = std::size_t(1) << 20;

// Writes all of [pData, pData + nSize) through `write`, which returns what one system call
// returns; 0 or the errno of the call that failed. A short write is retried: the next call
// reports why the rest did not fit.
template <class TWrite>
int WriteLoop(const char* pData, std::size_t nSize, TWrite write)
{
    while (nSize > 0) {
        const ssize_t nWritten = write(pData, std::min(nSize, kMostPerWrite));
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten < 0)
            return errno;
        pData += nWritten;
        nSize -= static_cast<std::size_t>(nWritten);
    }
    return 0;
}

QByteArray RandomSuffix()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, '\0');
    for (char& c : suffix)
        c = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return suffix;
}

// The GNU strerror_r returns its text; the XSI one fills the buffer.
[[maybe_unused]] const char* PickText(const char* szText, const char*)
{
    return szText;
}
[[maybe_unused]] const char* PickText(int nResult, const char* szBuffer)
{
    return nResult == 0 ? szBuffer : "Unknown error";
}

}  // namespace

CPosixFile::~CPosixFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

CPosixFile::CPosixFile(CPosixFile&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path))
{
    other.m_fd = -1;
}

CPosixFile& CPosixFile::operator=(CPosixFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

int CPosixFile::Open(const QByteArray& path, int flags, mode_t mode)
{
    do
        m_fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return errno;
    m_path = path;
    return 0;
}

int CPosixFile::CreateBeside(const QByteArray& target, const char* tag, mode_t mode)
{
    const QByteArray folder = FolderOf(target);
    const QByteArray name = target.mid(target.lastIndexOf('/') + 1);
    // The target's name is cut short where the folder's limit on names needs it: a file whose
    // name is near the limit must still get a temporary beside it.
    const long nNameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
    const qsizetype nSuffix = qsizetype(std::strlen(tag)) + 2 + RandomSuffix().size();
    const qsizetype nRoom = (nNameMax > 0 ? nNameMax : 255) - 1 - nSuffix;
    const QByteArray kept = name.left(std::max<qsizetype>(nRoom, 0));
    int nError = EEXIST;
    for (int i = 0; i < kNameAttempts && nError == EEXIST; ++i) {
        const QByteArray path = folder + "/." + kept + '.' + tag + '-' + RandomSuffix();
        nError = Open(path, O_WRONLY | O_CREAT | O_EXCL, mode);
    }
    // Held while the file is open: a leftover is only one that nobody holds. Not every file
    // system has locks; that costs nothing but this mark.
    if (!nError)
        ::flock(m_fd, LOCK_EX | LOCK_NB);
    return nError;
}

int CPosixFile::WriteAll(const char* pData, std::size_t nSize)
{
    return WriteLoop(pData, nSize, [this](const char* pFrom, std::size_t nCount) {
        return ::write(m_fd, pFrom, nCount);
    });
}

int CPosixFile::WriteAllAt(const char* pData, std::size_t nSize, off_t nOffset)
{
    return ::WriteAllAt(m_fd, pData, nSize, nOffset);
}

int WriteAllAt(int fd, const char* pData, std::size_t nSize, off_t nOffset)
{
    return WriteLoop(pData, nSize, [fd, &nOffset](const char* pFrom, std::size_t nCount) {
        const ssize_t nWritten = ::pwrite(fd, pFrom, nCount, nOffset);
        if (nWritten > 0)
            nOffset += nWritten;
        return nWritten;
    });
}

int CPosixFile::Sync()
{
    return ::fsync(m_fd) == 0 ? 0 : errno;
}

int CPosixFile::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    // Linux closes the descriptor even when close reports an error; never retry.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

int CPosixFile::SyncFolder(const QByteArray& folder)
{
    CPosixFile dir;
    if (const int nError = dir.Open(folder, O_RDONLY | O_DIRECTORY))
        return nError;
    const int nError = dir.Sync();
    return nError == EINVAL || nError == EROFS ? 0 : nError;
}

QByteArray CPosixFile::FolderOf(const QByteArray& path)
{
    const int nSlash = path.lastIndexOf('/');
    if (nSlash < 0)
        return QByteArray(".");
    return nSlash == 0 ? QByteArray("/") : path.left(nSlash);
}

QString ErrnoText(int nErrno)
{
    char buffer[256] = {};
    return QString::fromLocal8Bit(PickText(strerror_r(nErrno, buffer, sizeof buffer), buffer));
}

int CopyFileContents(int fdFrom, int fdTo)
{
    QByteArray buffer(static_cast<qsizetype>(kCopyChunkSize), Qt::Uninitialized);
    for (off_t nOffset = 0;;) {
        const ssize_t nRead = ::pread(fdFrom, buffer.data(), kCopyChunkSize, nOffset);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            return errno;
        if (nRead == 0)
            return 0;
        if (const int nError =
                WriteAllAt(fdTo, buffer.constData(), static_cast<std::size_t>(nRead), nOffset))
            return nError;
        nOffset += nRead;
    }
}
