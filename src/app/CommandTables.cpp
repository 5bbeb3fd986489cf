#include "CommandTables.h"

#include "CommandIds.h"

namespace {

constexpr MenuItemDef kSeparator = {nullptr, 0};

}  // namespace

const std::vector<PopupDef>& MainMenu()
{
    static const std::vector<PopupDef> menu = {
        {"&File",
         {{"&New\tCtrl+N", ID_FILE_NEW},
          {"&Open...\tCtrl+O", ID_FILE_OPEN},
          {"&Save\tCtrl+S", ID_FILE_SAVE},
          {"Save &As...", ID_FILE_SAVE_AS},
          kSeparator,
          {"Load&Template", ID_FILE_LOAD_TEMPLATE},
          kSeparator,
          {"&Print...\tCtrl+P", ID_FILE_PRINT},
          {"Print Pre&view", ID_FILE_PRINT_PREVIEW},
          {"P&rint Setup...", ID_FILE_PRINT_SETUP},
          kSeparator,
          {"Recent File", ID_FILE_MRU_FILE1},
          kSeparator,
          {"E&xit", ID_APP_EXIT}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", ID_EDIT_UNDO},
          kSeparator,
          {"Cu&t\tCtrl+X", ID_EDIT_CUT},
          {"&Copy\tCtrl+C", ID_EDIT_COPY},
          {"&Paste\tCtrl+V", ID_EDIT_PASTE},
          {"Paste &Special...", ID_EDIT_PASTE_SPECIAL},
          {"Select A&ll\tCtrl+A", ID_EDIT_SELECT_ALL},
          kSeparator,
          {"&Find...\tCtrl+F", ID_EDIT_FIND},
          {"F&ind Next\tF3", ID_EDIT_REPEAT},
          {"R&eplace\tCtrl+H", ID_EDIT_REPLACE},
          kSeparator,
          {"&GoTo\tCtrl+G", ID_EDIT_GOTO_LINE}}},
        {"&View",
         {{"&Toolbar", ID_VIEW_TOOLBAR},
          {"&Status Bar", ID_VIEW_STATUS_BAR},
          kSeparator,
          {"Line &Numbers", ID_VIEW_LINE_NUMBERS},
          {"Colour as &You Type", ID_VIEW_COLOUR_AS_YOU_TYPE},
          {"&Word Wrap", ID_VIEW_WORD_WRAP},
          kSeparator,
          // The editor takes these keys itself, in every keyboard layout's way of typing them.
          {"Zoom &In\tCtrl++", ID_VIEW_ZOOM_IN},
          {"Zoom &Out\tCtrl+-", ID_VIEW_ZOOM_OUT},
          {"&Reset Zoom\tCtrl+0", ID_VIEW_ZOOM_RESET}}},
        {"T&ools",
         {{"X&SLT transformation\tF9", ID_TOOLS_XSLT},
          {"&Browser view\tF3", ID_TOOLS_BROWSER_VIEW},
          {"&Light checkings\tF5", ID_TOOLS_LIGHT_CHECK},
          {"&Hard checkings\tF6", ID_TOOLS_HARD_CHECK}}},
        {"&Help", {{"&About Tarnel...", ID_APP_ABOUT}}},
    };
    return menu;
}

const std::vector<ToolbarSlotDef>& MainToolbar()
{
    static const std::vector<ToolbarSlotDef> toolbar = {
        {ID_FILE_NEW, ":/toolbar/new.svg", "document-new"},
        {ID_FILE_OPEN, ":/toolbar/open.svg", "document-open"},
        {ID_FILE_SAVE, ":/toolbar/save.svg", "document-save"},
        {0, nullptr, nullptr},
        {ID_VIEW_RECOLOR, ":/toolbar/recolor.svg", nullptr},
        {0, nullptr, nullptr},
        {ID_EDIT_CUT, ":/toolbar/cut.svg", "edit-cut"},
        {ID_EDIT_COPY, ":/toolbar/copy.svg", "edit-copy"},
        {ID_EDIT_PASTE, ":/toolbar/paste.svg", "edit-paste"},
        {0, nullptr, nullptr},
        {ID_FILE_PRINT, ":/toolbar/print.svg", "document-print"},
        {0, nullptr, nullptr},
        {ID_APP_ABOUT, ":/toolbar/about.svg", nullptr},
        {0, nullptr, nullptr},
        {ID_TAG_INSERT_INLINE, ":/toolbar/insert_inline.svg", nullptr},
        {ID_TAG_INSERT_BLOCK, ":/toolbar/insert_block.svg", nullptr},
        {ID_TAG_INSERT_COMMENT, ":/toolbar/insert_comment.svg", nullptr},
        {0, nullptr, nullptr},
        {ID_TOOLS_BUTTON_B, ":/toolbar/button_b.svg", nullptr},
        {ID_TOOLS_LIGHT_CHECK, ":/toolbar/light_check.svg", nullptr},
    };
    return toolbar;
}

const char* MainMenuText(int nID)
{
    for (const PopupDef& popup : MainMenu()) {
        for (const MenuItemDef& item : popup.items) {
            if (item.text && item.nID == nID)
                return item.text;
        }
    }
    return nullptr;
}
