#include "DiskChangeWatch.h"

#include "files/FileFailureSupport.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

using EChange = CDiskChangeWatch::EChange;

struct SDiskEvent
{
    const char* name;
    std::function<void(const QString& path, const QString& spare)> act;
    EChange expected;
};

void SetModified(const QString& path, qint64 nSecondsAgo)
{
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-nSecondsAgo),
                     QFileDevice::FileModificationTime);
}

TEST(DiskChangeWatchTest, EachKindOfChangeByAnotherProgramIsNoticedOnce)
{
    const SDiskEvent events[] = {
        {"untouched", [](const QString&, const QString&) {}, EChange::None},
        {"rewritten, other size",
         [](const QString& p, const QString&) { WriteRaw(p, "<longer text/>"); }, EChange::Changed},
        {"rewritten, same size",
         [](const QString& p, const QString&) {
             WriteRaw(p, "<B/>");
             SetModified(p, 3600);
         },
         EChange::Changed},
        {"replaced by a rename",
         [](const QString& p, const QString& spare) {
             WriteRaw(spare, "<a/>");
             SetModified(spare, 0);
             QFile::remove(p);
             QFile::rename(spare, p);
         },
         EChange::Changed},
        {"deleted", [](const QString& p, const QString&) { QFile::remove(p); }, EChange::Deleted},
    };
    for (const SDiskEvent& event : events) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.xml"));
        WriteRaw(path, "<a/>");
        SetModified(path, 7200);
        CDiskChangeWatch watch;
        watch.Remember(path, SFileStamp::Of(path));
        event.act(path, dir.filePath(QStringLiteral("spare.xml")));
        EXPECT_EQ(watch.Check(), event.expected) << event.name;
        watch.Acknowledge();
        EXPECT_EQ(watch.Check(), EChange::None) << event.name;
        EXPECT_EQ(watch.CheckSinceOurs(), event.expected) << event.name;  // a save still asks
    }
}

TEST(DiskChangeWatchTest, NothingIsReportedWithoutAFile)
{
    CDiskChangeWatch watch;
    EXPECT_EQ(watch.Check(), EChange::None);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    WriteRaw(path, "<a/>");
    watch.Remember(path, SFileStamp::Of(path));
    watch.Forget();
    QFile::remove(path);
    EXPECT_EQ(watch.Check(), EChange::None);
}

}  // namespace
