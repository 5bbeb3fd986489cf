// Runs a program to completion and times it, for the anchors and the benchmark's child runs.
#pragma once

#include <QString>
#include <QStringList>

struct SToolRun
{
    bool bStarted = false;
    int nExitCode = -1;
    double dSeconds = 0;
    QByteArray output;  // standard output
    QByteArray errors;  // standard error
};

// Runs `program` with `args` and waits for it without a time limit.
SToolRun RunTool(const QString& program, const QStringList& args);

// The fastest of `nRepeats` runs; a failed run is returned as it is.
SToolRun RunToolBestOf(int nRepeats, const QString& program, const QStringList& args);
