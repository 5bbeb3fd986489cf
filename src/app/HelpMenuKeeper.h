// Keeps "Ti&p of the Day..." and a separator at the top of the Help popup of whatever menu
// bar is about to be used, or appends a Help popup of its own to a bar that has none.
#pragma once

#include <functional>
#include <memory>

class IMenu;

class CHelpMenuKeeper
{
public:
    using PopupFactory = std::function<std::unique_ptr<IMenu>()>;

    explicit CHelpMenuKeeper(PopupFactory createPopup);
    ~CHelpMenuKeeper();

    void OnInitMenu(IMenu& menuBar);

    IMenu* RememberedPopup() const { return m_pHelpPopup; }

private:
    PopupFactory m_createPopup;
    IMenu* m_pHelpPopup = nullptr;
    std::unique_ptr<IMenu> m_pOwnPopup;
};
