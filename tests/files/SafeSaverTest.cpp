#include "SafeSaver.h"

#include "files/FileFailureSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr unsigned kOtherUser = 12345;
constexpr unsigned kOtherGroup = 23456;
constexpr unsigned kNobody = 65534;

const QByteArray kOriginal = "<original>kept byte for byte</original>\n";

struct stat StatOf(const QString& path)
{
    struct stat info
    {
    };
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

bool Save(const QString& path, const QByteArray& bytes, QString& error)
{
    const SByteSpan whole{bytes.constData(), static_cast<std::size_t>(bytes.size())};
    return CSafeSaver(path).Save({whole}, error);
}

QString Expected(const QString& path, const char* reason)
{
    return QStringLiteral("Could not save %1: %2.").arg(path, QString::fromLatin1(reason));
}

class SafeSaverTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(SafeSaverTest, PiecesAreWrittenInOrderAndTheStampIsTheSavedFiles)
{
    const QString path = PathOf(QStringLiteral("pieces.xml"));
    WriteRaw(path, kOriginal);
    const QByteArray first("<a>\0", 4);
    const QByteArray second("</a>\n");
    CSafeSaver saver(path);
    QString error;
    ASSERT_TRUE(saver.Save({{first.constData(), 4}, {"", 0}, {second.constData(), 5}}, error))
        << error.toStdString();
    EXPECT_EQ(RawContents(path), first + second);
    EXPECT_EQ(saver.Stamp(), SFileStamp::Of(path));
    EXPECT_EQ(AllEntries(m_dir.path()), QStringList{"pieces.xml"});
}

// Writes past the file-size limit fail with EFBIG, as a full disk fails with ENOSPC; sizes on
// both sides of a page and of a typical stream buffer.
TEST_F(SafeSaverTest, AWriteFailureAtAnySizeLeavesTheOriginalAndNoTemporaryFile)
{
    const QString path = PathOf(QStringLiteral("precious.xml"));
    for (const qsizetype nSize : {5000, 16 * 1024 + 1, 600 * 1024, 3 << 20}) {
        WriteRaw(path, kOriginal);
        QString error;
        bool bSaved = true;
        {
            CFileSizeLimit limit(4096);
            bSaved = Save(path, QByteArray(nSize, 'x'), error);
        }
        EXPECT_FALSE(bSaved) << nSize;
        EXPECT_EQ(error, Expected(path, "File too large")) << nSize;
        EXPECT_EQ(RawContents(path), kOriginal) << nSize;
        EXPECT_EQ(AllEntries(m_dir.path()), QStringList{"precious.xml"}) << nSize;
    }
}

TEST_F(SafeSaverTest, StoppingASaveLeavesTheOriginalAndNoOtherFile)
{
    // Told after each 8 MB: stopped after the first step, or told of every byte and stopped
    // only then, before the new file replaces the old; hard-linked, before anything is written.
    const QByteArray text(20 << 20, 'n');
    const struct
    {
        bool bHardLinked;
        long long nStopAt;
    } cases[] = {{false, 8LL << 20}, {false, 20LL << 20}, {true, 0}};
    const QString path = PathOf(QStringLiteral("kept.xml"));
    const QString link = PathOf(QStringLiteral("link.xml"));
    for (const auto& c : cases) {
        WriteRaw(path, kOriginal);
        QFile::remove(link);
        if (c.bHardLinked) {
            ASSERT_EQ(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                0);
        }
        long long nLastDone = -1;
        QString error;
        const SByteSpan whole{text.constData(), static_cast<std::size_t>(text.size())};
        EXPECT_FALSE(CSafeSaver(path).Save({whole}, error, [&](long long nDone, long long nTotal) {
            EXPECT_EQ(nTotal, text.size());
            nLastDone = nDone;
            return nDone < c.nStopAt;
        }));
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_EQ(nLastDone, c.nStopAt);
        EXPECT_EQ(RawContents(path), kOriginal);
        EXPECT_EQ(AllEntries(m_dir.path()).size(), c.bHardLinked ? 2 : 1);
    }
}

TEST_F(SafeSaverTest, ASaveBelowTheFileSizeLimitSucceeds)
{
    const QString path = PathOf(QStringLiteral("small.xml"));
    WriteRaw(path, kOriginal);
    QString error;
    CFileSizeLimit limit(4096);
    EXPECT_TRUE(Save(path, QByteArray(4096, 'y'), error)) << error.toStdString();
    EXPECT_EQ(RawContents(path), QByteArray(4096, 'y'));
}

struct SFullDiskCase
{
    const char* name;
    qint64 nFreeBytes;
    qsizetype nNewSize;
    bool bHardLinked;
};

// A real ENOSPC on a tmpfs of 64 KB.
TEST(SafeSaverFullDiskTest, AFullDiskLeavesTheOriginalByteForByteAndSaysWhy)
{
    const SFullDiskCase cases[] = {
        {"nothing free, small save", 0, 100, false},
        {"one free page, 5000 bytes", 4096, 5000, false},
        {"nothing free, 600 KB", 0, 600 * 1024, false},
        {"hard link, no room for the safety copy", 0, 100, true},
        {"hard link, copy fits but the new text does not", 4096, 20000, true},
    };
    for (const SFullDiskCase& c : cases) {
        CSmallTmpfs disk(64);
        if (!disk.IsMounted())
            GTEST_SKIP() << disk.SkipReason().toStdString();
        const QString path = disk.PathOf(QStringLiteral("doc.xml"));
        const QString link = disk.PathOf(QStringLiteral("other-name.xml"));
        WriteRaw(path, kOriginal);
        if (c.bHardLinked) {
            ASSERT_EQ(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                0);
        }
        ASSERT_TRUE(disk.FillLeaving(c.nFreeBytes)) << c.name;
        const QStringList before = AllEntries(disk.Path());
        QString error;
        EXPECT_FALSE(Save(path, QByteArray(c.nNewSize, 'n'), error)) << c.name;
        EXPECT_EQ(error, Expected(path, "No space left on device")) << c.name;
        EXPECT_EQ(RawContents(path), kOriginal) << c.name;
        if (c.bHardLinked) {
            EXPECT_EQ(RawContents(link), kOriginal) << c.name;
        }
        EXPECT_EQ(AllEntries(disk.Path()), before) << c.name;
    }
}

TEST(SafeSaverFullDiskTest, AReadOnlyFileSystemRefusesTheSaveAndKeepsTheFile)
{
    CSmallTmpfs disk(64);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.SkipReason().toStdString();
    const QString path = disk.PathOf(QStringLiteral("doc.xml"));
    WriteRaw(path, kOriginal);
    ASSERT_TRUE(disk.RemountReadOnly());
    QString error;
    EXPECT_FALSE(Save(path, "<new/>", error));
    EXPECT_EQ(error, Expected(path, "Read-only file system"));
    EXPECT_EQ(RawContents(path), kOriginal);
}

TEST_F(SafeSaverTest, AFolderThisUserCannotWriteRefusesTheSave)
{
    const QString folder = PathOf(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("locked")));
    const QString path = folder + QStringLiteral("/doc.xml");
    WriteRaw(path, kOriginal);
    ::chmod(QFile::encodeName(path).constData(), 0666);
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    auto step = [&path](int fdOutput) {
        QString error;
        const bool bSaved = Save(path, "<new/>", error);
        const QByteArray text = error.toUtf8();
        return ::write(fdOutput, text.constData(), text.size()) >= 0 && !bSaved ? 0 : 1;
    };
    SChildRun run;
    if (::geteuid() == 0) {
        run = RunAsUser(kNobody, step);
    } else {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        run.nExitCode = step(fds[1]);
        ::close(fds[1]);
        char buffer[1024];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        run.output = QByteArray(buffer, std::max<ssize_t>(n, 0));
        ::close(fds[0]);
    }
    EXPECT_EQ(run.nExitCode, 0);
    EXPECT_EQ(QString::fromUtf8(run.output), Expected(path, "Permission denied"));
    EXPECT_EQ(RawContents(path), kOriginal);
    EXPECT_EQ(AllEntries(folder), QStringList{"doc.xml"});
}

