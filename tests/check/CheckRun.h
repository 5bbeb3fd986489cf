// Runs tarnel-check in process on `args`, with `input` as its standard input.
#pragma once

#include "CheckCommand.h"

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <QTextStream>

struct SCheckRun
{
    int nStatus = -1;
    QString strOut;
    QString strErr;
};

inline SCheckRun RunCheck(const QStringList& args, const QByteArray& input = QByteArray())
{
    QByteArray inBytes = input;
    QBuffer in(&inBytes);
    in.open(QIODevice::ReadOnly);
    SCheckRun result;
    QTextStream out(&result.strOut);
    QTextStream err(&result.strErr);
    result.nStatus = RunCheckCommand(args, in, out, err);
    out.flush();
    err.flush();
    return result;
}
