#include "SaveLeftovers.h"

#include "DocumentFile.h"
#include "PosixFile.h"
#include "SafeSaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kSuffixLength = 6;

// Whether `entry` is `.NAME.TAG-XXXXXX` for the file `name`, whose name may have been cut short
// to fit the folder's limit.
bool IsLeftoverOf(const QString& entry, const QString& name, const QString& tag)
{
    const QString marker = QLatin1Char('.') + tag + QLatin1Char('-');
    const qsizetype nMarker = entry.size() - kSuffixLength - marker.size();
    if (!entry.startsWith(QLatin1Char('.')) || nMarker <= 1
        || entry.mid(nMarker, marker.size()) != marker)
        return false;
    const QString kept = entry.mid(1, nMarker - 1);
    // Cut short only where the whole name would not have fitted.
    return kept == name || (name.startsWith(kept) && QFile::encodeName(entry).size() >= 250);
}

// A save still running holds its temporary and safety copy locked.
bool IsHeld(const QString& path)
{
    CPosixFile file;
    return file.Open(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW) != 0
           || ::flock(file.Fd(), LOCK_SH | LOCK_NB) != 0;
}

}  // namespace

std::vector<SSaveLeftover> CSaveLeftovers::Of(const QString& path)
{
    const QFileInfo target(CSafeSaver::TargetOf(path));
    const QString name = target.fileName();
    std::vector<SSaveLeftover> found;
    const QDir folder = target.dir();
    const QStringList entries =
        folder.entryList({QStringLiteral(".*.tarnel-*")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        const bool bCopy = IsLeftoverOf(entry, name, QStringLiteral("tarnel-copy"));
        if ((bCopy || IsLeftoverOf(entry, name, QStringLiteral("tarnel-save")))
            && !IsHeld(folder.filePath(entry)))
            found.push_back({folder.filePath(entry), bCopy});
    }
    return found;
}

bool CSaveLeftovers::PutBack(const QString& path, const QString& copy, QString& error)
{
    const QByteArray target = QFile::encodeName(CSafeSaver::TargetOf(path));
    CPosixFile from;
    CPosixFile to;
    int nError = from.Open(QFile::encodeName(copy), O_RDONLY);
    if (!nError)
        nError = to.Open(target, O_RDWR);
    off_t nSize = 0;
    if (!nError)
        nError = CopyFileContents(from.Fd(), to.Fd());
    if (!nError && (nSize = ::lseek(from.Fd(), 0, SEEK_END)) < 0)
        nError = errno;
    if (!nError && ::ftruncate(to.Fd(), nSize) != 0)
        nError = errno;
    if (!nError)
        nError = to.Sync();
    if (!nError)
        nError = to.Close();
    if (nError) {
        error = FileErrorSentence(QStringLiteral("put back the previous contents of"), path,
                                  ErrnoText(nError));
        return false;
    }
    return Remove(copy, error);
}

bool CSaveLeftovers::Remove(const QString& leftover, QString& error)
{
    if (::unlink(QFile::encodeName(leftover).constData()) == 0 || errno == ENOENT)
        return true;
    error = FileErrorSentence(QStringLiteral("remove"), leftover, ErrnoText(errno));
    return false;
}
