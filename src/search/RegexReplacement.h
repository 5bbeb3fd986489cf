// Regular expressions as the editor's C++11 search reads them: checking a pattern before any
// search, and the replacement text a match gives.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class CRegexReplacement
{
public:
    // Scintilla keeps the whole match and nine groups.
    static constexpr int kGroupCount = 10;

    // Empty when `strPattern` is a valid ECMAScript expression, the grammar the search uses (over
    // characters in UTF-8 mode, over bytes in 8-bit mode); else the reason it is not.
    static QString Problem(const QString& strPattern, bool bUtf8, bool bMatchCase);

    // `replacement` with "\0" to "\9" replaced by the match's groups (`groups[i]`, missing ones
    // empty) and "\a", "\b", "\f", "\n", "\r", "\t", "\v", "\\" by their characters; any other
    // backslash stays as it is. The editor's own regular-expression replacement reads it so.
    static QByteArray Expand(const QByteArray& replacement, const std::vector<QByteArray>& groups);
};
