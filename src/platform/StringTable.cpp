#include "StringTable.h"

#include "CommandIds.h"

#include <unordered_map>

namespace {

// Framework prompts are "prompt\ntooltip"; the program's own commands 32768..32786 have none.
const std::unordered_map<int, const char*>& Table()
{
    static const std::unordered_map<int, const char*> table = {
        {IDS_OLE_INIT_FAILED,
         "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {IDS_CREATE_OBJECT_FAILED,
         "Failed to create object.  Make sure the object is entered in the system registry."},
        {ID_TIP_OF_THE_DAY, "Displays a Tip of the Day."},
        {IDS_TIP_MENU_TEXT, "Ti&p of the Day..."},
        {IDS_TIP_HEADING, "Did you know... about Tarnelix?"},
        {IDS_TIP_FILE_ABSENT, "Tips file does not exist in the prescribed directory"},
        {IDS_TIP_FILE_CORRUPT, "Trouble reading the tips file"},
        {IDS_HELP_MENU_TEXT, "&Help"},
        {IDR_MAIN_WINDOW, "Tarnel\n\nTarnel\n\n\nTarnel.Document\nTarnel Document"},
        {AFX_IDS_APP_TITLE, "Tarnel"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},

        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_CLOSE, "Close the active document\nClose"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
        {ID_FILE_PRINT, "Print the active document\nPrint"},
        {ID_FILE_PRINT_DIRECT, "Print the active document without asking\nQuick Print"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_CLEAR, "Erase the selection\nErase"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_FIND, "Find the specified text\nFind"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_PASTE_SPECIAL, "Insert Clipboard contents in a chosen form\nPaste Special"},
        {ID_EDIT_REPEAT, "Repeat the last action\nRepeat"},
        {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
        {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_OLE_EDIT_PROPERTIES, "Show the properties of the selected object\nProperties"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_VIEW_LINE_NUMBERS, "Show or hide the line numbers\nLine Numbers"},
        {ID_VIEW_COLOUR_AS_YOU_TYPE, "Colour the markup while you type\nColour as You Type"},
        {ID_VIEW_WORD_WRAP, "Wrap long lines at the edge of the window\nWord Wrap"},
        {ID_VIEW_ZOOM_IN, "Show the text larger\nZoom In"},
        {ID_VIEW_ZOOM_OUT, "Show the text smaller\nZoom Out"},
        {ID_VIEW_ZOOM_RESET, "Show the text at the font's own size\nReset Zoom"},

        {ID_INDICATOR_EXT, "EXT"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        {ID_INDICATOR_OVR, "OVR"},
        {ID_INDICATOR_REC, "REC"},

        {AFX_IDS_OPENFILE, "Open"},
        {AFX_IDS_SAVEFILE, "Save As"},
        {AFX_IDS_UNTITLED, "Untitled"},
        {AFX_IDS_ALLFILTER, "All Files (*.*)"},

        {IDS_CHECK_PASSED, "Everything is fine!"},
        // "*" rather than "*.*": on this platform many files have no dot in their name.
        {IDS_ALL_FILES_FILTER, "All Files (*)"},
        {IDS_TEMPLATE_FILTER, "XML Files (*.xml);;Text Files (*.txt *);;All Files (*)"},
        {IDS_PRINT_FAILED,
         "The document could not be printed on %1: the printer could not be started."},
        {IDS_PRINT_UNFINISHED, "The document may not have been printed on %1: the printer reported "
                               "an error before the last page."},
        {IDS_PRINT_FILE_FAILED,
         "The document could not be printed to %1: the file could not be created."},
        {IDS_PRINT_FILE_UNFINISHED,
         "The document could not be printed to %1: the file could not be "
         "written to the end."},
        {IDS_NO_PRINTER, "No printer is available; the document was not printed."},
        {IDS_NO_SUCH_PRINTER, "There is no printer named %1; the document was not printed."},
        {IDS_TOOLBAR_TITLE, "Toolbar"},
        {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
        {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
        {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
        {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
        {AFX_IDP_UNREG_DONE,
         "System registry entries have been removed and the INI file (if any) was deleted."},
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
    };
    return table;
}

}  // namespace

bool HasString(int nID)
{
    if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16)
        return true;
    return Table().count(nID) != 0;
}

QString LoadString(int nID)
{
    if (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_FILE16)
        return QStringLiteral("Open this document");
    const auto it = Table().find(nID);
    return it == Table().end() ? QString() : QString::fromUtf8(it->second);
}

QString CommandPrompt(int nID)
{
    return LoadString(nID).section(QLatin1Char('\n'), 0, 0);
}

QString CommandTooltip(int nID)
{
    const QString text = LoadString(nID);
    const int lineFeed = text.indexOf(QLatin1Char('\n'));
    return lineFeed < 0 ? QString() : text.mid(lineFeed + 1);
}

QString FormatString2(const QString& format, const QString& arg1, const QString& arg2)
{
    QString result;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size()
            && (format[i + 1] == QLatin1Char('1') || format[i + 1] == QLatin1Char('2'))) {
            result += format[i + 1] == QLatin1Char('1') ? arg1 : arg2;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}
