// Real kernel failures for the file tests: a file-size limit, a small full tmpfs, and running a
// step as another user.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <sys/resource.h>

// Lowers the file-size limit with SIGXFSZ ignored, so writes past it fail with EFBIG; restores
// both when destroyed.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t nBytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    struct rlimit m_previous
    {
    };
    void (*m_pPreviousHandler)(int) = nullptr;
};

// Whether an address-space limit works here: neither AddressSanitizer's shadow memory nor
// valgrind's own heap can live under one.
bool AddressSpaceLimitsWork();

// Allows the process only `nExtraBytes` more address space than it uses now, so large
// allocations fail with std::bad_alloc; restores the limit when destroyed.
class CAddressSpaceLimit
{
public:
    explicit CAddressSpaceLimit(rlim_t nExtraBytes);
    ~CAddressSpaceLimit();
    CAddressSpaceLimit(const CAddressSpaceLimit&) = delete;
    CAddressSpaceLimit& operator=(const CAddressSpaceLimit&) = delete;

private:
    struct rlimit m_previous
    {
    };
};

// A tmpfs of a few pages mounted on a fresh folder (root only); unmounted when destroyed.
class CSmallTmpfs
{
public:
    explicit CSmallTmpfs(int nKilobytes);
    ~CSmallTmpfs();
    CSmallTmpfs(const CSmallTmpfs&) = delete;
    CSmallTmpfs& operator=(const CSmallTmpfs&) = delete;

    // False when mounting was not possible, with the reason in SkipReason().
    bool IsMounted() const { return m_bMounted; }
    const QString& SkipReason() const { return m_strSkipReason; }
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Path() const { return m_dir.path(); }
    // Fills the free space with a file of its own, then frees `nFreeBytes` of it again.
    bool FillLeaving(qint64 nFreeBytes);
    bool RemountReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_bMounted = false;
    QString m_strSkipReason;
};

// Runs `step` in a child process as user and group `uid` (root only). The step's exit code and
// what it wrote to the given descriptor come back.
struct SChildRun
{
    int nExitCode = -1;
    QByteArray output;
};
SChildRun RunAsUser(unsigned uid, const std::function<int(int fdOutput)>& step);

// Every name in `folder`, hidden ones included.
QStringList AllEntries(const QString& folder);
QByteArray RawContents(const QString& path);
void WriteRaw(const QString& path, const QByteArray& bytes);
