// The recent-file list: order, moving and dropping entries, menu names, the settings.
#include "Profile.h"
#include "RecentFileList.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RecentFileListTest : public ::testing::Test
{
protected:
    void SetUp() override { SetProfileDirectory(m_dir.path()); }

    QTemporaryDir m_dir;
};

QStringList Paths(const CRecentFileList& list)
{
    QStringList paths;
    for (int i = 0; i < list.GetSize(); ++i)
        paths << list.GetPath(i);
    return paths;
}

}  // namespace

TEST_F(RecentFileListTest, KeepsMostRecentFirstAndDropsTheOldest)
{
    CRecentFileList list(4);
    for (const char* path : {"/d/1", "/d/2", "/d/3", "/d/4"})
        list.Add(path);
    EXPECT_EQ(Paths(list), (QStringList{"/d/4", "/d/3", "/d/2", "/d/1"}));
    list.Add("/d/5");
    EXPECT_EQ(Paths(list), (QStringList{"/d/5", "/d/4", "/d/3", "/d/2"}));
}

TEST_F(RecentFileListTest, AddingAKnownFileMovesItToTheTop)
{
    CRecentFileList list(4);
    list.Add("/d/a.xml");
    list.Add("/d/b.xml");
    list.Add("/d/sub/../a.xml");
    EXPECT_EQ(Paths(list), (QStringList{"/d/a.xml", "/d/b.xml"}));

    const QString relative = QStringLiteral("rel.xml");
    list.Add(relative);
    list.Add(QDir::current().absoluteFilePath(relative));
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.GetPath(0), QDir::cleanPath(QDir::current().absoluteFilePath(relative)));
}

TEST_F(RecentFileListTest, RemoveShiftsLaterEntriesUp)
{
    CRecentFileList list(4);
    for (const char* path : {"/d/1", "/d/2", "/d/3"})
        list.Add(path);
    list.Remove(1);
    list.Remove(7);
    EXPECT_EQ(Paths(list), (QStringList{"/d/3", "/d/1"}));
}

TEST_F(RecentFileListTest, DisplayNameIsNumberedShortenedAndEscaped)
{
    CRecentFileList list(4);
    list.Add("/home/me/docs/projects/tarnel/sample/file.xml");
    list.Add("/tmp/R&D notes.xml");
    EXPECT_EQ(list.GetDisplayName(0), "&1 /tmp/R&&D notes.xml");
    EXPECT_EQ(list.GetDisplayName(1), "&2 /.../tarnel/sample/file.xml");
    EXPECT_TRUE(list.GetDisplayName(4).isEmpty());
}

TEST_F(RecentFileListTest, AbbreviationNeverExceedsTheLimit)
{
    const int max = CRecentFileList::kMaxDisplayLength;
    EXPECT_EQ(CRecentFileList::AbbreviatePath("/short/a.xml", max), "/short/a.xml");
    EXPECT_EQ(CRecentFileList::AbbreviatePath("/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o.xml", max),
              "/.../e/f/g/h/i/j/k/l/m/n/o.xml");
    EXPECT_EQ(CRecentFileList::AbbreviatePath("/very/long/folder/a-rather-long-name.xml", max),
              "/.../a-rather-long-name.xml");
    EXPECT_EQ(CRecentFileList::AbbreviatePath("/dir/a-name-that-is-27-long.xml", max),
              "a-name-that-is-27-long.xml");
    const QString longName =
        CRecentFileList::AbbreviatePath("/dir/an-extremely-long-file-name-of-many-words.xml", max);
    EXPECT_EQ(longName, "an-extremely-l...any-words.xml");
    EXPECT_LE(longName.size(), max);
    EXPECT_EQ(CRecentFileList::AbbreviatePath("C:/Users/me/Documents/work/notes.xml", max),
              "C:/.../work/notes.xml");
}

TEST_F(RecentFileListTest, WriteListReplacesTheSectionAndReadListRestoresIt)
{
    WriteProfileString("Recent File List", "File4", "/stale/entry.xml");
    CRecentFileList list(4);
    list.Add("/d/older.xml");
    list.Add("/d/newer.xml");
    list.WriteList();
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), "/d/newer.xml");
    EXPECT_EQ(GetProfileString("Recent File List", "File2"), "/d/older.xml");
    EXPECT_EQ(GetProfileString("Recent File List", "File3", "none"), "none");
    EXPECT_EQ(GetProfileString("Recent File List", "File4", "none"), "none");

    CRecentFileList restored(4);
    restored.ReadList();
    EXPECT_EQ(Paths(restored), (QStringList{"/d/newer.xml", "/d/older.xml"}));
}

TEST_F(RecentFileListTest, ReadListSkipsEmptySlots)
{
    WriteProfileString("Recent File List", "File1", "/d/a.xml");
    WriteProfileString("Recent File List", "File3", "/d/c.xml");
    WriteProfileString("Recent File List", "File5", "/d/beyond.xml");
    CRecentFileList list(4);
    list.ReadList();
    EXPECT_EQ(Paths(list), (QStringList{"/d/a.xml", "/d/c.xml"}));
}
