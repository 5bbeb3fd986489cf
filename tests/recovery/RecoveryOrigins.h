// The origin a document records for the file `path` as it is now: its stamp, length and digest.
#pragma once

#include "RecoveryCodec.h"

#include <QFile>

inline SRecoveryOrigin OriginOf(const QString& path)
{
    SRecoveryOrigin origin;
    origin.strPath = path;
    origin.stamp = SFileStamp::Of(path);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        origin.nLength = bytes.size();
        origin.digest =
            CContentDigest::Of(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return origin;
}

// A new document's origin holding `text`.
inline SRecoveryOrigin UntitledOrigin(const QByteArray& text)
{
    SRecoveryOrigin origin;
    origin.nLength = text.size();
    origin.digest = CContentDigest::Of(text.constData(), static_cast<std::size_t>(text.size()));
    return origin;
}
