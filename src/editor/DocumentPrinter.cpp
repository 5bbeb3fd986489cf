#include "DocumentPrinter.h"

#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QMarginsF>
#include <QPageLayout>

void CDocumentPrinter::PrepareLayout(QsciPrinter& printer)
{
    printer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                     kMarginMillimetres),
                           QPageLayout::Millimeter);
    printer.setWrapMode(QsciScintilla::WrapWord);
}

bool CDocumentPrinter::PrintTo(QsciPrinter& printer) const
{
    PrepareLayout(printer);
    return printer.printRange(m_pEditor) > 0;
}
