#include "TextSnapshot.h"
#include "markup/StringText.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

TEST(TextSnapshotTest, CopiesTheWholeTextASlicePerTurn)
{
    constexpr long long kSlice = 7;
    for (const std::string text : {"", "<r/>", "<r>12</r>", "<r>1234567890 abcdefghijk</r>"}) {
        SCOPED_TRACE(text);
        const CStringText source(text);
        CTextSnapshot snapshot(source, kSlice);
        QByteArray copy = "not done";
        int nTurns = 1;
        snapshot.Start([&](std::shared_ptr<const QByteArray> pCopy) { copy = *pCopy; });
        for (; snapshot.IsRunning() && nTurns < 100; ++nTurns)
            QCoreApplication::processEvents();
        EXPECT_EQ(copy.toStdString(), text);
        EXPECT_EQ(nTurns,
                  std::max(1LL, (static_cast<long long>(text.size()) + kSlice - 1) / kSlice));
    }
}

TEST(TextSnapshotTest, ACancelledOrRestartedCopyIsNeverHandedOut)
{
    const CStringText source(std::string(100, 'x'));
    CTextSnapshot snapshot(source, 10);
    int nDone = 0;
    snapshot.Start([&](std::shared_ptr<const QByteArray>) { nDone += 100; });
    QCoreApplication::processEvents();
    snapshot.Start([&](std::shared_ptr<const QByteArray> pCopy) { nDone += pCopy->size() == 100; });
    QCoreApplication::processEvents();
    snapshot.Cancel();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(nDone, 0);
    snapshot.Start([&](std::shared_ptr<const QByteArray> pCopy) { nDone += pCopy->size() == 100; });
    while (snapshot.IsRunning())
        QCoreApplication::processEvents();
    EXPECT_EQ(nDone, 1);
}

}  // namespace
