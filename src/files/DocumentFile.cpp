#include "DocumentFile.h"

#include "SafeSaver.h"
#include "Utf8Validator.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kIsDirectory = QStringLiteral("Is a directory");

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
    const SByteSpan whole{bytes.constData(), static_cast<std::size_t>(bytes.size())};
    return CSafeSaver(path).Save({whole}, error);
}

bool IsValidUtf8(const QByteArray& bytes)
{
    CUtf8Validator validator;
    validator.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return validator.IsValid();
}
