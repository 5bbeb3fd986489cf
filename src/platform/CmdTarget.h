// Receiver of routed commands. Each class keeps a static table of (id range, handler, update
// handler), defined inside its OnCmdMsg, which runs the handler (pCmdUI null) or asks the
// update handler for the state, and answers whether the id is handled here.
#pragma once

#include "CmdUI.h"

#include <cstddef>

class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;
    virtual bool OnCmdMsg(int nID, CCmdUI* pCmdUI) = 0;
};

template <class T>
struct TCommandEntry
{
    int nFirstID;
    int nLastID;  // equal to nFirstID for a single command
    void (T::*pfnHandler)(int nID);
    void (T::*pfnUpdate)(CCmdUI* pCmdUI);
};

// Looks `nID` up in `table`; a command with a handler and no update handler is enabled.
template <class T, std::size_t N>
bool DispatchCommand(T* target, const TCommandEntry<T> (&table)[N], int nID, CCmdUI* pCmdUI)
{
    for (const TCommandEntry<T>& entry : table) {
        if (nID < entry.nFirstID || nID > entry.nLastID)
            continue;
        if (pCmdUI == nullptr) {
            if (entry.pfnHandler)
                (target->*entry.pfnHandler)(nID);
        } else if (entry.pfnUpdate) {
            (target->*entry.pfnUpdate)(pCmdUI);
        } else {
            pCmdUI->Enable(entry.pfnHandler != nullptr);
        }
        return true;
    }
    return false;
}
