#include "SaveLeftovers.h"

#include "PosixFile.h"
#include "SafeSaver.h"
#include "files/FileFailureSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kOld = "<old>" + QByteArray(4000, 'o') + "</old>\n";
const QByteArray kNew = "<new>" + QByteArray(9000, 'n') + "</new>\n";

// Saves `kNew` over `path` in a child that a file-size limit kills with SIGXFSZ (left at its
// default) part way through, as a crash would.
void SaveKilledMidway(const QString& path)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{6000, 6000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const SByteSpan whole{kNew.constData(), static_cast<std::size_t>(kNew.size())};
        QString error;
        CSafeSaver(path).Save({whole}, error);
        ::_exit(0);
    }
    int nStatus = 0;
    ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGXFSZ);
}

TEST(SaveLeftoversTest, AnUnfinishedSaveIsFoundAndThePreviousBytesPutBack)
{
    const struct
    {
        const char* name;
        bool bHardLinked;  // saved in place, after a safety copy
    } cases[] = {{"replaced by a temporary", false}, {"overwritten in place", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.xml"));
        WriteRaw(path, kOld);
        if (c.bHardLinked)
            ASSERT_EQ(
                ::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath(QStringLiteral("link.xml"))).constData()),
                0);
        SaveKilledMidway(path);
        EXPECT_EQ(RawContents(path) == kOld, !c.bHardLinked);  // torn only in place

        const std::vector<SSaveLeftover> found = CSaveLeftovers::Of(path);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].bSafetyCopy, c.bHardLinked);
        QString error;
        if (c.bHardLinked)
            EXPECT_TRUE(CSaveLeftovers::PutBack(path, found[0].strPath, error))
                << error.toStdString();
        else
            EXPECT_TRUE(CSaveLeftovers::Remove(found[0].strPath, error));
        EXPECT_EQ(RawContents(path), kOld);
        EXPECT_TRUE(CSaveLeftovers::Of(path).empty());
        EXPECT_EQ(AllEntries(dir.path()).size(), c.bHardLinked ? 2 : 1);
    }
}

TEST(SaveLeftoversTest, OnlyThisFilesUnheldLeftoversCount)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    WriteRaw(path, kOld);
    WriteRaw(dir.filePath(QStringLiteral(".doc.xml2.tarnel-copy-abcdef")), kOld);
    WriteRaw(dir.filePath(QStringLiteral(".doc.xml.tarnel-copy-short")), kOld);
    CPosixFile running;  // a save still going on holds its temporary
    ASSERT_EQ(running.CreateBeside(QFile::encodeName(path), "tarnel-save", 0600), 0);
    EXPECT_TRUE(CSaveLeftovers::Of(path).empty());
    running.Close();
    EXPECT_EQ(CSaveLeftovers::Of(path).size(), 1u);
}

}  // namespace
