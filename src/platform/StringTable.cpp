#include "StringTable.h"

#include "CommandIds.h"

#include <unordered_map>

namespace {

// Commands' prompts are in the command table.
const std::unordered_map<int, const char*>& Table()
{
    static const std::unordered_map<int, const char*> table = {
        {IDS_OLE_INIT_FAILED,
         "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
        {IDS_CREATE_OBJECT_FAILED,
         "Failed to create object.  Make sure the object is entered in the system registry."},
        {IDS_TIP_MENU_TEXT, "Ti&p of the Day..."},
        {IDS_TIP_HEADING, "Did you know... about Tarnelix?"},
        {IDS_TIP_FILE_ABSENT, "Tips file does not exist in the prescribed directory"},
        {IDS_TIP_FILE_CORRUPT, "Trouble reading the tips file"},
        {IDS_HELP_MENU_TEXT, "&Help"},
        {IDR_MAIN_WINDOW, "Tarnel\n\nTarnel\n\n\nTarnel.Document\nTarnel Document"},
        {AFX_IDS_APP_TITLE, "Tarnel"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},

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
        {IDS_TEMPLATE_FILTER,
         "XML Files (*.xml);;Grammars (*.dtd *.xsd *.rng);;Text Files (*.txt *);;"
         "All Files (*)"},
        {IDS_DOCUMENT_FILTER,
         "XML files (*.xml *.xsd *.xsl *.xslt *.svg *.rng *.dtd *.xhtml *.ui *.ts *.kml *.gpx "
         "*.plist *.rss *.atom *.rdf *.wsdl *.xlf *.xliff *.qrc *.xul *.fo *.mml *.sch "
         "*.xaml *.resx *.glade);;All Files (*)"},
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

QString LoadString(int nID)
{
    const auto it = Table().find(nID);
    return it == Table().end() ? QString() : QString::fromUtf8(it->second);
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
