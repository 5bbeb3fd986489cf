// The editor benchmark: generates mixed XML files of 1, 10 and 100 MB and, for each, measures the
// editor in a child process of its own (so memory peaks stay apart) beside the anchors xmlwf,
// xmllint --noout and QScintilla's XML lexer, then prints a table and the ratios.
//
//   tarnel_editor_bench [--sizes 1,10,100] [--keep DIR]
//   tarnel_editor_bench --measure FILE SAVE_PATH   (child: the editor)
//   tarnel_editor_bench --lexer FILE               (child: QsciLexerXML)
#include "BenchReport.h"
#include "EditorMeasure.h"
#include "LexerMeasure.h"
#include "MixedXml.h"
#include "ToolRun.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kAnchorRepeats = 5;

int RunChild(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The measured document's recovery files stay out of the user's state folder.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--measure") && args.size() == 4)
        return MeasureEditor(args.at(2), args.at(3), out);
    if (args.value(1) == QLatin1String("--lexer") && args.size() == 3)
        return MeasureLexer(args.at(2), out);
    out << "error bad child arguments" << Qt::endl;
    return 2;
}

void TimeAnchor(CBenchReport& report, const char* key, const QString& program, QStringList args)
{
    const QString strPath = QStandardPaths::findExecutable(program);
    if (strPath.isEmpty()) {
        report.AddNote(program + " is not installed (make bench installs it)");
        return;
    }
    const SToolRun run = RunToolBestOf(kAnchorRepeats, strPath, args);
    // xmlwf reports errors on standard output and still exits with 0.
    if (run.nExitCode != 0 || !run.output.trimmed().isEmpty())
        report.AddNote(program
                       + " failed: " + QString::fromUtf8(run.output + run.errors).trimmed());
    else
        report.Set(QLatin1String(key), run.dSeconds);
}

void MeasureInChild(CBenchReport& report, const QString& self, const QStringList& args)
{
    const SToolRun run = RunTool(self, args);
    report.ParseChildOutput(run.output);
    if (run.nExitCode != 0)
        report.AddNote(args.constFirst() + QStringLiteral(" run ended with status ")
                       + QString::number(run.nExitCode));
}

void MeasureSize(CBenchReport& report, const QString& self, const QDir& dir, int nMegabytes)
{
    const long long nBytes = static_cast<long long>(nMegabytes) << 20;
    const QString strFile = dir.filePath(QStringLiteral("mixed-%1MB.xml").arg(nMegabytes));
    report.AddSize(nBytes);
    std::fprintf(stderr, "%d MB: generating, measuring...\n", nMegabytes);
    if (!QFileInfo::exists(strFile) && !WriteMixedXml(strFile, nBytes)) {
        report.AddNote(QStringLiteral("could not write ") + strFile);
        return;
    }
    TimeAnchor(report, "xmlwf", QStringLiteral("xmlwf"), {strFile});
    TimeAnchor(report, "xmllint", QStringLiteral("xmllint"), {QStringLiteral("--noout"), strFile});
    const QString strSaved = dir.filePath(QStringLiteral("saved-%1MB.xml").arg(nMegabytes));
    MeasureInChild(report, self, {QStringLiteral("--measure"), strFile, strSaved});
    QFile::remove(strSaved);
    MeasureInChild(report, self, {QStringLiteral("--lexer"), strFile});
}

QList<int> ParseSizes(const QString& text)
{
    QList<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (const int n = part.toInt(); n > 0)
            sizes.append(n);
    return sizes;
}

int RunParent(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QList<int> sizes = {1, 10, 100};
    QString strKeep;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--sizes"))
            sizes = ParseSizes(args.at(i + 1));
        else if (args.at(i) == QLatin1String("--keep"))
            strKeep = args.at(i + 1);
    }
    std::unique_ptr<QTemporaryDir> pTemp;
    QDir dir(strKeep);
    if (strKeep.isEmpty()) {
        pTemp = std::make_unique<QTemporaryDir>();
        dir.setPath(pTemp->path());
    } else if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "Could not create %s.\n", qPrintable(strKeep));
        return 2;
    }
    CBenchReport report;
    for (int nMegabytes : sizes)
        MeasureSize(report, QCoreApplication::applicationFilePath(), dir, nMegabytes);
    QTextStream out(stdout);
    report.Print(out);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bChild =
        argc > 1 && (qstrcmp(argv[1], "--measure") == 0 || qstrcmp(argv[1], "--lexer") == 0);
    return bChild ? RunChild(argc, argv) : RunParent(argc, argv);
}
