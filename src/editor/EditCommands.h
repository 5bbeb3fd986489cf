// The Edit menu's commands on the editor view: undo, clipboard, Paste Special, select all, find
// and replace, with their enabled states.
#pragma once

#include "CmdTarget.h"

class IEditorPane;
class QsciScintilla;

class CEditCommands : public CCmdTarget
{
public:
    explicit CEditCommands(IEditorPane& pane);

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

private:
    void OnEditUndo(int nID);
    void OnEditCut(int nID);
    void OnEditCopy(int nID);
    void OnEditPaste(int nID);
    void OnEditPasteSpecial(int nID);
    void OnEditSelectAll(int nID);
    void OnEditFind(int nID);
    void OnEditRepeat(int nID);
    void OnEditReplace(int nID);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditPasteSpecial(CCmdUI* pCmdUI);
    void OnUpdateEditRepeat(CCmdUI* pCmdUI);

    IEditorPane& m_pane;
    QsciScintilla& m_editor;
};
