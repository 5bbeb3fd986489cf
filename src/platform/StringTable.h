// The program's string table: id -> text, exactly as the program shows it.
#pragma once

#include <QString>

// The text of string `nID`, or an empty string when the table has none.
QString LoadString(int nID);

// "%1", "%2" in `format` replaced by the arguments, as the framework's message formatting does.
QString FormatString2(const QString& format, const QString& arg1, const QString& arg2);
