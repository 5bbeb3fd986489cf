#include "RecoveryStore.h"

#include "DocumentFile.h"
#include "PosixFile.h"
#include "RecoveryWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kPattern = QStringLiteral("*.tarnel-recovery");

// The file's bytes when its header names `strWanted` (empty: a new document); false when it does
// not, cannot be read, is too large to hold, or a running Tarnel holds it (locked). Only the
// header of another document's file is read: a stray or huge file costs no more than that.
bool ReadIfFor(const QString& path, const QString& strWanted, QByteArray& bytes)
{
    CPosixFile file;
    if (file.Open(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW) != 0
        || ::flock(file.Fd(), LOCK_SH | LOCK_NB) != 0)
        return false;
    QFile reader;
    if (!reader.open(file.Fd(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return false;
    bytes = reader.read(CRecoveryCodec::kLongestHeader);
    SRecoveryOrigin origin;
    if (!CRecoveryCodec::DecodeOrigin(bytes, origin) || origin.strPath != strWanted)
        return false;
    try {
        bytes += reader.readAll();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return reader.error() == QFileDevice::NoError;
}

QString When(const QDateTime& time)
{
    return QLocale().toString(time, QLocale::ShortFormat);
}

}  // namespace

QString CRecoveryStore::FolderFor(const QProcessEnvironment& environment)
{
    QString strState = environment.value(QStringLiteral("XDG_STATE_HOME"));
    if (!QDir::isAbsolutePath(strState)) {
        QString strHome = environment.value(QStringLiteral("HOME"));
        if (strHome.isEmpty())
            strHome = QDir::homePath();
        strState = strHome + QStringLiteral("/.local/state");
    }
    return strState + QStringLiteral("/tarnel");
}

std::vector<SRecoveryCandidate> CRecoveryStore::LeftFor(const QString& path) const
{
    const QString strWanted = ResolvedPath(path);
    std::vector<SRecoveryCandidate> candidates;
    const QFileInfoList files =
        QDir(m_strFolder).entryInfoList({kPattern}, QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& info : files) {
        QByteArray bytes;
        if (!ReadIfFor(info.filePath(), strWanted, bytes))
            continue;
        SRecoveryContents contents = CRecoveryCodec::Decode(bytes);
        if (contents.bReadable)
            candidates.push_back({info.filePath(), info.lastModified(), std::move(contents)});
    }
    return candidates;
}

CRecoveryStore::EApplies CRecoveryStore::Check(const SRecoveryContents& contents,
                                               const SRecoveryOrigin& current)
{
    if (!contents.HasChanges())
        return EApplies::NothingToRecover;
    if (contents.origin.SameText(current))
        return EApplies::Yes;
    return current.IsUntitled() || current.stamp.bExists ? EApplies::OriginChanged
                                                         : EApplies::OriginGone;
}

QString CRecoveryStore::Question(const SRecoveryCandidate& candidate, EApplies applies)
{
    const SRecoveryOrigin& origin = candidate.contents.origin;
    const QString strWhen = When(candidate.modified);
    QString text;
    switch (applies) {
    case EApplies::Yes:
        text =
            origin.IsUntitled()
                ? QStringLiteral("Tarnel ended without saving a new document, last changed %1. "
                                 "Recover its text?")
                      .arg(strWhen)
                : QStringLiteral("Tarnel ended without saving the changes to %1, last changed %2. "
                                 "Recover them?")
                      .arg(origin.strPath, strWhen);
        break;
    case EApplies::OriginChanged:
    case EApplies::OriginGone:
        text = origin.IsUntitled()
                   ? QStringLiteral("Tarnel ended without saving a new document, last changed %1, "
                                    "which began with another text than a new document has now.")
                         .arg(strWhen)
                   : QStringLiteral("Tarnel ended without saving the changes to %1, last changed "
                                    "%2, but the file %3 since, so they cannot be applied to it.")
                         .arg(origin.strPath, strWhen,
                              applies == EApplies::OriginGone ? QStringLiteral("has been deleted")
                                                              : QStringLiteral("has been changed"));
        text += QStringLiteral(" Recover the text typed then into a new document?");
        break;
    case EApplies::NothingToRecover:
        break;
    }
    if (candidate.contents.bTornTail)
        text +=
            QStringLiteral(" The very last changes were not completely written and are left out.");
    return text;
}

bool CRecoveryStore::Remove(const QString& file, QString& error)
{
    if (::unlink(QFile::encodeName(file).constData()) == 0 || errno == ENOENT)
        return true;
    error = FileErrorSentence(QStringLiteral("remove the recovery file"), file, ErrnoText(errno));
    return false;
}

QByteArray CRecoveryStore::NewFileName()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '-'
           + QByteArray::number(QRandomGenerator::system()->generate64(), 36) + ".tarnel-recovery";
}

bool CRecoveryStore::LeaveAsNewDocument(const QByteArray& text, QString& error) const
{
    const QByteArray path = QFile::encodeName(m_strFolder) + '/' + NewFileName();
    int nError = 0;
    {
        CRecoveryWriter writer([&nError](const QByteArray&, int nErrno) { nError = nErrno; });
        SRecoveryOrigin origin;
        origin.nLength = 0;
        origin.digest = CContentDigest::Of("", 0);
        writer.Append(path, origin, {{SRecoveryEdit::EKind::Insert, 0, text.size(), text}});
        writer.Wait();
    }
    if (nError == 0)
        return true;
    error = FileErrorSentence(QStringLiteral("write the recovery file"), QFile::decodeName(path),
                              ErrnoText(nError));
    return false;
}

QString CRecoveryStore::ResolvedPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    const QString strCanonical = info.canonicalFilePath();
    return strCanonical.isEmpty() ? info.absoluteFilePath() : strCanonical;
}
