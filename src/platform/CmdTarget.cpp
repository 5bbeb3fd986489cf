#include "CmdTarget.h"

bool CCmdTarget::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    for (const SEntry& entry : m_commands) {
        if (nID < entry.nFirstID || nID > entry.nLastID)
            continue;
        if (pCmdUI == nullptr) {
            if (entry.handler)
                entry.handler(nID);
        } else if (entry.update) {
            entry.update(*pCmdUI);
        } else {
            pCmdUI->Enable(static_cast<bool>(entry.handler));
        }
        return true;
    }
    return false;
}

void CCmdTarget::OnCommand(int nID, Handler handler, Updater update)
{
    RangeHandler ranged;
    if (handler)
        ranged = [handler = std::move(handler)](int) { handler(); };
    OnCommandRange(nID, nID, std::move(ranged), std::move(update));
}

void CCmdTarget::OnCommandRange(int nFirstID, int nLastID, RangeHandler handler, Updater update)
{
    m_commands.push_back({nFirstID, nLastID, std::move(handler), std::move(update)});
}
