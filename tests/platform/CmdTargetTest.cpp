#include "CmdTarget.h"
#include "CommandIds.h"

#include <gtest/gtest.h>

namespace {

class CRecorder : public CCmdTarget
{
public:
    CRecorder()
    {
        OnCommand(ID_FILE_SAVE, [this] { ++m_nSaves; });
        OnCommandRange(
            ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 3, [this](int nID) { m_nLastRecent = nID; },
            [](CCmdUI& ui) { ui.Enable(ui.m_nID == ID_FILE_MRU_FILE1); });
        OnCommand(ID_VIEW_TOOLBAR, nullptr, [](CCmdUI& ui) { ui.SetCheck(1); });
        OnCommand(ID_OLE_EDIT_PROPERTIES, nullptr);
    }

    int m_nSaves = 0;
    int m_nLastRecent = 0;
};

TEST(CmdTargetTest, RunsTheHandlerOfAMappedCommandOrRange)
{
    CRecorder target;
    EXPECT_TRUE(target.OnCmdMsg(ID_FILE_SAVE, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(ID_FILE_MRU_FILE1 + 2, nullptr));
    EXPECT_EQ(target.m_nSaves, 1);
    EXPECT_EQ(target.m_nLastRecent, ID_FILE_MRU_FILE1 + 2);
    EXPECT_FALSE(target.OnCmdMsg(ID_FILE_MRU_FILE1 + 4, nullptr));
}

TEST(CmdTargetTest, StateComesFromTheUpdaterOrTheHandlersPresence)
{
    CRecorder target;
    struct Case
    {
        int nID;
        bool bHandled;
        bool bEnabled;
        int nCheck;
    };
    const Case cases[] = {
        {ID_FILE_SAVE, true, true, -1},
        {ID_FILE_MRU_FILE1, true, true, -1},
        {ID_FILE_MRU_FILE1 + 1, true, false, -1},
        {ID_VIEW_TOOLBAR, true, true, 1},
        {ID_OLE_EDIT_PROPERTIES, true, false, -1},  // mapped without handler: stops the route
        {ID_TOOLS_XSLT, false, true, -1},
    };
    for (const Case& c : cases) {
        CCmdUI ui(c.nID);
        EXPECT_EQ(target.OnCmdMsg(c.nID, &ui), c.bHandled) << c.nID;
        EXPECT_EQ(ui.m_bEnabled, c.bEnabled) << c.nID;
        EXPECT_EQ(ui.m_nCheck, c.nCheck) << c.nID;
    }
}

}  // namespace
