#include "CommandIds.h"
#include "MessageBox.h"
#include "StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTableTest, ProgramStringsAreExact)
{
    EXPECT_EQ(
        LoadString(IDS_OLE_INIT_FAILED),
        "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
    EXPECT_EQ(LoadString(IDS_TIP_MENU_TEXT), "Ti&p of the Day...");
    EXPECT_EQ(LoadString(IDS_TIP_HEADING), "Did you know... about Tarnelix?");
    EXPECT_EQ(LoadString(IDS_TIP_FILE_ABSENT),
              "Tips file does not exist in the prescribed directory");
    EXPECT_EQ(LoadString(IDS_TIP_FILE_CORRUPT), "Trouble reading the tips file");
    EXPECT_EQ(LoadString(IDS_HELP_MENU_TEXT), "&Help");
    EXPECT_EQ(LoadString(IDR_MAIN_WINDOW),
              "Tarnel\n\nTarnel\n\n\nTarnel.Document\nTarnel Document");
    EXPECT_EQ(LoadString(AFX_IDS_APP_TITLE), "Tarnel");
    EXPECT_EQ(LoadString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(LoadString(AFX_IDP_UNREG_DONE),
              "System registry entries have been removed and the INI file (if any) was deleted.");
}

TEST(StringTableTest, RangeMessageFillsBothPlaceholders)
{
    EXPECT_EQ(FormatString2(LoadString(AFX_IDP_PARSE_INT_RANGE), "0", "99999"),
              "Please enter an integer between 0 and 99999.");
    EXPECT_EQ(FormatString2(LoadString(AFX_IDP_ASK_TO_SAVE), "a%2.xml", ""),
              "Save changes to a%2.xml?");
}

TEST(MessageBoxTest, CaptureCollectsTextsAndRestoresThePreviousPresenter)
{
    CMessageCapture outer;
    {
        CMessageCapture inner;
        AfxMessageBox(QString("inner"));
        AfxMessageBox(IDS_TIP_FILE_CORRUPT);
        EXPECT_EQ(inner.Messages(), QStringList({"inner", "Trouble reading the tips file"}));
    }
    AfxMessageBox(QString("outer"));
    EXPECT_EQ(outer.Messages(), QStringList({"outer"}));
}

}  // namespace
