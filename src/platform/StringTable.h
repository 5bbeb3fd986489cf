// The program's string table: id -> text, exactly as the program shows it.
#pragma once

#include <QString>

// The text of string `nID`, or an empty string when the table has none.
QString LoadString(int nID);

// Whether string `nID` exists.
bool HasString(int nID);

// The message-pane prompt of a command: the part of its string before the first line feed.
QString CommandPrompt(int nID);

// The tooltip of a command: the part of its string after the first line feed (empty if none).
QString CommandTooltip(int nID);

// "%1", "%2" in `format` replaced by the arguments, as the framework's message formatting does.
QString FormatString2(const QString& format, const QString& arg1, const QString& arg2);
