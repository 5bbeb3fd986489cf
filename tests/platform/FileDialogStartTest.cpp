#include "FileDialogStart.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialogStartTest, StartsInTheSuggestedFolderElseTheLastOneUsed)
{
    const struct
    {
        const char* lastChosen;  // empty: no dialog left yet
        const char* suggested;
        const char* start;
    } cases[] = {
        {"", "", ""},
        {"", "Untitled", "Untitled"},
        {"", "/doc/a.xml", "/doc/a.xml"},
        {"/work/b.xml", "", "/work"},
        {"/work/b.xml", "Untitled", "/work/Untitled"},
        {"/work/b.xml", "/doc/a.xml", "/doc/a.xml"},
        {"/work/b.xml", "/doc/", "/doc/"},
        {"/work/b.xml", "sub/c.xml", "sub/c.xml"},
    };
    for (const auto& c : cases) {
        CFileDialogStart::ForgetForTesting();
        CFileDialogStart::Remember(QString::fromLatin1(c.lastChosen));
        EXPECT_EQ(CFileDialogStart::StartPath(QString::fromLatin1(c.suggested)),
                  QString::fromLatin1(c.start))
            << c.lastChosen << " " << c.suggested;
    }
    CFileDialogStart::ForgetForTesting();
}

}  // namespace
