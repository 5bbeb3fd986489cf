// Validation and Check as You Type on big texts: a generated document with a DTD of 10 and 100 MB
// validated in memory beside `xmllint --valid --noout` on the same file, and the well-formedness
// check of the live check (a copy of the text, then the check off the user-interface thread)
// from the moment the pause ends to the first error known.
//
//   tarnel_validate_bench [--sizes 10,100] [--keep DIR]
#include "XmlValidator.h"
#include "WellFormedCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRepeats = 3;

const char kDtd[] = "<!ELEMENT catalog (book*)>\n"
                    "<!ELEMENT book (title, author+, price)>\n"
                    "<!ATTLIST book id ID #REQUIRED lang CDATA \"en\">\n"
                    "<!ELEMENT title (#PCDATA)>\n<!ELEMENT author (#PCDATA)>\n"
                    "<!ELEMENT price (#PCDATA)>\n";

// A valid catalog of about `nBytes` bytes naming catalog.dtd beside it.
bool WriteDocument(const QDir& dir, const QString& strName, long long nBytes, bool bBrokenAtEnd)
{
    QFile dtd(dir.filePath(QStringLiteral("catalog.dtd")));
    if (!dtd.open(QIODevice::WriteOnly) || dtd.write(kDtd) < 0)
        return false;
    QFile file(dir.filePath(strName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE catalog SYSTEM \"catalog.dtd\">\n<catalog>\n";
    for (long long i = 0; text.size() < nBytes; ++i) {
        text += "  <book id=\"b" + QByteArray::number(i) + "\"><title>Caf\xc3\xa9 number "
                + QByteArray::number(i)
                + "</title><author>A. Writer</author><author>B. Editor"
                  "</author><price>"
                + QByteArray::number(i % 100) + ".95</price></book>\n";
    }
    text += bBrokenAtEnd ? "<book>\n" : "</catalog>\n";
    return file.write(text) == text.size();
}

double BestOf(const std::function<void()>& run)
{
    double dBest = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        run();
        dBest = std::min(dBest, clock.nsecsElapsed() / 1e9);
    }
    return dBest;
}

void MeasureSize(const QDir& dir, int nMegabytes)
{
    const long long nBytes = static_cast<long long>(nMegabytes) << 20;
    const QString strName = QStringLiteral("catalog-%1MB.xml").arg(nMegabytes);
    const QString strBroken = QStringLiteral("broken-%1MB.xml").arg(nMegabytes);
    if (!WriteDocument(dir, strName, nBytes, false)
        || !WriteDocument(dir, strBroken, nBytes, true)) {
        std::printf("%d MB: could not write the documents\n", nMegabytes);
        return;
    }
    QFile file(dir.filePath(strName));
    file.open(QIODevice::ReadOnly);
    const QByteArray text = file.readAll();
    EValidity validity = EValidity::CannotCheck;
    const double dOurs = BestOf([&] {
        validity = ValidateXmlText({text, file.fileName(), QString()}).validity;
    });
    const QString strXmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    double dXmllint = 0;
    if (!strXmllint.isEmpty()) {
        dXmllint = BestOf([&] {
            QProcess::execute(strXmllint, {"--valid", "--noout", "--nonet", file.fileName()});
        });
    }
    QFile broken(dir.filePath(strBroken));
    broken.open(QIODevice::ReadOnly);
    const QByteArray brokenText = broken.readAll();
    CheckOutcome outcome;
    const double dLive = BestOf([&] {
        const QByteArray snapshot(brokenText.constData(), brokenText.size());  // the live copy
        outcome = RunWellFormedCheck([&](char* buffer, long long offset, int count) {
            const long long n = std::clamp<long long>(snapshot.size() - offset, 0, count);
            std::copy_n(snapshot.constData() + offset, n, buffer);
            return static_cast<int>(n);
        });
    });
    std::printf("| %4d MB | %s %.2f s | xmllint --valid %.2f s (ratio %.2f, target <= 1.2) | "
                "live check to first error %.2f s (%s) |\n",
                nMegabytes, validity == EValidity::Valid ? "valid" : "NOT VALID", dOurs, dXmllint,
                dXmllint > 0 ? dOurs / dXmllint : 0.0, dLive,
                outcome.wellFormed ? "no error found!" : outcome.errorText.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QList<int> sizes = {10, 100};
    QString strKeep;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& part : args.at(i + 1).split(QLatin1Char(',')))
                sizes << part.toInt();
        } else if (args.at(i) == QLatin1String("--keep")) {
            strKeep = args.at(i + 1);
        }
    }
    QTemporaryDir temp;
    const QDir dir(strKeep.isEmpty() ? temp.path() : strKeep);
    std::printf(
        "| size | Hard checkings (in memory) | anchor | Check as You Type |\n|---|---|---|---|\n");
    for (int nMegabytes : sizes)
        MeasureSize(dir, nMegabytes);
    return 0;
}
