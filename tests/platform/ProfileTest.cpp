#include "Profile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override { SetProfileDirectory(m_dir.path()); }
    QTemporaryDir m_dir;
};

TEST_F(ProfileTest, MissingValuesGiveTheDefaults)
{
    EXPECT_EQ(GetProfileInt("Settings", "PreviewPages", 0), 0);
    EXPECT_EQ(GetProfileInt("Tip", "FilePos", 7), 7);
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp"), QString());
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp", "x"), QString("x"));
}

TEST_F(ProfileTest, WrittenValuesAreReadBackBySection)
{
    ASSERT_TRUE(WriteProfileInt("Tip", "FilePos", 1234));
    ASSERT_TRUE(WriteProfileString("Recent File List", "File1", "/home/me/a b.xml"));
    EXPECT_EQ(GetProfileInt("Tip", "FilePos", 0), 1234);
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), QString("/home/me/a b.xml"));
    EXPECT_EQ(GetProfileInt("Settings", "FilePos", -1), -1);
}

TEST_F(ProfileTest, SettingsLiveUnderTheOrganisationAndApplicationNames)
{
    WriteProfileInt("Settings", "PreviewPages", 2);
    const QFileInfo file(ProfileFilePath());
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.fileName(), QString("Tarnel.ini"));
    EXPECT_EQ(file.absoluteDir().dirName(), QString("Local AppWizard-Generated Applications"));
}

TEST_F(ProfileTest, ClearingASectionLeavesTheOthers)
{
    WriteProfileString("Recent File List", "File1", "a");
    WriteProfileString("Recent File List", "File2", "b");
    WriteProfileInt("Settings", "PreviewPages", 1);
    ClearProfileSection("Recent File List");
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), QString());
    EXPECT_EQ(GetProfileInt("Settings", "PreviewPages", 0), 1);
}

TEST_F(ProfileTest, RemovingTheProfileDeletesFileAndEmptyFolder)
{
    WriteProfileInt("Settings", "PreviewPages", 2);
    const QFileInfo file(ProfileFilePath());
    ASSERT_TRUE(RemoveProfile());
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.absoluteDir().exists());
    EXPECT_EQ(GetProfileInt("Settings", "PreviewPages", 0), 0);
}

TEST_F(ProfileTest, RemovingTheProfileKeepsAFolderThatHoldsOtherFiles)
{
    WriteProfileInt("Settings", "PreviewPages", 2);
    const QFileInfo file(ProfileFilePath());
    QFile other(file.absoluteDir().filePath("Other.ini"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ASSERT_TRUE(RemoveProfile());
    EXPECT_FALSE(file.exists());
    EXPECT_TRUE(file.absoluteDir().exists());
}

}  // namespace
