#include "DocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kIsDirectory = QStringLiteral("Is a directory");

// Length of the UTF-8 sequence led by `lead`, 0 when it cannot lead one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

bool IsValidSequence(const unsigned char* p, int nLength)
{
    static const unsigned kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    static const unsigned kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned nCode = p[0] & kLeadMask[nLength];
    for (int i = 1; i < nLength; ++i)
    {
        if ((p[i] & 0xC0) != 0x80)
            return false;
        nCode = (nCode << 6) | (p[i] & 0x3F);
    }
    const bool bSurrogate = nCode >= 0xD800 && nCode <= 0xDFFF;
    return nCode >= kSmallest[nLength] && nCode <= 0x10FFFF && !bSurrogate;
}

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

bool OpenDocumentFile(QFile& file, QString& error)
{
    const QString strAction = QStringLiteral("open");
    if (QFileInfo(file.fileName()).isDir())
    {
        error = FileErrorSentence(strAction, file.fileName(), kIsDirectory);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly))
    {
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
    if (file.error() != QFileDevice::NoError)
    {
        error = FileErrorSentence(QStringLiteral("read"), path, file.errorString());
        return false;
    }
    bytes = std::move(data);
    return true;
}

bool SaveDocumentFile(const QString& path, const QByteArray& bytes, QString& error)
{
    const QString strAction = QStringLiteral("save");
    if (QFileInfo(path).isDir())
    {
        error = FileErrorSentence(strAction, path, kIsDirectory);
        return false;
    }
    // QSaveFile writes beside the original and renames over it only on commit, copying the
    // original's permissions; until then the original stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
    {
        error = FileErrorSentence(strAction, path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size())
    {
        error = FileErrorSentence(strAction, path, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
    {
        error = FileErrorSentence(strAction, path, file.errorString());
        return false;
    }
    return true;
}

bool IsValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* pEnd = p + bytes.size();
    while (p < pEnd)
    {
        if (*p < 0x80)
        {
            ++p;
            continue;
        }
        const int nLength = SequenceLength(*p);
        if (nLength == 0 || pEnd - p < nLength || !IsValidSequence(p, nLength))
            return false;
        p += nLength;
    }
    return true;
}
