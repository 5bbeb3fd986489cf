#include "DocumentFile.h"

#include "PosixFile.h"
#include "SafeSaver.h"
#include "Utf8Validator.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kIsDirectory = QStringLiteral("Is a directory");
const QString kNotRegular = QStringLiteral("not a regular file");

}  // namespace

QString FileErrorSentence(const QString& action, const QString& path, const QString& reason)
{
    QString strReason = reason.trimmed();
    while (strReason.endsWith(QLatin1Char('.')))
        strReason.chop(1);
    if (strReason.isEmpty())
        strReason = QStringLiteral("Unknown error");
    return QStringLiteral("Could not %1 %2: %3.")
        .arg(action, QDir::toNativeSeparators(path), strReason);
}

int OpenRegularFile(const QString& path, QString& error)
{
    const QString strAction = QStringLiteral("open");
    // O_NONBLOCK: opening a named pipe must not wait for a writer before it can be refused.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int nErrno = errno;
        struct stat info
        {
        };
        // A socket cannot be opened at all (ENXIO): say what it is rather than why.
        const bool bSpecial = ::stat(QFile::encodeName(path).constData(), &info) == 0
                              && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
        error = FileErrorSentence(strAction, path, bSpecial ? kNotRegular : ErrnoText(nErrno));
        return -1;
    }
    struct stat info
    {
    };
    QString strReason;
    if (::fstat(fd, &info) != 0)
        strReason = ErrnoText(errno);
    else if (S_ISDIR(info.st_mode))
        strReason = kIsDirectory;
    else if (!S_ISREG(info.st_mode))
        strReason = kNotRegular;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        strReason = ErrnoText(errno);
    if (!strReason.isEmpty()) {
        ::close(fd);
        error = FileErrorSentence(strAction, path, strReason);
        return -1;
    }
    return fd;
}

std::FILE* OpenRegularStdioFile(const QString& path)
{
    QString strIgnored;
    const int fd = OpenRegularFile(path, strIgnored);
    std::FILE* pFile = fd < 0 ? nullptr : ::fdopen(fd, "r");
    if (fd >= 0 && !pFile)
        ::close(fd);
    return pFile;
}

bool OpenDocumentFile(QFile& file, QString& error, EFileKinds kinds)
{
    const QString strAction = QStringLiteral("open");
    if (kinds == EFileKinds::RegularOnly) {
        const int fd = OpenRegularFile(file.fileName(), error);
        if (fd < 0)
            return false;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            error = FileErrorSentence(strAction, file.fileName(), file.errorString());
            return false;
        }
        return true;
    }
    if (QFileInfo(file.fileName()).isDir()) {
        error = FileErrorSentence(strAction, file.fileName(), kIsDirectory);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = FileErrorSentence(strAction, file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool ReadDocumentFile(const QString& path, QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!OpenDocumentFile(file, error))
        return false;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = FileErrorSentence(QStringLiteral("read"), path, file.errorString());
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool SaveDocumentFile(const QString& path, const QByteArray& bytes, QString& error)
{
    const SByteSpan whole{bytes.constData(), static_cast<std::size_t>(bytes.size())};
    return CSafeSaver(path).Save({whole}, error);
}

QString OutOfMemorySentence(const QString& path)
{
    return FileErrorSentence(QStringLiteral("open"), path,
                             QStringLiteral("there is not enough memory to hold it"));
}

bool IsValidUtf8(const QByteArray& bytes)
{
    CUtf8Validator validator;
    validator.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return validator.IsValid();
}

bool IsWriteProtected(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0)
        return false;
    return (info.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0;
}
