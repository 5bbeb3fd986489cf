// The long-line benchmark: one-line XML files (default 1, 6 and 10 MB), each opened and edited
// in Tarnel's editor and, beside it, in a bare QScintilla control with the same text, styles and
// settings, each in a child process of its own. Prints seconds per step and Tarnel's ratio.
//
//   tarnel_longline_bench [--sizes 1,6,10] [--keep DIR] [--until-question]
//   tarnel_longline_bench --tarnel FILE | --bare FILE | --question FILE   (children)
// --until-question times only the open up to the user's choice, which then declines: for sizes
// at which every keystroke would take many seconds.
#include "LongLineMeasure.h"

#include "../editor/ToolRun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

const char* const kSteps[] = {"question", "open", "key_end", "caret_left", "home",
                              "end",      "undo", "paste",   "recolour"};

// Well-formed, one line, about `nBytes` long: records with attributes and text.
bool WriteOneLineXml(const QString& path, long long nBytes)
{
    QByteArray text("<?xml version=\"1.0\" encoding=\"UTF-8\"?><feed>");
    for (int i = 0; text.size() < nBytes; ++i)
        text += QStringLiteral("<item id=\"%1\" kind=\"k%2\"><name>word %1</name><price "
                               "cur=\"EUR\">%3.50</price></item>")
                    .arg(i)
                    .arg(i % 7)
                    .arg(i % 100)
                    .toUtf8();
    text += "</feed>";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

int RunChild(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.at(1) == QLatin1String("--bare"))
        return MeasureBareOnLongLine(args.at(2), out);
    return MeasureTarnelOnLongLine(args.at(2), args.at(1) == QLatin1String("--question"), out);
}

QMap<QString, double> MeasureChild(const QString& kind, const QString& path)
{
    const SToolRun run = RunTool(QCoreApplication::applicationFilePath(), {kind, path});
    QMap<QString, double> values;
    for (const QByteArray& line : run.output.split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            values[QString::fromLatin1(parts[0])] = parts[1].toDouble();
        else if (line.startsWith("error"))
            std::fprintf(stderr, "%s\n", line.constData());
    }
    if (run.nExitCode != 0)
        std::fprintf(stderr, "%s ended with status %d\n", qPrintable(kind), run.nExitCode);
    return values;
}

int RunParent(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QList<int> sizes = {1, 6, 10};
    QString strKeep;
    const bool bUntilQuestion = args.contains(QLatin1String("--until-question"));
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& part : args.at(++i).split(QLatin1Char(',')))
                if (part.toInt() > 0)
                    sizes << part.toInt();
        } else if (args.at(i) == QLatin1String("--keep"))
            strKeep = args.at(++i);
    }
    std::unique_ptr<QTemporaryDir> pTemp;
    QDir dir(strKeep);
    if (strKeep.isEmpty()) {
        pTemp = std::make_unique<QTemporaryDir>();
        dir.setPath(pTemp->path());
    } else
        dir.mkpath(QStringLiteral("."));
    std::printf(
        "| one line | step | Tarnel (s) | bare control (s) | ratio |\n|---|---|---|---|---|\n");
    for (const int nMegabytes : sizes) {
        const QString path = dir.filePath(QStringLiteral("oneline-%1MB.xml").arg(nMegabytes));
        if (!QFile::exists(path)
            && !WriteOneLineXml(path, static_cast<long long>(nMegabytes) << 20))
            return 2;
        std::fprintf(stderr, "%d MB: measuring...\n", nMegabytes);
        if (bUntilQuestion) {
            const QMap<QString, double> asked = MeasureChild(QStringLiteral("--question"), path);
            std::printf("| %d MB | question | %.3f | | |\n", nMegabytes,
                        asked.value("question", -1));
            continue;
        }
        const QMap<QString, double> tarnel = MeasureChild(QStringLiteral("--tarnel"), path);
        const QMap<QString, double> bare = MeasureChild(QStringLiteral("--bare"), path);
        for (const char* step : kSteps) {
            const double dTarnel = tarnel.value(QLatin1String(step), -1);
            const double dBare = bare.value(QLatin1String(step), -1);
            std::printf("| %d MB | %s | %.3f | %.3f | %.2f |\n", nMegabytes, step, dTarnel, dBare,
                        dBare > 0 ? dTarnel / dBare : 0.0);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bChild = argc > 2
                        && (qstrcmp(argv[1], "--tarnel") == 0 || qstrcmp(argv[1], "--bare") == 0
                            || qstrcmp(argv[1], "--question") == 0);
    return bChild ? RunChild(argc, argv) : RunParent(argc, argv);
}
