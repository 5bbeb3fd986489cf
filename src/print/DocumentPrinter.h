// Prints the document's text, with its colours, within the printer's margins, whichever pane
// is active, and tells whether the printer really printed it.
#pragma once

#include "PagePrinter.h"

#include <QString>

class QPrinter;
class QsciPrinter;
class QsciScintillaBase;

class CDocumentPrinter
{
public:
    static constexpr double kMarginMillimetres = 12.7;  // half an inch

    // Half-inch margins for a new printer; Print Setup may change them afterwards.
    static void SetDefaultMargins(QPrinter& printer);

    explicit CDocumentPrinter(QsciScintillaBase* pEditor) : m_pEditor(pEditor) {}

    // Prints the whole text on `printer`, telling `progress` after each page. False when the
    // printer did not start or did not finish, `error` then saying so, naming the printer or
    // the file; or when `progress` cancelled, `error` then empty.
    bool PrintTo(QsciPrinter& printer, QString& error,
                 const CPagePrinter::Progress& progress = {}) const;

private:
    static QString Failure(const QPrinter& printer, bool bStarted);

    QsciScintillaBase* m_pEditor;
};