TEST_F(SafeSaverTest, PermissionsOwnerAndGroupAreKept)
{
    const QString path = PathOf(QStringLiteral("owned.xml"));
    const bool bRoot = ::geteuid() == 0;
    for (const unsigned nMode : {0640u, 0604u, 02755u}) {
        WriteRaw(path, kOriginal);
        if (bRoot) {
            ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kOtherUser, kOtherGroup), 0);
        }
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), nMode), 0);
        const struct stat before = StatOf(path);
        QString error;
        ASSERT_TRUE(Save(path, "<new/>", error)) << error.toStdString();
        const struct stat after = StatOf(path);
        EXPECT_EQ(RawContents(path), QByteArray("<new/>"));
        EXPECT_EQ(after.st_mode & 07777, nMode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
    }
    EXPECT_EQ(AllEntries(m_dir.path()), QStringList{"owned.xml"});
}

TEST_F(SafeSaverTest, EveryHardLinkSeesTheNewText)
{
    const QString path = PathOf(QStringLiteral("a.xml"));
    const QString other = PathOf(QStringLiteral("b.xml"));
    WriteRaw(path, kOriginal);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    const ino_t nInode = StatOf(path).st_ino;
    for (const QByteArray& text : {QByteArray("<shorter/>"), QByteArray(3 << 20, 'L')}) {
        QString error;
        ASSERT_TRUE(Save(path, text, error)) << error.toStdString();
        EXPECT_EQ(RawContents(path), text);
        EXPECT_EQ(RawContents(other), text);
        EXPECT_EQ(StatOf(path).st_ino, nInode);
        EXPECT_EQ(StatOf(path).st_nlink, 2u);
    }
    EXPECT_EQ(AllEntries(m_dir.path()), (QStringList{"a.xml", "b.xml"}));
}

