// The few menu operations the Help-menu upkeep needs, so it can run on a fake in tests.
#pragma once

#include <QString>

class IMenu
{
public:
    virtual ~IMenu() = default;
    virtual int GetMenuItemCount() const = 0;
    // The item's text, ampersands included; empty for a separator.
    virtual QString GetMenuString(int nPos) const = 0;
    // The popup of the item at `nPos`; null when the item opens none.
    virtual IMenu* GetSubMenu(int nPos) = 0;
    virtual void InsertMenuItem(int nPos, const QString& text, int nID) = 0;
    virtual void InsertSeparator(int nPos) = 0;
    virtual void AppendPopup(IMenu* pPopup, const QString& text) = 0;
    virtual void DrawMenuBar() = 0;
};
