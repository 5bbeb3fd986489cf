// The child runs of the long-line benchmark: a one-line file in Tarnel's editor, or in a bare
// QScintilla control with the same text, styles and settings. Prints "key seconds" lines.
#pragma once

#include <QString>
#include <QTextStream>

// `bUntilQuestion`: only the time until the user is asked, who then declines.
int MeasureTarnelOnLongLine(const QString& path, bool bUntilQuestion, QTextStream& out);
int MeasureBareOnLongLine(const QString& path, QTextStream& out);
