#include "CmdTarget.h"
#include "CommandIds.h"

#include <gtest/gtest.h>

namespace {

class CRecorder : public CCmdTarget
{
public:
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

    void OnSave(int) { ++m_nSaves; }
    void OnRecent(int nID) { m_nLastRecent = nID; }
    void OnUpdateRecent(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID == ID_FILE_MRU_FILE1); }
    void OnUpdateToolbar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

    int m_nSaves = 0;
    int m_nLastRecent = 0;
};

bool CRecorder::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    static const TCommandEntry<CRecorder> table[] = {
        {ID_FILE_SAVE, ID_FILE_SAVE, &CRecorder::OnSave, nullptr},
        {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE1 + 3, &CRecorder::OnRecent,
         &CRecorder::OnUpdateRecent},
        {ID_VIEW_TOOLBAR, ID_VIEW_TOOLBAR, nullptr, &CRecorder::OnUpdateToolbar},
    };
    return DispatchCommand(this, table, nID, pCmdUI);
}

TEST(CmdTargetTest, RunsTheHandlerOfAMappedCommand)
{
    CRecorder target;
    EXPECT_TRUE(target.OnCmdMsg(ID_FILE_SAVE, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(ID_FILE_MRU_FILE1 + 2, nullptr));
    EXPECT_EQ(target.m_nSaves, 1);
    EXPECT_EQ(target.m_nLastRecent, ID_FILE_MRU_FILE1 + 2);
}

TEST(CmdTargetTest, UnmappedCommandsAreNotHandled)
{
    CRecorder target;
    CCmdUI ui(ID_TOOLS_XSLT);
    EXPECT_FALSE(target.OnCmdMsg(ID_TOOLS_XSLT, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(ID_TOOLS_XSLT, &ui));
}

TEST(CmdTargetTest, UpdateStateComesFromTheUpdateHandlerOrTheHandlersPresence)
{
    CRecorder target;
    CCmdUI save(ID_FILE_SAVE);
    save.Enable(false);
    ASSERT_TRUE(target.OnCmdMsg(ID_FILE_SAVE, &save));
    EXPECT_TRUE(save.m_bEnabled);

    CCmdUI second(ID_FILE_MRU_FILE1 + 1);
    ASSERT_TRUE(target.OnCmdMsg(second.m_nID, &second));
    EXPECT_FALSE(second.m_bEnabled);

    CCmdUI toolbar(ID_VIEW_TOOLBAR);
    ASSERT_TRUE(target.OnCmdMsg(ID_VIEW_TOOLBAR, &toolbar));
    EXPECT_EQ(toolbar.m_nCheck, 1);
}

}  // namespace
