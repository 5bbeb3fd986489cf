// The state a command's update handler sets: enabled, and a check mark where it has one.
#pragma once

class CCmdUI
{
public:
    explicit CCmdUI(int nID) : m_nID(nID) {}

    void Enable(bool bOn = true) { m_bEnabled = bOn; }
    void SetCheck(int nCheck = 1) { m_nCheck = nCheck; }

    int m_nID;
    bool m_bEnabled = true;
    int m_nCheck = -1;  // -1: the update handler did not set a check state
};