TEST_F(SafeSaverTest, ASymbolicLinkStaysALinkAndItsTargetIsSaved)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("real")));
    const QString target = PathOf(QStringLiteral("real/doc.xml"));
    const QString link = PathOf(QStringLiteral("link.xml"));
    WriteRaw(target, kOriginal);
    ASSERT_TRUE(QFile::link(target, link));
    QString error;
    ASSERT_TRUE(Save(link, "<through the link/>", error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(RawContents(target), QByteArray("<through the link/>"));
    EXPECT_EQ(AllEntries(PathOf(QStringLiteral("real"))), QStringList{"doc.xml"});
}

QString AclText(const QString& path)
{
    acl_t acl = ::acl_get_file(QFile::encodeName(path).constData(), ACL_TYPE_ACCESS);
    if (!acl)
        return QString();
    char* szText = ::acl_to_any_text(acl, nullptr, ',', 0);
    const QString text = QString::fromLatin1(szText);
    ::acl_free(szText);
    ::acl_free(acl);
    return text;
}

TEST_F(SafeSaverTest, AnAccessListAndExtendedAttributesAreKept)
{
    const QString path = PathOf(QStringLiteral("private.xml"));
    WriteRaw(path, kOriginal);
    const QByteArray name = QFile::encodeName(path);
    acl_t acl = ::acl_from_text("u::rw-,u:nobody:rw-,g::---,m::rw-,o::---");
    ASSERT_NE(acl, nullptr);
    const int nSet = ::acl_set_file(name.constData(), ACL_TYPE_ACCESS, acl);
    ::acl_free(acl);
    if (nSet != 0 || ::setxattr(name.constData(), "user.tarnel.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "this file system takes no ACL or user attribute: " << std::strerror(errno);
    const QString before = AclText(path);
    QString error;
    ASSERT_TRUE(Save(path, "<still private/>", error)) << error.toStdString();
    EXPECT_EQ(AclText(path), before);
    EXPECT_EQ(StatOf(path).st_mode & 0777, 0660u);  // the group bits show the mask, as before
    char value[8] = {};
    EXPECT_EQ(::getxattr(name.constData(), "user.tarnel.note", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
}

TEST_F(SafeSaverTest, AChainOfLinksToAMissingFileKeepsEveryLinkAndCreatesItsEnd)
{
    QDir dir(m_dir.path());
    ASSERT_TRUE(dir.mkdir(QStringLiteral("d1")) && dir.mkdir(QStringLiteral("d2")));
    const QString first = PathOf(QStringLiteral("a.xml"));
    ASSERT_EQ(::symlink("../d2/real.xml", QFile::encodeName(PathOf("d1/b.xml")).constData()), 0);
    ASSERT_EQ(::symlink("d1/b.xml", QFile::encodeName(first).constData()), 0);
    QString error;
    ASSERT_TRUE(Save(first, "<made at the end/>", error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(first).isSymLink());
    EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("d1/b.xml"))).isSymLink());
    EXPECT_EQ(RawContents(PathOf(QStringLiteral("d2/real.xml"))), QByteArray("<made at the end/>"));
}

TEST_F(SafeSaverTest, ANameNearTheFoldersLimitIsSavedBothWays)
{
    const QString path = PathOf(QString(246, QLatin1Char('n')) + QStringLiteral(".xml"));
    const QString link = PathOf(QStringLiteral("hard.xml"));
    for (const bool bHardLinked : {false, true}) {
        WriteRaw(path, kOriginal);
        if (bHardLinked) {  // written in place after a safety copy beside it
            ASSERT_EQ(
                ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()),
                0);
        }
        QString error;
        ASSERT_TRUE(Save(path, "<long name/>", error)) << error.toStdString();
        EXPECT_EQ(RawContents(path), QByteArray("<long name/>"));
        EXPECT_EQ(AllEntries(m_dir.path()).size(), bHardLinked ? 2 : 1);
    }
}

// A user who may write another user's file but not give a new file that owner.
TEST_F(SafeSaverTest, AnOwnerThatCannotBeGivenTheNewFileIsKeptByWritingInPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "not root: cannot make a file of another user to write";
    const QString path = PathOf(QStringLiteral("theirs.xml"));
    WriteRaw(path, kOriginal);
    const QByteArray encoded = QFile::encodeName(path);
    ASSERT_EQ(::chown(encoded.constData(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(encoded.constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0777), 0);
    const ino_t nInode = StatOf(path).st_ino;
    // A freshly made system may keep its temporary folder closed to other users.
    const QByteArray folder = QFile::encodeName(m_dir.path());
    const SChildRun probe = RunAsUser(
        kNobody, [&folder](int) { return ::access(folder.constData(), W_OK | X_OK) == 0 ? 0 : 1; });
    if (probe.nExitCode != 0)
        GTEST_SKIP() << "the user nobody cannot reach " << folder.constData();
    const SChildRun run = RunAsUser(kNobody, [&path](int fdOutput) {
        QString error;
        const bool bSaved = Save(path, "<written by nobody/>", error);
        const QByteArray text = error.toUtf8();
        return ::write(fdOutput, text.constData(), text.size()) >= 0 && bSaved ? 0 : 1;
    });
    EXPECT_EQ(run.nExitCode, 0) << run.output.constData();
    EXPECT_EQ(RawContents(path), QByteArray("<written by nobody/>"));
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_uid, kOtherUser);
    EXPECT_EQ(after.st_gid, kOtherGroup);
    EXPECT_EQ(after.st_ino, nInode);
    EXPECT_EQ(AllEntries(m_dir.path()), QStringList{"theirs.xml"});
}

TEST_F(SafeSaverTest, ANewFileGetsTheUsualPermissions)
{
    const mode_t nOldMask = ::umask(022);
    const QString path = PathOf(QStringLiteral("fresh.xml"));
    QString error;
    const bool bSaved = Save(path, "<fresh/>", error);
    ::umask(nOldMask);
    ASSERT_TRUE(bSaved) << error.toStdString();
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0644u);
    EXPECT_EQ(RawContents(path), QByteArray("<fresh/>"));
}

}  // namespace
