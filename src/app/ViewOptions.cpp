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
    m_view.SetFolding(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kFolding, 1) != 0);
    m_view.SetAutoIndent(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kAutoIndent, 1) != 0);
    m_view.SetCloseStartTags(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kCloseStartTags, 0)
                             != 0);
}

CViewOptions::CViewOptions(IEditorOptions& view) : m_view(view)
{
    OnCommand(
        ID_VIEW_LINE_NUMBERS, [this] { OnLineNumbers(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.LineNumbersShown() ? 1 : 0); });
    OnCommand(
        ID_VIEW_COLOUR_AS_YOU_TYPE, [this] { OnColourAsYouType(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.ColourAsYouType() ? 1 : 0); });
    OnCommandRange(ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_RESET, [this](int nID) { OnZoom(nID); });
    OnCommand(
        ID_VIEW_WORD_WRAP, [this] { m_view.SetWordWrap(!m_view.WordWrap()); },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.WordWrap() ? 1 : 0); });
    OnCommand(
        ID_VIEW_FOLDING, [this] { OnFolding(); },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.Folding() ? 1 : 0); });
    OnCommand(
        ID_VIEW_AUTO_INDENT,
        [this] {
            m_view.SetAutoIndent(!m_view.AutoIndent());
            WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kAutoIndent,
                            m_view.AutoIndent() ? 1 : 0);
        },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.AutoIndent() ? 1 : 0); });
    OnCommand(
        ID_VIEW_CLOSE_START_TAGS,
        [this] {
            m_view.SetCloseStartTags(!m_view.CloseStartTags());
            WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kCloseStartTags,
                            m_view.CloseStartTags() ? 1 : 0);
        },
        [this](CCmdUI& ui) { ui.SetCheck(m_view.CloseStartTags() ? 1 : 0); });
}

void CViewOptions::OnFolding()
{
    const bool bOn = !m_view.Folding();
    m_view.SetFolding(bOn);
    WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kFolding, bOn ? 1 : 0);
}

void CViewOptions::OnLineNumbers()
{
    const bool bShown = !m_view.LineNumbersShown();
    m_view.ShowLineNumbers(bShown);
    WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kLineNumbers, bShown ? 1 : 0);
}

void CViewOptions::OnColourAsYouType()
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
