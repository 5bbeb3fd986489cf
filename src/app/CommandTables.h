// The main menu and the toolbar, as data; with the accelerator table the window builds all
// three from tables, so they can never disagree.
#pragma once

#include "Accelerators.h"

#include <vector>

// An item of a popup: a separator when `text` is null.
struct MenuItemDef
{
    const char* text;
    int nID;
};

struct PopupDef
{
    const char* text;
    std::vector<MenuItemDef> items;
};

// A toolbar slot: a separator when nID is 0. `themeIcon` names the desktop theme's picture
// where one fits; `icon` is our own resource, used when the theme has none.
struct ToolbarSlotDef
{
    int nID;
    const char* icon;
    const char* themeIcon;
};

const std::vector<PopupDef>& MainMenu();
const std::vector<ToolbarSlotDef>& MainToolbar();

// The main menu's text for command `nID` (the first item that has it), or null.
const char* MainMenuText(int nID);
