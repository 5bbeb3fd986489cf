// Writes the benchmark's deterministic mixed XML files.
#pragma once

#include <QString>

// Writes a well-formed UTF-8 document of about `nBytes` bytes to `path`: nested records whose
// elements carry 1 to 4 attributes, text with a few non-ASCII letters, comments, and now and then
// a line of 20 KB. The same size always gives the same bytes. False when the file cannot be
// written.
bool WriteMixedXml(const QString& path, long long nBytes);
