// The anchor for colouring: QScintilla's own XML lexer over the same file, in a child process.
#pragma once

#include <QString>
#include <QTextStream>

// Times QsciLexerXML colouring the whole of `path` in a plain QsciScintilla; prints
// "lexer_color SECONDS". Returns 0, or 1 when the file cannot be read.
int MeasureLexer(const QString& path, QTextStream& out);
