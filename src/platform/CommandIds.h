// Command, control, resource and string ids, with the numbers the program has always used.
#pragma once

// The program's own commands.
constexpr int ID_TIP_OF_THE_DAY = 105;
constexpr int ID_ESCAPE = 32768;
constexpr int ID_TAG_INSERT_INLINE = 32771;
constexpr int ID_VIEW_FOCUS_TREE = 32772;
constexpr int ID_VIEW_FOCUS_EDITOR = 32773;
constexpr int ID_TAG_INSERT_BLOCK = 32774;
constexpr int ID_FILE_LOAD_TEMPLATE = 32775;
constexpr int ID_VIEW_RECOLOR = 32778;
constexpr int ID_TAG_INSERT_COMMENT = 32779;
constexpr int ID_TOOLS_XSLT = 32780;
constexpr int ID_TOOLS_BROWSER_VIEW = 32781;
constexpr int ID_TOOLS_LIGHT_CHECK = 32782;
constexpr int ID_TOOLS_HARD_CHECK = 32783;
constexpr int ID_TOOLS_BUTTON_B = 32784;
constexpr int ID_EDIT_GOTO_LINE = 32786;
constexpr int ID_VIEW_LINE_NUMBERS = 32790;
constexpr int ID_VIEW_COLOUR_AS_YOU_TYPE = 32791;
constexpr int ID_VIEW_ZOOM_IN = 32792;
constexpr int ID_VIEW_ZOOM_OUT = 32793;
constexpr int ID_VIEW_ZOOM_RESET = 32794;
constexpr int ID_VIEW_WORD_WRAP = 32795;
// Validation and transformation: the error list, grammar and stylesheet choices, the live check.
constexpr int ID_TOOLS_NEXT_ERROR = 32950;
constexpr int ID_TOOLS_PREV_ERROR = 32951;
constexpr int ID_TOOLS_CHOOSE_SCHEMA = 32952;
constexpr int ID_TOOLS_CHOOSE_STYLESHEET = 32953;
constexpr int ID_VIEW_CHECK_AS_YOU_TYPE = 32954;
// Structure: folding, matching tags, the element path, formatting.
constexpr int ID_VIEW_FOLDING = 32900;
constexpr int ID_VIEW_FOLD = 32901;
constexpr int ID_VIEW_UNFOLD = 32902;
constexpr int ID_VIEW_FOLD_ALL = 32903;
constexpr int ID_VIEW_UNFOLD_ALL = 32904;
constexpr int ID_EDIT_GOTO_MATCH = 32905;
constexpr int ID_EDIT_SELECT_ELEMENT = 32906;
constexpr int ID_VIEW_AUTO_INDENT = 32907;
constexpr int ID_VIEW_CLOSE_START_TAGS = 32908;
constexpr int ID_EDIT_FORMAT_XML = 32909;
constexpr int ID_EDIT_JOIN_MARKUP = 32910;
// Template trees from grammars and documents.
constexpr int ID_FILE_SAVE_TEMPLATE_AS = 32970;
constexpr int ID_FILE_TEMPLATE_FROM_DOCUMENT = 32971;
constexpr int ID_FILE_PICK_TEMPLATE = 32972;
constexpr int ID_VIEW_TREE_FOLLOWS_CARET = 32973;
constexpr int ID_VIEW_COMPLETE_NAMES = 32974;

// Standard commands.
constexpr int ID_SEPARATOR = 0;
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FILE16 = 57631;
constexpr int ID_EDIT_CLEAR = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_FIND = 57636;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_PASTE_SPECIAL = 57639;
constexpr int ID_EDIT_REPEAT = 57640;
constexpr int ID_EDIT_REPLACE = 57641;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_WINDOW_SPLIT = 57653;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_FORMAT_FONT = 57696;
constexpr int ID_OLE_INSERT_NEW = 57856;
constexpr int ID_OLE_EDIT_LINKS = 57857;
constexpr int ID_OLE_EDIT_PROPERTIES = 57860;
constexpr int ID_OLE_VERB_FIRST = 57872;
constexpr int ID_OLE_VERB_LAST = 57887;
constexpr int ID_INDICATOR_EXT = 59136;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int ID_INDICATOR_OVR = 59140;
constexpr int ID_INDICATOR_REC = 59141;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Window ids.
constexpr int AFX_IDW_TOOLBAR = 59392;
constexpr int AFX_IDW_STATUS_BAR = 59393;
constexpr int AFX_IDW_PANE_FIRST = 59648;

// Resources.
constexpr int IDR_INPLACE_CONTAINER = 6;
constexpr int IDD_ABOUT = 100;
constexpr int IDB_TIP_BULB = 103;
constexpr int IDD_TIP = 104;
constexpr int IDR_MAIN_WINDOW = 128;
constexpr int IDI_DOCUMENT = 129;
constexpr int IDI_EXTRA = 130;
constexpr int IDD_GOTO_LINE = 132;

// Dialog controls.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_TIP_BULB = 1000;
constexpr int IDC_TIP_STARTUP = 1001;
constexpr int IDC_TIP_NEXT = 1002;
constexpr int IDC_TIP_TEXT = 1004;
constexpr int IDC_LINE_NUMBER = 1001;

// Strings.
constexpr int IDS_OLE_INIT_FAILED = 100;
constexpr int IDS_CREATE_OBJECT_FAILED = 102;
constexpr int IDS_TIP_MENU_TEXT = 106;
constexpr int IDS_TIP_HEADING = 107;
constexpr int IDS_TIP_FILE_ABSENT = 108;
constexpr int IDS_TIP_FILE_CORRUPT = 109;
constexpr int IDS_HELP_MENU_TEXT = 110;
// Strings of this platform's own, in a range of their own.
constexpr int IDS_CHECK_PASSED = 300;
constexpr int IDS_ALL_FILES_FILTER = 301;
constexpr int IDS_TEMPLATE_FILTER = 302;
constexpr int IDS_PRINT_FAILED = 303;
constexpr int IDS_NO_PRINTER = 304;
constexpr int IDS_TOOLBAR_TITLE = 305;
constexpr int IDS_DOCUMENT_FILTER = 306;
constexpr int IDS_PRINT_UNFINISHED = 330;
constexpr int IDS_PRINT_FILE_FAILED = 331;
constexpr int IDS_PRINT_FILE_UNFINISHED = 332;
constexpr int IDS_NO_SUCH_PRINTER = 333;
constexpr int AFX_IDS_APP_TITLE = 57344;
constexpr int AFX_IDS_IDLEMESSAGE = 57345;
constexpr int AFX_IDS_OPENFILE = 61441;
constexpr int AFX_IDS_SAVEFILE = 61442;
constexpr int AFX_IDS_UNTITLED = 61443;
constexpr int AFX_IDS_ALLFILTER = 61446;
constexpr int AFX_IDP_ASK_TO_SAVE = 61699;
constexpr int AFX_IDP_FAILED_TO_CREATE_DOC = 61700;
constexpr int AFX_IDP_UNREG_DONE = 61707;
constexpr int AFX_IDP_PARSE_INT = 61712;
constexpr int AFX_IDP_PARSE_INT_RANGE = 61714;
