#include "Accelerators.h"

#include "CommandIds.h"

const std::vector<AcceleratorDef>& MainAccelerators()
{
    static const std::vector<AcceleratorDef> table = {
        {"Alt+1", ID_VIEW_FOCUS_TREE},
        {"Alt+2", ID_VIEW_FOCUS_EDITOR},
        {"Ctrl+A", ID_EDIT_SELECT_ALL},
        {"Ctrl+C", ID_EDIT_COPY},
        {"Alt+C", ID_TAG_INSERT_COMMENT},
        {"Ctrl+F", ID_EDIT_FIND},
        {"Ctrl+G", ID_EDIT_GOTO_LINE},
        {"Ctrl+H", ID_EDIT_REPLACE},
        {"Ctrl+N", ID_FILE_NEW},
        {"Alt+N", ID_TAG_INSERT_BLOCK},
        {"Ctrl+O", ID_FILE_OPEN},
        {"Ctrl+P", ID_FILE_PRINT},
        {"Alt+R", ID_VIEW_RECOLOR},
        {"Ctrl+S", ID_FILE_SAVE},
        {"Alt+T", ID_TAG_INSERT_INLINE},
        {"Ctrl+V", ID_EDIT_PASTE},
        {"Alt+Backspace", ID_EDIT_UNDO},
        {"Shift+Del", ID_EDIT_CUT},
        {"Esc", ID_ESCAPE},
        {"F3", ID_EDIT_REPEAT},
        {"F5", ID_TOOLS_LIGHT_CHECK},
        {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE},
        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Shift+Ins", ID_EDIT_PASTE},
        {"Alt+Return", ID_OLE_EDIT_PROPERTIES},
        {"Ctrl+X", ID_EDIT_CUT},
        {"Ctrl+Z", ID_EDIT_UNDO},
    };
    return table;
}
