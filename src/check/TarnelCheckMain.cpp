// tarnel-check: the editor's well-formedness check from the command line.
#include "CheckCommand.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QFile::decodeName(argv[i]);
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunCheckCommand(args, in, out, err);
}
