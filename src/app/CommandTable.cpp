#include "CommandTable.h"

#include "CommandIds.h"

namespace {

constexpr const char* kFile = "&File";
constexpr const char* kEdit = "&Edit";
constexpr const char* kView = "&View";
constexpr const char* kTools = "T&ools";
constexpr const char* kHelp = "&Help";

}  // namespace

// The program's own commands have no prompt. The Tools items show keys that belong to other
// commands; zooming keys are the editor's own, in every layout's way of typing them.
const std::vector<SCommandDef>& MainCommands()
{
    static const std::vector<SCommandDef> table = {
        // id, menu, label, keys, prompt, toolbar slot, picture, theme picture
        {ID_FILE_NEW, kFile, "&New", "Ctrl+N", "Create a new document\nNew", 1, ":/toolbar/new.svg",
         "document-new"},
        {ID_FILE_OPEN, kFile, "&Open...", "Ctrl+O", "Open an existing document\nOpen", 2,
         ":/toolbar/open.svg", "document-open"},
        {ID_FILE_SAVE, kFile, "&Save", "Ctrl+S", "Save the active document\nSave", 3,
         ":/toolbar/save.svg", "document-save"},
        {ID_FILE_SAVE_AS, kFile, "Save &As...", nullptr,
         "Save the active document with a new name\nSave As"},
        {0, kFile, nullptr, nullptr, nullptr},
        {ID_FILE_LOAD_TEMPLATE, kFile, "Load&Template", nullptr, nullptr},
        {ID_FILE_SAVE_TEMPLATE_AS, kFile, "Save Template As…", nullptr,
         "Save the template tree as a template file\nSave Template As"},
        {ID_FILE_TEMPLATE_FROM_DOCUMENT, kFile, "Template from This &Document", nullptr,
         "Make the template tree from the elements this document uses\nTemplate from Document"},
        {ID_FILE_PICK_TEMPLATE, kFile, "Pic&k Template by Document", nullptr,
         "On opening a file, load the matching template of your template folder\nPick Template"},
        {0, kFile, nullptr, nullptr, nullptr},
        {ID_FILE_PRINT, kFile, "&Print...", "Ctrl+P", "Print the active document\nPrint", 11,
         ":/toolbar/print.svg", "document-print"},
        {ID_FILE_PRINT_PREVIEW, kFile, "Print Pre&view", nullptr,
         "Display full pages\nPrint Preview"},
        {ID_FILE_PRINT_SETUP, kFile, "P&rint Setup...", nullptr,
         "Change the printer and printing options\nPrint Setup"},
        {0, kFile, nullptr, nullptr, nullptr},
        {ID_FILE_MRU_FILE1, kFile, "Recent File", nullptr, "Open this document", 0, nullptr,
         nullptr, ID_FILE_MRU_FILE16},
        {0, kFile, nullptr, nullptr, nullptr},
        {ID_APP_EXIT, kFile, "E&xit", nullptr,
         "Quit the application; prompts to save documents\nExit"},

        {ID_EDIT_UNDO, kEdit, "&Undo", "Ctrl+Z Alt+Backspace", "Undo the last action\nUndo"},
        {ID_EDIT_REDO, kEdit, "&Redo", "Ctrl+Y Ctrl+Shift+Z",
         "Redo the previously undone action\nRedo"},
        {0, kEdit, nullptr, nullptr, nullptr},
        {ID_EDIT_CUT, kEdit, "Cu&t", "Ctrl+X Shift+Del",
         "Cut the selection and put it on the Clipboard\nCut", 7, ":/toolbar/cut.svg", "edit-cut"},
        {ID_EDIT_COPY, kEdit, "&Copy", "Ctrl+C Ctrl+Ins",
         "Copy the selection and put it on the Clipboard\nCopy", 8, ":/toolbar/copy.svg",
         "edit-copy"},
        {ID_EDIT_PASTE, kEdit, "&Paste", "Ctrl+V Shift+Ins", "Insert Clipboard contents\nPaste", 9,
         ":/toolbar/paste.svg", "edit-paste"},
        {ID_EDIT_PASTE_SPECIAL, kEdit, "Paste &Special...", nullptr,
         "Insert Clipboard contents in a chosen form\nPaste Special"},
        {ID_EDIT_SELECT_ALL, kEdit, "Select A&ll", "Ctrl+A",
         "Select the entire document\nSelect All"},
        {0, kEdit, nullptr, nullptr, nullptr},
        {ID_EDIT_FIND, kEdit, "&Find...", "Ctrl+F", "Find the specified text\nFind"},
        {ID_EDIT_REPEAT, kEdit, "F&ind Next", "F3", "Repeat the last action\nRepeat"},
        {ID_EDIT_REPLACE, kEdit, "R&eplace", "Ctrl+H",
         "Replace specific text with different text\nReplace"},
        {0, kEdit, nullptr, nullptr, nullptr},
        {ID_EDIT_GOTO_LINE, kEdit, "&GoTo", "Ctrl+G", nullptr},
        {ID_EDIT_GOTO_MATCH, kEdit, "Go to &Matching Tag", "Ctrl+M",
         "Move the caret to the other tag of the element\nMatching Tag"},
        {ID_EDIT_FORMAT_XML, kEdit, "Format &XML", "Ctrl+Shift+F",
         "Indent the selected elements, or the whole text, one element per line\nFormat XML"},
        {ID_EDIT_JOIN_MARKUP, kEdit, "&Join Lines of Markup", "Ctrl+Shift+J",
         "Remove the indentation between tags of the selected elements, or the whole text\n"
         "Join Lines"},
        {ID_EDIT_SELECT_ELEMENT, kEdit, "Select E&lement", "Ctrl+Shift+M",
         "Select the element around the selection\nSelect Element"},

        {ID_VIEW_TOOLBAR, kView, "&Toolbar", nullptr, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, kView, "&Status Bar", nullptr,
         "Show or hide the status bar\nToggle StatusBar"},
        {0, kView, nullptr, nullptr, nullptr},
        {ID_VIEW_LINE_NUMBERS, kView, "Line &Numbers", nullptr,
         "Show or hide the line numbers\nLine Numbers"},
        {ID_VIEW_COLOUR_AS_YOU_TYPE, kView, "Colour as &You Type", nullptr,
         "Colour the markup while you type\nColour as You Type"},
        {ID_VIEW_WORD_WRAP, kView, "&Word Wrap", nullptr,
         "Wrap long lines at the edge of the window\nWord Wrap"},
        {ID_VIEW_CHECK_AS_YOU_TYPE, kView, "&Check as You Type", nullptr,
         "Check well-formedness while you type\nCheck as You Type"},
        {ID_VIEW_AUTO_INDENT, kView, "&Auto-indent", nullptr,
         "Indent a new line as the line before it\nAuto-indent"},
        {ID_VIEW_CLOSE_START_TAGS, kView, "Close Start Ta&gs", nullptr,
         "Add the end tag when a start tag is typed\nClose Start Tags"},
        {ID_VIEW_TREE_FOLLOWS_CARET, kView, "Tree Follows t&he Caret", nullptr,
         "Mark the template of the element at the caret\nTree Follows the Caret"},
        {ID_VIEW_COMPLETE_NAMES, kView, "Co&mplete Names", nullptr,
         "Offer element and attribute names while you type markup\nComplete Names"},
        {ID_VIEW_FOLDING, kView, "&Folding", nullptr,
         "Show the fold margin and fold elements\nFolding"},
        {ID_VIEW_FOLD, kView, "Fold &Element", "Ctrl+Alt+F",
         "Fold the element at the caret\nFold Element"},
        {ID_VIEW_UNFOLD, kView, "U&nfold Element", "Ctrl+Alt+Shift+F",
         "Unfold the element at the caret\nUnfold Element"},
        {ID_VIEW_FOLD_ALL, kView, "Fold &All", "Alt+0", "Fold every element\nFold All"},
        {ID_VIEW_UNFOLD_ALL, kView, "Unfold A&ll", "Alt+Shift+0 Alt+Shift+)",
         "Unfold every element\nUnfold All"},
        {0, kView, nullptr, nullptr, nullptr},
        {ID_VIEW_ZOOM_IN, kView, "Zoom &In\tCtrl++", nullptr, "Show the text larger\nZoom In"},
        {ID_VIEW_ZOOM_OUT, kView, "Zoom &Out\tCtrl+-", nullptr, "Show the text smaller\nZoom Out"},
        {ID_VIEW_ZOOM_RESET, kView, "&Reset Zoom\tCtrl+0", nullptr,
         "Show the text at the font's own size\nReset Zoom"},

        {ID_TOOLS_XSLT, kTools, "X&SLT transformation\tF9", "F9", nullptr},
        {ID_TOOLS_BROWSER_VIEW, kTools, "&Browser view\tF12", "F12", nullptr},
        {ID_TOOLS_LIGHT_CHECK, kTools, "&Light checkings", "F5", nullptr, 20,
         ":/toolbar/light_check.svg"},
        {ID_TOOLS_HARD_CHECK, kTools, "&Hard checkings\tF7", "F7", nullptr},
        {0, kTools, nullptr, nullptr, nullptr},
        {ID_TOOLS_NEXT_ERROR, kTools, "&Next Error", "F8",
         "Go to the next error in the list\nNext Error"},
        {ID_TOOLS_PREV_ERROR, kTools, "&Previous Error", "Shift+F8",
         "Go to the previous error in the list\nPrevious Error"},
        {ID_TOOLS_CHOOSE_SCHEMA, kTools, "Choose &Schema...", nullptr,
         "Choose the grammar Hard checkings validates this document against\nChoose Schema"},
        {ID_TOOLS_CHOOSE_STYLESHEET, kTools, "Choose S&tylesheet...", nullptr,
         "Choose the XSLT stylesheet for this document\nChoose Stylesheet"},

        {ID_APP_ABOUT, kHelp, "&About Tarnel...", nullptr,
         "Display program information, version number and copyright\nAbout", 13,
         ":/toolbar/about.svg"},

        // On the toolbar or the keys only.
        {ID_VIEW_RECOLOR, nullptr, nullptr, "Alt+R", nullptr, 5, ":/toolbar/recolor.svg"},
        {ID_TAG_INSERT_INLINE, nullptr, nullptr, "Alt+T", nullptr, 15,
         ":/toolbar/insert_inline.svg"},
        {ID_TAG_INSERT_BLOCK, nullptr, nullptr, "Alt+N", nullptr, 16, ":/toolbar/insert_block.svg"},
        {ID_TAG_INSERT_COMMENT, nullptr, nullptr, "Alt+C", nullptr, 17,
         ":/toolbar/insert_comment.svg"},
        {ID_TOOLS_BUTTON_B, nullptr, nullptr, nullptr, nullptr, 19, ":/toolbar/button_b.svg"},
        {ID_VIEW_FOCUS_TREE, nullptr, nullptr, "Alt+1", nullptr},
        {ID_VIEW_FOCUS_EDITOR, nullptr, nullptr, "Alt+2", nullptr},
        {ID_NEXT_PANE, nullptr, nullptr, "F6", "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, nullptr, nullptr, "Shift+F6",
         "Switch back to the previous window pane\nPrevious Pane"},
        {ID_ESCAPE, nullptr, nullptr, "Esc", nullptr},
        {ID_OLE_EDIT_PROPERTIES, nullptr, nullptr, "Alt+Return",
         "Show the properties of the selected object\nProperties"},
        {ID_FILE_PRINT_DIRECT, nullptr, nullptr, nullptr,
         "Print the active document without asking\nQuick Print"},
        // The Help menu gets it at run time, with the text of IDS_TIP_MENU_TEXT.
        {ID_TIP_OF_THE_DAY, nullptr, nullptr, nullptr, "Displays a Tip of the Day."},
    };
    return table;
}
