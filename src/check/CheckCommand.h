// The tarnel-check command line: the editor's well-formedness check over files.
#pragma once

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

// Exit statuses of tarnel-check.
enum CheckExitStatus
{
    CHECK_EXIT_WELL_FORMED = 0,
    CHECK_EXIT_NOT_WELL_FORMED = 1,
    CHECK_EXIT_TROUBLE = 2  // a file could not be read, or the command line is wrong
};

// Runs `tarnel-check [-v] FILE...` with `args` (without the program name); "-" reads `in`.
// Reports go to `out` (-v, --help) and `err` (errors, usage mistakes). Returns the exit status.
int RunCheckCommand(const QStringList& args, QIODevice& in, QTextStream& out, QTextStream& err);
