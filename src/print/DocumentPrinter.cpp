#include "DocumentPrinter.h"

#include "CommandIds.h"
#include "PagePrinter.h"
#include "StringTable.h"

#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>

void CDocumentPrinter::SetDefaultMargins(QPrinter& printer)
{
    printer.setPageMargins(
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
}

bool CDocumentPrinter::PrintTo(QsciPrinter& printer, QString& error,
                               const CPagePrinter::Progress& progress) const
{
    printer.setWrapMode(QsciScintilla::WrapWord);
    // QsciPrinter's own painter never asks whether it became active: a printer that cannot
    // start (no printer, an unwritable PDF file) would print nothing and report success.
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = Failure(printer, false);
        return false;
    }
    const CPagePrinter::EResult eResult = CPagePrinter(m_pEditor, printer, painter).Print(progress);
    if (eResult == CPagePrinter::EResult::Cancelled) {
        printer.abort();
        painter.end();
        error.clear();
        return false;
    }
    const bool bPrinted = eResult != CPagePrinter::EResult::Failed;
    const bool bEnded = painter.end();
    const QPrinter::PrinterState state = printer.printerState();
    if (!bPrinted || !bEnded || state == QPrinter::Error || state == QPrinter::Aborted) {
        error = Failure(printer, true);
        return false;
    }
    return true;
}

QString CDocumentPrinter::Failure(const QPrinter& printer, bool bStarted)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Qt's stand-in when there is no printer at all is a PDF printer without a file.
        if (printer.outputFileName().isEmpty())
            return LoadString(IDS_NO_PRINTER);
        return LoadString(bStarted ? IDS_PRINT_FILE_UNFINISHED : IDS_PRINT_FILE_FAILED)
            .arg(printer.outputFileName());
    }
    if (printer.printerName().isEmpty())
        return LoadString(IDS_NO_PRINTER);
    return LoadString(bStarted ? IDS_PRINT_UNFINISHED : IDS_PRINT_FAILED)
        .arg(printer.printerName());
}
