#include "FramePrinting.h"

#include "DocumentPrinter.h"
#include "MessageBox.h"
#include "PrintPreviewDlg.h"

#include <Qsci/qsciprinter.h>

#include <QPrintDialog>

CFramePrinting::CFramePrinting(QWidget* pParent, QsciScintillaBase* pEditor)
    : m_pParent(pParent), m_pEditor(pEditor), m_pPrinter(std::make_unique<QsciPrinter>())
{
    CDocumentPrinter::SetDefaultMargins(*m_pPrinter);
}

CFramePrinting::~CFramePrinting() = default;

bool CFramePrinting::PrintOn(QsciPrinter& printer) const
{
    QString error;
    if (CDocumentPrinter(m_pEditor).PrintTo(printer, error))
        return true;
    AfxMessageBox(error);
    return false;
}

void CFramePrinting::Print()
{
    QPrintDialog dialog(m_pPrinter.get(), m_pParent);
    if (dialog.exec() == QDialog::Accepted)
        PrintOn(*m_pPrinter);
}

bool CFramePrinting::PrintDirect()
{
    return PrintOn(*m_pPrinter);
}

void CFramePrinting::Preview()
{
    CPrintPreviewDlg preview(m_pEditor, *m_pPrinter, m_nPreviewPages, m_pParent);
    preview.exec();
    // Kept once the user has chosen, or changed from the one-page default.
    if (m_nPreviewPages != 0 || preview.PagesShown() != 1)
        m_nPreviewPages = preview.PagesShown();
    if (preview.PrintRequested())
        Print();
}
