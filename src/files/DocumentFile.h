// Reading and saving document files byte for byte.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reads the whole file into `bytes`, unchanged. On failure returns false and sets `error` to a
// sentence naming the file ("Could not open /x/y.xml: No such file or directory.").
bool ReadDocumentFile(const QString& path, QByteArray& bytes, QString& error);

// Writes `bytes` unchanged through CSafeSaver. On failure the original is untouched, the result
// is false and `error` names the file ("Could not save /x/y.xml: Permission denied.").
bool SaveDocumentFile(const QString& path, const QByteArray& bytes, QString& error);

// Opens `file` (its name set) for reading; a folder is refused. On failure returns false and
// sets `error` as ReadDocumentFile does.
bool OpenDocumentFile(QFile& file, QString& error);

// "Could not <action> <path>: <reason>." with the reason's own final full stop dropped.
QString FileErrorSentence(const QString& action, const QString& path, const QString& reason);

// True when `bytes` are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF). An empty text is valid.
bool IsValidUtf8(const QByteArray& bytes);
