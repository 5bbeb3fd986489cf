// Reading and saving document files byte for byte.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

// Reads the whole file into `bytes`, unchanged. On failure returns false and sets `error` to a
// sentence naming the file ("Could not open /x/y.xml: No such file or directory.").
bool ReadDocumentFile(const QString& path, QByteArray& bytes, QString& error);

// Writes `bytes` unchanged through CSafeSaver. On failure the original is untouched, the result
// is false and `error` names the file ("Could not save /x/y.xml: Permission denied.").
bool SaveDocumentFile(const QString& path, const QByteArray& bytes, QString& error);

enum class EFileKinds
{
    RegularOnly,  // a folder, pipe, socket or device is refused at once, never waited for
    Streams,      // pipes and devices are read too (command-line use); a folder is refused
};

// Opens `file` (its name set) for reading. On failure returns false and sets `error` as
// ReadDocumentFile does ("Could not open /dev/zero: not a regular file.").
bool OpenDocumentFile(QFile& file, QString& error, EFileKinds kinds = EFileKinds::RegularOnly);

// Opens a regular file for reading without blocking on a pipe: the descriptor, or -1 with
// `error` naming the file and the reason.
int OpenRegularFile(const QString& path, QString& error);
// The same as a stdio stream; null when the file cannot be opened or is not a regular file.
std::FILE* OpenRegularStdioFile(const QString& path);

// Whether `path` is an existing file this user should not write: no write permission for this
// user, or no write bit at all (which even the superuser is warned of).
bool IsWriteProtected(const QString& path);

// "Could not <action> <path>: <reason>." with the reason's own final full stop dropped.
QString FileErrorSentence(const QString& action, const QString& path, const QString& reason);

// "Could not open <path>: there is not enough memory to hold it."
QString OutOfMemorySentence(const QString& path);

// True when `bytes` are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF). An empty text is valid.
bool IsValidUtf8(const QByteArray& bytes);
