// The View menu's options for the editor: line numbers, colour as you type, folding and zoom, each kept
// in "Settings" between runs, and word wrap, which each text's length decides anew.
#pragma once

#include "CmdTarget.h"

class IEditorOptions;

class CViewOptions : public CCmdTarget
{
public:
    explicit CViewOptions(IEditorOptions& view);

    // Gives the editor the options kept from the last run.
    void Restore();

private:
    void OnLineNumbers();
    void OnColourAsYouType();
    void OnFolding();
    void OnZoom(int nID);

    IEditorOptions& m_view;
};
