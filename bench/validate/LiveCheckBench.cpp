// Check as You Type in a real editor view on a big text: from the end of the typing pause to the
// first error marked, the longest turn of the user-interface thread meanwhile (what a key typed
// then would wait for), and a keystroke typed while the text is being copied.
//
//   tarnel_livecheck_bench [--sizes 10,100]   (run with QT_QPA_PLATFORM=offscreen)
#include "LiveCheck.h"
#include "TarnelDoc.h"
#include "TarnelView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

QByteArray CatalogWithAnErrorAtTheEnd(long long nBytes)
{
    const QByteArray book = "  <book id=\"b1\"><title>Caf\xc3\xa9</title><author>A. Writer</author>"
                            "<price>9.95</price></book>\n";
    return "<catalog>\n" + book.repeated(static_cast<qsizetype>(nBytes / book.size())) + "<book>\n";
}

struct STurns
{
    double dToFirstError = 0;
    double dLongestTurn = 0;
};

// Runs the check from the pause's end, ticking a timer to find the longest wait for the loop.
STurns CheckWhileTicking(CLiveCheck& check)
{
    STurns turns;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        turns.dLongestTurn = std::max(turns.dLongestTurn, sinceTick.nsecsElapsed() / 1e9);
        sinceTick.restart();
    });
    clock.start();
    sinceTick.start();
    ticker.start();
    check.CheckNow();
    while (check.IsBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    turns.dToFirstError = clock.nsecsElapsed() / 1e9;
    return turns;
}

void MeasureSize(int nMegabytes)
{
    CTarnelDoc doc;
    CTarnelView view(&doc);
    view.resize(800, 600);
    view.OnInitialUpdate();
    view.LoadBytes(CatalogWithAnErrorAtTheEnd(static_cast<long long>(nMegabytes) << 20), true);
    while (view.ColoursPending())  // the steady state the user types in
        QCoreApplication::processEvents();
    CLiveCheck check(view);
    const STurns turns = CheckWhileTicking(check);

    // Near the end, where the text's gap already is: a first key elsewhere moves it, whatever
    // the live check does.
    view.SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                       static_cast<unsigned long>(view.TextLength() - 3000));
    check.CheckNow();
    QCoreApplication::processEvents();  // the copy under way
    QElapsedTimer key;
    key.start();
    view.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1, "x");
    QCoreApplication::processEvents();
    const double dKey = key.nsecsElapsed() / 1e9;
    std::printf("| %4d MB | %.2f s (%s) | longest turn %.1f ms | key during the copy %.1f ms |\n",
                nMegabytes, turns.dToFirstError,
                check.LastError().isEmpty() ? "no error!" : qPrintable(check.LastError()),
                turns.dLongestTurn * 1e3, dKey * 1e3);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<int> sizes = {10, 100};
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--sizes")) {
        sizes.clear();
        for (const QString& part : args.at(2).split(QLatin1Char(',')))
            sizes << part.toInt();
    }
    std::printf("| size | pause end to first error | UI thread meanwhile | keystroke |\n"
                "|---|---|---|---|\n");
    for (int nMegabytes : sizes)
        MeasureSize(nMegabytes);
    return 0;
}
