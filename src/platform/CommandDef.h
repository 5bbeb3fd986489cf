// One command as the window offers it. Menus, toolbar, the window's shortcuts and the menus' key
// hints are all made from one table of these rows, so they can never disagree.
#pragma once

struct SCommandDef
{
    int nID;
    // The top-level menu it stands in, null for none; a row with nID 0 is a separator there.
    const char* menu;
    // Menu text. Without a "\t" the first of `keys` is appended as its key hint.
    const char* label;
    // The window's shortcuts in portable text ("Ctrl+Z Alt+Backspace"), separated by spaces.
    const char* keys;
    // Status-bar prompt, then a line feed and the tooltip; null for neither.
    const char* prompt;
    // Place on the toolbar from 1, 0 for none; a gap in the numbers is a separator.
    int nToolbarSlot = 0;
    const char* picture = nullptr;       // our own resource
    const char* themePicture = nullptr;  // the desktop theme's, preferred when it has one
    // The row stands for nID..nLastID (the recent files); 0 for nID alone.
    int nLastID = 0;
};
