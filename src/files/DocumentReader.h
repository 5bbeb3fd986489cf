// Reads a document file in pieces, testing UTF-8 on the way.
#pragma once

#include "ContentDigest.h"
#include "FileStamp.h"
#include "Utf8Validator.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a document file in pieces into one reused buffer, so loading never holds a copy of the
// whole file, and tests the bytes for UTF-8 as they pass.
class CDocumentReader
{
public:
    static constexpr qint64 kChunkSize = 1 << 20;
    // The editor control counts its lines' starts in 32 bits: past this, positions wrap round.
    static constexpr qint64 kLargestText = (2047LL << 20) - 1;

    explicit CDocumentReader(const QString& path, qint64 nChunkSize = kChunkSize);

    // Opens a regular file no larger than LargestEditableSize() and kLargestText. On failure returns false and
    // sets `error` to a sentence naming the file and the reason.
    bool Open(QString& error);
    static qint64 LargestEditableSize();
    const QString& Path() const { return m_strPath; }
    // The file as opened.
    const SFileStamp& Stamp() const { return m_stamp; }
    // The size when opened: a hint only (pipes and /proc files say 0, files may change).
    qint64 SizeHint() const { return m_nSizeHint; }

    // Reads the next piece into Data(): its length, 0 at the end, or -1 after a read error with
    // `error` naming the file.
    qint64 ReadChunk(QString& error);
    const char* Data() const { return m_buffer.constData(); }

    // Whether every byte read so far is well-formed UTF-8; meaningful at the end.
    bool IsUtf8() const { return m_utf8.IsValid(); }
    // Of every byte read so far; meaningful at the end.
    SContentDigest Digest() const { return m_digest.Result(); }

private:
    QFile m_file;
    QString m_strPath;  // QFile forgets it when opened from a descriptor
    QByteArray m_buffer;
    qint64 m_nSizeHint = 0;
    CUtf8Validator m_utf8;
    CContentDigest m_digest;
    SFileStamp m_stamp;
};
