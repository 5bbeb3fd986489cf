#include "SafeSaver.h"

#include "AccessCopy.h"
#include "DocumentFile.h"
#include "PosixFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// About 10 ms of writing to the page cache between two looks at the progress.
constexpr std::size_t kWriteStep = std::size_t(8) << 20;

// Removes a file of ours unless told to keep it.
struct SRemoveUnlessKept
{
    QByteArray path;
    bool bKeep = false;
    ~SRemoveUnlessKept()
    {
        if (!bKeep && !path.isEmpty())
            ::unlink(path.constData());
    }
};

// Stands for "stopped by the user" among the errno values a write returns.
constexpr int kCancelled = -1;

long long TotalSize(const std::vector<SByteSpan>& pieces)
{
    long long nTotal = 0;
    for (const SByteSpan& piece : pieces)
        nTotal += static_cast<long long>(piece.nSize);
    return nTotal;
}

// Writes in steps of kWriteStep bytes, telling `progress` after each.
int WritePieces(CPosixFile& file, const std::vector<SByteSpan>& pieces, const JobProgress& progress)
{
    const long long nTotal = TotalSize(pieces);
    long long nDone = 0;
    for (const SByteSpan& piece : pieces) {
        for (std::size_t nFrom = 0; nFrom < piece.nSize;) {
            const std::size_t nStep = std::min(piece.nSize - nFrom, kWriteStep);
            if (const int nError = file.WriteAll(piece.pData + nFrom, nStep))
                return nError;
            nFrom += nStep;
            nDone += static_cast<long long>(nStep);
            if (!CarryOn(progress, nDone, nTotal))
                return kCancelled;
        }
    }
    return 0;
}

int WritePiecesFromStart(CPosixFile& file, const std::vector<SByteSpan>& pieces)
{
    off_t nOffset = 0;
    for (const SByteSpan& piece : pieces) {
        if (const int nError = file.WriteAllAt(piece.pData, piece.nSize, nOffset))
            return nError;
        nOffset += static_cast<off_t>(piece.nSize);
    }
    return ::ftruncate(file.Fd(), nOffset) == 0 ? 0 : errno;
}

// Where a chain of symbolic links ends, also when nothing is there yet; a loop is left to the
// write, which reports it.
QString EndOfLinkChain(const QString& path)
{
    constexpr int kMostLinks = 40;
    QString current = path;
    for (int i = 0; i < kMostLinks && QFileInfo(current).isSymLink(); ++i)
        current = QFileInfo(current).symLinkTarget();
    return current;
}

}  // namespace

CSafeSaver::CSafeSaver(const QString& path)
    : m_strPath(path), m_target(QFile::encodeName(TargetOf(path)))
{
}

QString CSafeSaver::TargetOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString strTarget = info.canonicalFilePath();
    // A dangling link: what the last link points at is created.
    return strTarget.isEmpty() ? EndOfLinkChain(path) : strTarget;
}

bool CSafeSaver::Fail(int nErrno)
{
    m_strError = FileErrorSentence(QStringLiteral("save"), m_strPath, ErrnoText(nErrno));
    return false;
}

bool CSafeSaver::Save(const std::vector<SByteSpan>& pieces, QString& error,
                      const JobProgress& progress)
{
    m_strError.clear();
    struct stat old
    {
    };
    const bool bExists = ::stat(m_target.constData(), &old) == 0;
    bool bSaved = false;
    if (!bExists && errno != ENOENT) {
        bSaved = Fail(errno);
    } else if (bExists && S_ISDIR(old.st_mode)) {
        bSaved = Fail(EISDIR);
    } else if (bExists && !S_ISREG(old.st_mode)) {
        m_strError = FileErrorSentence(QStringLiteral("save"), m_strPath,
                                       QStringLiteral("not a regular file"));
    } else if (bExists && old.st_nlink > 1) {
        bSaved = SaveInPlace(pieces, old, progress);
    } else {
        const EOutcome outcome = SaveByReplacing(pieces, bExists ? &old : nullptr, progress);
        bSaved = outcome == EOutcome::Saved
                 || (outcome == EOutcome::NeedsInPlace && SaveInPlace(pieces, old, progress));
    }
    if (!bSaved) {
        error = m_strError;
        return false;
    }
    CContentDigest digest;
    for (const SByteSpan& piece : pieces)
        digest.Add(piece.pData, piece.nSize);
    m_digest = digest.Result();
    return true;
}

