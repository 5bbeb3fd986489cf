// The main window's accelerator table, as data: the window binds it and the editor leaves
// these keys to the window.
#pragma once

#include <vector>

// Key names as QKeySequence reads them in portable text ("Ctrl+Z", "Alt+Backspace").
struct AcceleratorDef
{
    const char* key;
    int nID;
};

const std::vector<AcceleratorDef>& MainAccelerators();
