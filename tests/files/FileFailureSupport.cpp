#include "files/FileFailureSupport.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

CFileSizeLimit::CFileSizeLimit(rlim_t nBytes)
{
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    m_pPreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = m_previous;
    limit.rlim_cur = nBytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_pPreviousHandler);
}

bool AddressSpaceLimitsWork()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return !qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("vgpreload"));
#endif
}

CAddressSpaceLimit::CAddressSpaceLimit(rlim_t nExtraBytes)
{
    ::getrlimit(RLIMIT_AS, &m_previous);
    QFile statm(QStringLiteral("/proc/self/statm"));
    rlim_t nUsed = 0;
    if (statm.open(QIODevice::ReadOnly))
        nUsed = statm.readAll().split(' ').value(0).toULongLong() * ::sysconf(_SC_PAGESIZE);
    struct rlimit limit = m_previous;
    limit.rlim_cur = nUsed + nExtraBytes;
    ::setrlimit(RLIMIT_AS, &limit);
}

CAddressSpaceLimit::~CAddressSpaceLimit()
{
    ::setrlimit(RLIMIT_AS, &m_previous);
}

CSmallTmpfs::CSmallTmpfs(int nKilobytes)
{
    if (::geteuid() != 0) {
        m_strSkipReason =
            QStringLiteral("not root: cannot mount a small tmpfs for a real full disk");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(nKilobytes) + "k,mode=0777";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                options.constData())
        != 0) {
        m_strSkipReason = QStringLiteral("mounting a tmpfs failed: %1")
                              .arg(QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    m_bMounted = true;
}

CSmallTmpfs::~CSmallTmpfs()
{
    if (m_bMounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool CSmallTmpfs::FillLeaving(qint64 nFreeBytes)
{
    const QByteArray path = QFile::encodeName(PathOf(QStringLiteral("filler")));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    off_t nSize = 0;
    for (ssize_t n; (n = ::write(fd, page.constData(), page.size())) > 0;)
        nSize += n;
    const bool bFull = errno == ENOSPC;
    const bool bFreed = ::ftruncate(fd, std::max<off_t>(0, nSize - nFreeBytes)) == 0;
    ::close(fd);
    return bFull && bFreed;
}

bool CSmallTmpfs::RemountReadOnly()
{
    return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                   MS_REMOUNT | MS_RDONLY, nullptr)
           == 0;
}

SChildRun RunAsUser(unsigned uid, const std::function<int(int fdOutput)>& step)
{
    SChildRun run;
    int fds[2];
    if (::pipe(fds) != 0)
        return run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0)
            ::_exit(100);
        ::_exit(step(fds[1]));
    }
    ::close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, n);
    ::close(fds[0]);
    int nStatus = 0;
    if (pid > 0 && ::waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus))
        run.nExitCode = WEXITSTATUS(nStatus);
    return run;
}

QStringList AllEntries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray RawContents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
