#include "HelpMenuKeeper.h"

#include "CommandIds.h"
#include "MenuInterface.h"
#include "StringTable.h"

CHelpMenuKeeper::CHelpMenuKeeper(PopupFactory createPopup) : m_createPopup(std::move(createPopup))
{
}

CHelpMenuKeeper::~CHelpMenuKeeper() = default;

void CHelpMenuKeeper::OnInitMenu(IMenu& menuBar)
{
    const QString helpText = LoadString(IDS_HELP_MENU_TEXT);
    bool bFound = false;
    // The last matching popup wins, as the scan does not stop at the first.
    for (int nPos = 0; nPos < menuBar.GetMenuItemCount(); ++nPos) {
        if (menuBar.GetMenuString(nPos) == helpText) {
            m_pHelpPopup = menuBar.GetSubMenu(nPos);
            bFound = true;
        }
    }
    const QString tipText = LoadString(IDS_TIP_MENU_TEXT);
    if (bFound && m_pHelpPopup) {
        if (m_pHelpPopup->GetMenuString(0) != tipText) {
            m_pHelpPopup->InsertSeparator(0);
            m_pHelpPopup->InsertMenuItem(0, tipText, ID_TIP_OF_THE_DAY);
        }
        return;
    }
    if (!m_pHelpPopup) {
        m_pOwnPopup = m_createPopup();
        m_pHelpPopup = m_pOwnPopup.get();
        m_pHelpPopup->InsertMenuItem(0, tipText, ID_TIP_OF_THE_DAY);
    }
    menuBar.AppendPopup(m_pHelpPopup, helpText);
    menuBar.DrawMenuBar();
}
