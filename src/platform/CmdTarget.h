// Receiver of routed commands. A class registers each command where its work is done, in one
// line (OnCommand); OnCmdMsg runs the handler (pCmdUI null) or asks the update handler for the
// state, and answers whether the id is handled here.
#pragma once

#include "CmdUI.h"

#include <functional>
#include <vector>

class CCmdTarget
{
public:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(int nID)>;
    using Updater = std::function<void(CCmdUI& ui)>;

    virtual ~CCmdTarget() = default;
    virtual bool OnCmdMsg(int nID, CCmdUI* pCmdUI);

protected:
    // A command with a handler and no updater is enabled; one with neither is handled here and
    // shown disabled.
    void OnCommand(int nID, Handler handler, Updater update = {});
    void OnCommandRange(int nFirstID, int nLastID, RangeHandler handler, Updater update = {});

private:
    struct SEntry
    {
        int nFirstID;
        int nLastID;
        RangeHandler handler;
        Updater update;
    };

    std::vector<SEntry> m_commands;
};
