#include "ViewOptions.h"

#include "CommandIds.h"
#include "EditorOptions.h"
#include "Profile.h"
#include "SettingsKeys.h"

void CViewOptions::Restore()
{
    m_view.ShowLineNumbers(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kLineNumbers, 0)
                           != 0);
    m_view.SetColourAsYouType(
        GetProfileInt(SettingsKeys::kSection, SettingsKeys::kColourAsYouType, 0) != 0);
}

bool CViewOptions::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    static const TCommandEntry<CViewOptions> table[] = {
        {ID_VIEW_LINE_NUMBERS, ID_VIEW_LINE_NUMBERS, &CViewOptions::OnLineNumbers,
         &CViewOptions::OnUpdateLineNumbers},
        {ID_VIEW_COLOUR_AS_YOU_TYPE, ID_VIEW_COLOUR_AS_YOU_TYPE, &CViewOptions::OnColourAsYouType,
         &CViewOptions::OnUpdateColourAsYouType},
        {ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_RESET, &CViewOptions::OnZoom, nullptr},
        {ID_VIEW_WORD_WRAP, ID_VIEW_WORD_WRAP, &CViewOptions::OnWordWrap,
         &CViewOptions::OnUpdateWordWrap},
    };
    return DispatchCommand(this, table, nID, pCmdUI);
}

void CViewOptions::OnLineNumbers(int)
{
    const bool bShown = !m_view.LineNumbersShown();
    m_view.ShowLineNumbers(bShown);
    WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kLineNumbers, bShown ? 1 : 0);
}

void CViewOptions::OnColourAsYouType(int)
{
    const bool bOn = !m_view.ColourAsYouType();
    m_view.SetColourAsYouType(bOn);
    WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kColourAsYouType, bOn ? 1 : 0);
}

void CViewOptions::OnZoom(int nID)
{
    // The view reports the new zoom, which the window keeps.
    m_view.ZoomStep(nID == ID_VIEW_ZOOM_IN ? 1 : nID == ID_VIEW_ZOOM_OUT ? -1 : 0);
}

void CViewOptions::OnUpdateLineNumbers(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(true);
    pCmdUI->SetCheck(m_view.LineNumbersShown() ? 1 : 0);
}

void CViewOptions::OnUpdateColourAsYouType(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(true);
    pCmdUI->SetCheck(m_view.ColourAsYouType() ? 1 : 0);
}

void CViewOptions::OnWordWrap(int)
{
    m_view.SetWordWrap(!m_view.WordWrap());
}

void CViewOptions::OnUpdateWordWrap(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(true);
    pCmdUI->SetCheck(m_view.WordWrap() ? 1 : 0);
}