CSafeSaver::EOutcome CSafeSaver::SaveByReplacing(const std::vector<SByteSpan>& pieces,
                                                 const struct stat* pOld,
                                                 const JobProgress& progress)
{
    CPosixFile temp;
    if (const int nError = temp.CreateBeside(m_target, "tarnel-save", pOld ? 0600 : 0666))
        return Fail(nError), EOutcome::Failed;
    SRemoveUnlessKept guard{temp.Path()};
    if (pOld) {
        struct stat mine
        {
        };
        const bool bOwnerDiffers = ::fstat(temp.Fd(), &mine) != 0 || mine.st_uid != pOld->st_uid
                                   || mine.st_gid != pOld->st_gid;
        if (bOwnerDiffers && ::fchown(temp.Fd(), pOld->st_uid, pOld->st_gid) != 0)
            return EOutcome::NeedsInPlace;
        // After fchown, which clears the set-id bits.
        if (::fchmod(temp.Fd(), pOld->st_mode & 07777) != 0)
            return Fail(errno), EOutcome::Failed;
        CPosixFile old;
        if (old.Open(m_target, O_RDONLY) == 0)
            CAccessCopy::Copy(old.Fd(), temp.Fd(), pOld->st_mode & 07777);
        else
            ::fchmod(temp.Fd(), pOld->st_mode & 07700);  // unknown ACL: the owner only
    }
    const QByteArray folder = CPosixFile::FolderOf(m_target);
    int nError = WritePieces(temp, pieces, progress);
    if (nError == kCancelled)
        return EOutcome::Cancelled;  // the temporary file goes with its guard
    if (!nError)
        nError = temp.Sync();
    m_stamp = SFileStamp::OfDescriptor(temp.Fd());
    if (!nError)
        nError = temp.Close();
    if (!nError)
        nError = CPosixFile::SyncFolder(folder);
    if (!nError && ::rename(temp.Path().constData(), m_target.constData()) != 0)
        nError = errno;
    if (nError)
        return Fail(nError), EOutcome::Failed;
    guard.bKeep = true;
    // The rename itself must reach the disk before "saved" is true.
    if ((nError = CPosixFile::SyncFolder(folder)))
        return Fail(nError), EOutcome::Failed;
    return EOutcome::Saved;
}

bool CSafeSaver::SaveInPlace(const std::vector<SByteSpan>& pieces, const struct stat& old,
                             const JobProgress& progress)
{
    CPosixFile target;
    if (const int nError = target.Open(m_target, O_RDWR))
        return Fail(nError);
    CPosixFile copy;
    if (const int nError = copy.CreateBeside(m_target, "tarnel-copy", 0600))
        return Fail(nError);
    SRemoveUnlessKept guard{copy.Path()};
    const QByteArray folder = CPosixFile::FolderOf(m_target);
    int nError = CopyFileContents(target.Fd(), copy.Fd());
    if (!nError)
        nError = copy.Sync();
    // The copy stays open, and so locked, until the save is over.
    if (!nError)
        nError = CPosixFile::SyncFolder(folder);
    if (nError)
        return Fail(nError);

    // Past this point a stop would leave the file half new.
    if (!CarryOn(progress, 0, TotalSize(pieces)))
        return false;
    nError = WritePiecesFromStart(target, pieces);
    if (!nError)
        nError = target.Sync();
    if (nError) {
        Fail(nError);
        if (!RestoreFromCopy(target.Fd(), guard.path, old.st_size)) {
            guard.bKeep = true;
            m_strError += QStringLiteral(" Its previous contents are kept in %1.")
                              .arg(QFile::decodeName(guard.path));
        }
        return false;
    }
    m_stamp = SFileStamp::OfDescriptor(target.Fd());
    if ((nError = target.Close()))
        return Fail(nError);
    ::unlink(guard.path.constData());
    guard.bKeep = true;
    CPosixFile::SyncFolder(folder);  // only the safety copy's removal is at stake
    return true;
}

bool CSafeSaver::RestoreFromCopy(int fdTarget, const QByteArray& copyPath, off_t nOldSize)
{
    CPosixFile copy;
    return copy.Open(copyPath, O_RDONLY) == 0 && CopyFileContents(copy.Fd(), fdTarget) == 0
           && ::ftruncate(fdTarget, nOldSize) == 0 && ::fsync(fdTarget) == 0;
}
