#include "DocumentPrinter.h"

#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include <QMarginsF>
#include <QPageLayout>

bool CDocumentPrinter::PrintTo(QsciPrinter& printer) const
{
    printer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                     kMarginMillimetres),
                           QPageLayout::Millimeter);
    printer.setWrapMode(QsciScintilla::WrapWord);
    return printer.printRange(m_pEditor) > 0;
}
