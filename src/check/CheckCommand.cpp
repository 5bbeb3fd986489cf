#include "CheckCommand.h"

#include "CommandIds.h"
#include "DocumentFile.h"
#include "StringTable.h"
#include "Version.h"
#include "WellFormedCheck.h"
#include "XmlValidator.h"

#include <QFile>

#include <algorithm>
#include <new>

namespace {

const char kUsage[] =
    "Usage: tarnel-check [-v] [--valid | --schema GRAMMAR] FILE...\n"
    "Checks that each FILE is well-formed XML, as Tarnel's Light checkings does.\n"
    "A FILE of - is read from standard input.\n"
    "\n"
    "  -v, --verbose      also report the files that pass\n"
    "      --valid        also validate against the grammar the file names (its DOCTYPE,\n"
    "                     an xml-model instruction or xsi:schemaLocation), as Hard checkings does\n"
    "      --schema GRAMMAR  also validate against GRAMMAR: a DTD, XML Schema or RELAX NG file\n"
    "      --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Errors are reported on standard error as FILE:LINE:COLUMN: MESSAGE.\n"
    "Grammars are read from disk only, never from the network.\n"
    "Exit status: 0 when all files pass, 1 when any is not well-formed or not valid,\n"
    "2 when a file or grammar cannot be read or is too large to check, or the command line\n"
    "is wrong.\n";

const QString kStandardInput = QStringLiteral("-");

struct CheckOptions
{
    bool bVerbose = false;
    bool bHelp = false;
    bool bVersion = false;
    bool bValidate = false;
    QString strGrammar;  // --schema; empty for the document's own grammar
    QStringList files;
    QString strUnknown;  // the first unknown option
};

CheckOptions ParseOptions(const QStringList& args)
{
    CheckOptions options;
    bool bOptionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (bOptionsEnded || arg == kStandardInput || !arg.startsWith(QLatin1Char('-')))
            options.files << arg;
        else if (arg == QLatin1String("--"))
            bOptionsEnded = true;
        else if (arg == QLatin1String("-v") || arg == QLatin1String("--verbose"))
            options.bVerbose = true;
        else if (arg == QLatin1String("--valid"))
            options.bValidate = true;
        else if (arg == QLatin1String("--schema") && i + 1 < args.size()) {
            options.bValidate = true;
            options.strGrammar = args[++i];
        } else if (arg.startsWith(QLatin1String("--schema="))) {
            options.bValidate = true;
            options.strGrammar = arg.mid(9);
        } else if (arg == QLatin1String("--help"))
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

// Says what the well-formedness check found; CHECK_EXIT_WELL_FORMED when it found nothing.
int ReportWellFormedness(const QString& name, const CheckOutcome& outcome, QTextStream& err)
{
    const QString strError = QString::fromLatin1(outcome.errorText.c_str());
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
    return CHECK_EXIT_WELL_FORMED;
}

// Checks the rest of `device`, read in order from where it stands.
int CheckDevice(const QString& name, QIODevice& device, bool bVerbose, QTextStream& out,
                QTextStream& err)
{
    bool bReadFailed = false;
    const CheckOutcome outcome = RunWellFormedCheck([&](char* buffer, long long, int count) {
        return ReadFully(device, buffer, count, bReadFailed);
    });
    if (bReadFailed) {
        err << FileErrorSentence(QStringLiteral("read"), name, device.errorString()) << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    const int nStatus = ReportWellFormedness(name, outcome, err);
    if (nStatus == CHECK_EXIT_WELL_FORMED && bVerbose)
        out << name << ": " << LoadString(IDS_CHECK_PASSED) << Qt::endl;
    return nStatus;
}

int ReportValidity(const QString& name, const SValidationResult& result, bool bVerbose,
                   QTextStream& out, QTextStream& err)
{
    for (const SValidationIssue& issue : result.issues) {
        if (issue.nLine > 0)  // else the message names the grammar's own file and line
            err << name << ':' << issue.nLine << ':' << qMax(1L, issue.nColumn) << ": ";
        else
            err << name << ": ";
        err << issue.strMessage << Qt::endl;
    }
    switch (result.validity) {
    case EValidity::Valid:
        if (bVerbose)
            out << name << ": " << kEverythingValid << Qt::endl;
        return CHECK_EXIT_WELL_FORMED;
    case EValidity::Invalid:
        return CHECK_EXIT_NOT_WELL_FORMED;
    case EValidity::CannotCheck:
    case EValidity::Cancelled:
        break;
    }
    err << name << ": " << result.strMessage << Qt::endl;
    return CHECK_EXIT_TROUBLE;
}

// Validation needs the whole text: the well-formedness check runs first on the same bytes, so
// its report is the one the plain check gives.
int ValidateDevice(const QString& name, const QString& strPath, QIODevice& device,
                   const CheckOptions& options, QTextStream& out, QTextStream& err)
{
    QByteArray text;
    char buffer[1 << 16];
    qint64 nRead;
    while ((nRead = device.read(buffer, sizeof buffer)) > 0)
        text.append(buffer, nRead);
    if (nRead < 0) {
        err << FileErrorSentence(QStringLiteral("read"), name, device.errorString()) << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    const CheckOutcome outcome = RunWellFormedCheck([&](char* buffer, long long offset, int count) {
        const long long nCount = std::clamp<long long>(text.size() - offset, 0, count);
        std::copy_n(text.constData() + offset, nCount, buffer);
        return static_cast<int>(nCount);
    });
    const int nStatus = ReportWellFormedness(name, outcome, err);
    if (nStatus != CHECK_EXIT_WELL_FORMED)
        return nStatus;
    return ReportValidity(name, ValidateXmlText({text, strPath, options.strGrammar}),
                          options.bVerbose, out, err);
}

int CheckFile(const QString& path, const CheckOptions& options, QTextStream& out, QTextStream& err)
{
    QFile file(path);
    QString strError;
    if (!OpenDocumentFile(file, strError, EFileKinds::Streams)) {
        err << strError << Qt::endl;
        return CHECK_EXIT_TROUBLE;
    }
    if (options.bValidate)
        return ValidateDevice(path, path, file, options, out, err);
    return CheckDevice(path, file, options.bVerbose, out, err);
}

int CheckInput(QIODevice& in, const CheckOptions& options, QTextStream& out, QTextStream& err)
{
    if (options.bValidate)
        return ValidateDevice(kStandardInput, QString(), in, options, out, err);
    return CheckDevice(kStandardInput, in, options.bVerbose, out, err);
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
            nFileStatus = file == kStandardInput ? CheckInput(in, options, out, err)
                                                 : CheckFile(file, options, out, err);
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
