#include "FramePrinting.h"

#include "DocumentPrinter.h"
#include "MessageBox.h"

#include <Qsci/qsciprinter.h>

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

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
    QPrintPreviewDialog preview(m_pPrinter.get(), m_pParent);
    // Called for the preview's pages and again, on the real printer, by its Print button.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* printer) { PrintOn(*static_cast<QsciPrinter*>(printer)); });
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    const auto initialMode = m_nPreviewPages == 2 ? QPrintPreviewWidget::FacingPagesView
                                                  : QPrintPreviewWidget::SinglePageView;
    if (pages)
        pages->setViewMode(initialMode);
    preview.exec();
    if (pages && (pages->viewMode() != initialMode || m_nPreviewPages != 0)
        && pages->viewMode() != QPrintPreviewWidget::AllPagesView)
        m_nPreviewPages = pages->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
}
