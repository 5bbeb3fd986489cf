// A file descriptor with checked operations: each returns 0 or the errno of the failure.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <sys/types.h>

class CPosixFile
{
public:
    CPosixFile() = default;
    ~CPosixFile();
    CPosixFile(CPosixFile&& other) noexcept;
    CPosixFile& operator=(CPosixFile&& other) noexcept;
    CPosixFile(const CPosixFile&) = delete;
    CPosixFile& operator=(const CPosixFile&) = delete;

    int Open(const QByteArray& path, int flags, mode_t mode = 0);
    // Creates a file next to `target` named ".<name>.<tag>-XXXXXX" that did not exist before.
    int CreateBeside(const QByteArray& target, const char* tag, mode_t mode);
    int WriteAll(const char* pData, std::size_t nSize);
    int WriteAllAt(const char* pData, std::size_t nSize, off_t nOffset);
    int Sync();
    int Close();

    int Fd() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // The path given to Open or made by CreateBeside.
    const QByteArray& Path() const { return m_path; }

    // Makes the entries of `folder` durable; a file system that cannot sync folders counts as done.
    static int SyncFolder(const QByteArray& folder);
    static QByteArray FolderOf(const QByteArray& path);

private:
    int m_fd = -1;
    QByteArray m_path;
};

// pwrite until all of `pData` is written; 0 or the errno of the failure.
int WriteAllAt(int fd, const char* pData, std::size_t nSize, off_t nOffset);
// Copies all of `fdFrom` to `fdTo` at the same offsets; 0 or the errno of what failed.
int CopyFileContents(int fdFrom, int fdTo);

// strerror's sentence for `nErrno`, safe on any thread.
QString ErrnoText(int nErrno);
