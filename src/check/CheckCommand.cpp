#include "CheckCommand.h"

#include "CommandIds.h"
#include "DocumentFile.h"
#include "StringTable.h"
#include "Version.h"
#include "WellFormedCheck.h"

#include <QFile>

#include <algorithm>
#include <new>

namespace {

const char kUsage[] =
    "Usage: tarnel-check [-v] FILE...\n"
    "Checks that each FILE is well-formed XML, as Tarnel's Light checkings does.\n"
    "A FILE of - is read from standard input.\n"
    "\n"
    "  -v, --verbose  also report the files that are well-formed\n"
    "      --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Errors are reported on standard error as FILE:LINE:COLUMN: MESSAGE.\n"
    "Exit status: 0 when all files are well-formed, 1 when any is not,\n"
    "2 when a file cannot be read or is too large to check, or the command line is wrong.\n";

const QString kStandardInput = QStringLiteral("-");

struct CheckOptions
{
    bool bVerbose = false;
    bool bHelp = false;
    bool bVersion = false;
    QStringList files;
    QString strUnknown;  // the first unknown option
};

CheckOptions ParseOptions(const QStringList& args)
{
    CheckOptions options;
    bool bOptionsEnded = false;
    for (const QString& arg : args) {
        if (bOptionsEnded || arg == kStandardInput || !arg.startsWith(QLatin1Char('-')))
            options.files << arg;
        else if (arg == QLatin1String("--"))
            bOptionsEnded = true;
        else if (arg == QLatin1String("-v") || arg == QLatin1String("--verbose"))
            options.bVerbose = true;
        else if (arg == QLatin1String("--help"))
            options.bHelp = true;
        else if (arg == QLatin1String("--version"))
            options.bVersion = true;
        else if (options.strUnknown.isEmpty())
            options.strUnknown = arg;
    }
    return options;
}

// Fills `buffer` as far as the device has bytes: a short count must mean the end, since the
// check takes the first short chunk as the last.
int ReadFully(QIODevice& device, char* buffer, int count, bool& bFailed)
{
    int nGot = 0;
    while (nGot < count) {
        const qint64 nRead = device.read(buffer + nGot, count - nGot);
        if (nRead < 0)
            bFailed = true;
        if (nRead <= 0)
            break;
        nGot += static_cast<int>(nRead);
    }
    return nGot;
}

QString TooLargeSentence(const QString& name)
{
    return QStringLiteral("%1: too large to check: there is not enough memory.").arg(name);
}

// Checks the rest of `device`, read in order from where it stands.
int CheckDevice(const QString& name, QIODevice& device, bool bVerbose, QTextStream& out,
                QTextStream& err)
{
    bool bReadFailed = false;
    const CheckOutcome outcome = RunWellFormedCheck([&](char* buffer, long long, int count) {
        return ReadFully(device, buffer, count, bReadFailed);
    });
    const QString strError = QString::fromLatin1(outcome.errorText.c_str());
    if (bReadFailed) {
        err << FileErrorSentence(QStringLiteral("read"), name, device.errorString()) << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    if (!outcome.parserCreated) {
        err << name << ": " << strError << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    if (outcome.outOfMemory) {
        err << TooLargeSentence(name) << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    if (!outcome.wellFormed) {
        err << name << ':' << outcome.line << ':' << outcome.column + 1 << ": " << strError
            << Qt::endl;
        return CHECK_EXIT_NOT_WELL_FORMED;
    }
    if (bVerbose)
        out << name << ": " << LoadString(IDS_CHECK_PASSED) << Qt::endl;
    return CHECK_EXIT_WELL_FORMED;
}

int CheckFile(const QString& path, bool bVerbose, QTextStream& out, QTextStream& err)
{
    QFile file(path);
    QString strError;
    if (!OpenDocumentFile(file, strError, EFileKinds::Streams)) {
        err << strError << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    return CheckDevice(path, file, bVerbose, out, err);
}

int RunChecks(const QStringList& args, QIODevice& in, QTextStream& out, QTextStream& err)
{
    const CheckOptions options = ParseOptions(args);
    if (!options.strUnknown.isEmpty()) {
        err << "tarnel-check: unknown option " << options.strUnknown << "\n" << kUsage << Qt::flush;
        return CHECK_EXIT_TROUBLE;
    }
    if (options.bHelp) {
        out << kUsage << Qt::flush;
        return CHECK_EXIT_WELL_FORMED;
    }
    if (options.bVersion) {
        out << "tarnel-check (Tarnel) " TARNEL_VERSION "\n" << Qt::flush;
        return CHECK_EXIT_WELL_FORMED;
    }
    if (options.files.isEmpty()) {
        err << kUsage << Qt::flush;
        return CHECK_EXIT_TROUBLE;
    }
    int nStatus = CHECK_EXIT_WELL_FORMED;
    for (const QString& file : options.files) {
        int nFileStatus = CHECK_EXIT_TROUBLE;
        try {
            nFileStatus = file == kStandardInput ? CheckDevice(file, in, options.bVerbose, out, err)
                                                 : CheckFile(file, options.bVerbose, out, err);
        } catch (const std::bad_alloc&) {
            err << TooLargeSentence(file) << Qt::endl;
        }
        nStatus = std::max(nStatus, nFileStatus);
    }
    return nStatus;
}

}  // namespace

int RunCheckCommand(const QStringList& args, QIODevice& in, QTextStream& out, QTextStream& err)
{
    const int nStatus = RunChecks(args, in, out, err);
    out.flush();
    if (out.status() == QTextStream::Ok)
        return nStatus;
    // A report that was lost is no report: say so, as other tools do on a full disk.
    err << "tarnel-check: the report could not be written to the standard output"
        << (out.device() ? QStringLiteral(": ") + out.device()->errorString() : QString())
        << Qt::endl;
    return CHECK_EXIT_TROUBLE;
}
