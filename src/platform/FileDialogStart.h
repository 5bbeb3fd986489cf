// Where a file dialog starts: the folder of the file it suggests, else the last folder a file
// dialog was left in.
#pragma once

#include <QString>

class CFileDialogStart
{
public:
    // `suggested` as it stands when it names a folder; a bare name (or nothing) inside the last
    // folder used, when there is one.
    static QString StartPath(const QString& suggested);
    // Remembers the folder of `chosenPath` for the next dialog of this run.
    static void Remember(const QString& chosenPath);
    static void ForgetForTesting();

private:
    static QString& LastFolder();
};
