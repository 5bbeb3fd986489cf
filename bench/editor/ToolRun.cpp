#include "ToolRun.h"

#include <QElapsedTimer>
#include <QProcess>

SToolRun RunTool(const QString& program, const QStringList& args)
{
    SToolRun run;
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForStarted(-1))
        return run;
    run.bStarted = true;
    process.waitForFinished(-1);
    run.dSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    run.nExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

SToolRun RunToolBestOf(int nRepeats, const QString& program, const QStringList& args)
{
    SToolRun best = RunTool(program, args);
    for (int i = 1; i < nRepeats && best.bStarted && best.nExitCode == 0; ++i) {
        SToolRun run = RunTool(program, args);
        if (run.nExitCode != 0 || run.dSeconds < best.dSeconds)
            best = run;
    }
    return best;
}
