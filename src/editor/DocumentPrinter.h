// Prints the document's text, with its colours, within the printer's margins, whichever pane
// is active, and tells whether the printer really printed it.
#pragma once

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

    // Prints the whole text on `printer`. False when the printer did not start or did not
    // finish; `error` then says so, naming the printer or the file.
    bool PrintTo(QsciPrinter& printer, QString& error) const;

private:
    static QString Failure(const QPrinter& printer, bool bStarted);

    QsciScintillaBase* m_pEditor;
};
