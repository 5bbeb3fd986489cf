// Saving a document through CSafeSaver beside the plain way to write the same bytes durably:
// open, write, fsync, close. 100 MB always; 1 GB with TARNEL_BENCH_1GB=1. The files go to
// TARNEL_BENCH_DIR, or the temporary folder.
#include "SafeSaver.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString BenchFolder()
{
    const QByteArray dir = qgetenv("TARNEL_BENCH_DIR");
    return dir.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(dir);
}

// The text as the editor holds it: two pieces on either side of its gap.
std::vector<SByteSpan> TextPieces(const QByteArray& text)
{
    const std::size_t nHalf = static_cast<std::size_t>(text.size()) / 2;
    return {{text.constData(), nHalf}, {text.constData() + nHalf, text.size() - nHalf}};
}

void PlainWriteAndSync(benchmark::State& state)
{
    const QByteArray text(static_cast<qsizetype>(state.range(0)) << 20, 'x');
    QTemporaryDir dir(BenchFolder() + QStringLiteral("/tarnel-bench-XXXXXX"));
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("plain.xml")));
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (const SByteSpan& piece : TextPieces(text)) {
            if (::write(fd, piece.pData, piece.nSize) != static_cast<ssize_t>(piece.nSize))
                state.SkipWithError("write failed");
        }
        ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

void SafeSave(benchmark::State& state)
{
    const QByteArray text(static_cast<qsizetype>(state.range(0)) << 20, 'x');
    QTemporaryDir dir(BenchFolder() + QStringLiteral("/tarnel-bench-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("saved.xml"));
    QString error;
    CSafeSaver(path).Save(TextPieces(text), error);  // replacing an existing file, as Save does
    for (auto _ : state) {
        if (!CSafeSaver(path).Save(TextPieces(text), error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

void RegisterSaveBenchmarks()
{
    std::vector<int64_t> sizes = {100};
    if (qgetenv("TARNEL_BENCH_1GB") == "1")
        sizes.push_back(1024);
    for (const int64_t nMegabytes : sizes) {
        benchmark::RegisterBenchmark("Save/PlainWriteAndFsync", PlainWriteAndSync)
            ->Arg(nMegabytes)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark("Save/SafeSaver", SafeSave)
            ->Arg(nMegabytes)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
}

const bool g_bRegistered = (RegisterSaveBenchmarks(), true);

}  // namespace
