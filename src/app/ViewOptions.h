// The View menu's options for the editor: line numbers, colour as you type and zoom, each kept
// in "Settings" between runs, and word wrap, which each text's length decides anew.
#pragma once

#include "CmdTarget.h"

class IEditorOptions;

class CViewOptions : public CCmdTarget
{
public:
    explicit CViewOptions(IEditorOptions& view) : m_view(view) {}

    // Gives the editor the options kept from the last run.
    void Restore();
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

private:
    void OnLineNumbers(int nID);
    void OnColourAsYouType(int nID);
    void OnZoom(int nID);
    void OnWordWrap(int nID);
    void OnUpdateWordWrap(CCmdUI* pCmdUI);
    void OnUpdateLineNumbers(CCmdUI* pCmdUI);
    void OnUpdateColourAsYouType(CCmdUI* pCmdUI);

    IEditorOptions& m_view;
};
