#include "EditCommands.h"

#include "CommandIds.h"
#include "EditorPane.h"
#include "FindReplaceDlg.h"
#include "MessageBox.h"
#include "PasteFormats.h"
#include "PasteSpecialDlg.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>
#include <vector>

namespace {

std::vector<SPasteFormat> ClipboardPasteFormats()
{
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    return pData ? CPasteFormats::Offered(*pData) : std::vector<SPasteFormat>();
}

}  // namespace

CEditCommands::CEditCommands(IEditorPane& pane) : m_pane(pane), m_editor(pane.Control()) {}

bool CEditCommands::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    static const TCommandEntry<CEditCommands> table[] = {
        {ID_EDIT_UNDO, ID_EDIT_UNDO, &CEditCommands::OnEditUndo, &CEditCommands::OnUpdateEditUndo},
        {ID_EDIT_CUT, ID_EDIT_CUT, &CEditCommands::OnEditCut,
         &CEditCommands::OnUpdateNeedSelection},
        {ID_EDIT_COPY, ID_EDIT_COPY, &CEditCommands::OnEditCopy,
         &CEditCommands::OnUpdateNeedSelection},
        {ID_EDIT_PASTE, ID_EDIT_PASTE, &CEditCommands::OnEditPaste,
         &CEditCommands::OnUpdateEditPaste},
        {ID_EDIT_PASTE_SPECIAL, ID_EDIT_PASTE_SPECIAL, &CEditCommands::OnEditPasteSpecial,
         &CEditCommands::OnUpdateEditPasteSpecial},
        {ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_ALL, &CEditCommands::OnEditSelectAll, nullptr},
        {ID_EDIT_FIND, ID_EDIT_FIND, &CEditCommands::OnEditFind, nullptr},
        {ID_EDIT_REPEAT, ID_EDIT_REPEAT, &CEditCommands::OnEditRepeat,
         &CEditCommands::OnUpdateEditRepeat},
        {ID_EDIT_REPLACE, ID_EDIT_REPLACE, &CEditCommands::OnEditReplace, nullptr},
    };
    return DispatchCommand(this, table, nID, pCmdUI);
}

void CEditCommands::OnEditUndo(int)
{
    m_editor.undo();
}

void CEditCommands::OnEditCut(int)
{
    m_editor.cut();
}

void CEditCommands::OnEditCopy(int)
{
    m_editor.copy();
}

void CEditCommands::OnEditPaste(int)
{
    m_editor.paste();
}

void CEditCommands::OnEditPasteSpecial(int)
{
    CPasteSpecialDlg dialog(ClipboardPasteFormats(), &m_editor);
    if (dialog.Formats().empty() || dialog.DoModal() != IDOK)
        return;
    const QString strType =
        dialog.Formats()[static_cast<std::size_t>(dialog.m_nSelected)].strMimeType;
    // The dialog's event loop may have let another program replace the clipboard: look again.
    const std::vector<SPasteFormat> formats = ClipboardPasteFormats();
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    if (!pData || std::none_of(formats.begin(), formats.end(), [&](const SPasteFormat& f) {
            return f.strMimeType == strType;
        })) {
        AfxMessageBox(QStringLiteral("Nothing was pasted into %1: the clipboard no longer holds "
                                     "the chosen form.")
                          .arg(m_pane.DocumentName()));
        return;
    }
    QByteArray bytes;
    if (!CPasteFormats::ToDocumentBytes(CPasteFormats::TextOf(*pData, strType), m_editor.isUtf8(),
                                        bytes)) {
        AfxMessageBox(QStringLiteral("Nothing was pasted into %1: the text holds characters that "
                                     "an 8-bit (Latin-1) document cannot store.")
                          .arg(m_pane.DocumentName()));
        return;
    }
    m_pane.ReplaceSelection(bytes);
}

void CEditCommands::OnEditSelectAll(int)
{
    m_editor.selectAll();
}

void CEditCommands::OnEditFind(int)
{
    CFindReplaceDlg::ShowFind(&m_editor);
}

void CEditCommands::OnEditRepeat(int)
{
    CFindReplaceDlg::FindNextAgain(&m_editor);
}

void CEditCommands::OnEditReplace(int)
{
    CFindReplaceDlg::ShowReplace(&m_editor);
}

void CEditCommands::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_editor.isUndoAvailable());
}

void CEditCommands::OnUpdateNeedSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_editor.hasSelectedText());
}

void CEditCommands::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    pCmdUI->Enable(pData && pData->hasText());
}

void CEditCommands::OnUpdateEditPasteSpecial(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!ClipboardPasteFormats().empty());
}

void CEditCommands::OnUpdateEditRepeat(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CFindReplaceDlg::HasFindText());
}
