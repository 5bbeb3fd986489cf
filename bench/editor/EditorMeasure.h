// The measurements a child process of the benchmark takes on one file, printed as "key value"
// lines (seconds and bytes) for the parent to collect.
#pragma once

#include <QString>
#include <QTextStream>

// Opens `path` in a real document and editor view, then times ColorAll, the check, saving to
// `savePath`, caret moves and keystrokes near the end; prints the peak memory of the open.
// Returns 0, or 1 when a step failed (the reason is printed as "error ...").
int MeasureEditor(const QString& path, const QString& savePath, QTextStream& out);
