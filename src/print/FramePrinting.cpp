#include "FramePrinting.h"

#include "DocumentPrinter.h"
#include "MessageBox.h"
#include "PrintPreviewDlg.h"

#include <Qsci/qsciprinter.h>

#include <QPrintDialog>
#include <QProgressDialog>

#include <algorithm>
#include <utility>

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kProgressDelayMs = 500;

}  // namespace

CFramePrinting::CFramePrinting(QWidget* pParent, QsciScintilla* pEditor,
                               FinishColours finishColours)
    : m_pParent(pParent), m_pEditor(pEditor), m_fnFinishColours(std::move(finishColours)),
      m_pPrinter(std::make_unique<QsciPrinter>())
{
    CDocumentPrinter::SetDefaultMargins(*m_pPrinter);
}

CFramePrinting::~CFramePrinting() = default;

bool CFramePrinting::PrintOn(QsciPrinter& printer, const CPagePrinter::Progress& progress) const
{
    QString error;
    if (CDocumentPrinter(m_pEditor).PrintTo(printer, error, progress))
        return true;
    if (!error.isEmpty())  // empty: the user cancelled
        AfxMessageBox(error);
    return false;
}

bool CFramePrinting::ColoursReady() const
{
    return !m_pEditor || !m_fnFinishColours || m_fnFinishColours();
}

void CFramePrinting::Print()
{
    if (!ColoursReady())
        return;
    QPrintDialog dialog(m_pPrinter.get(), m_pParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Shows itself only when printing takes longer than half a second.
    QProgressDialog progress(QStringLiteral("Printing..."), QStringLiteral("Cancel"), 0,
                             kProgressSteps, m_pParent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    PrintOn(*m_pPrinter, [&progress](long long nDone, long long nLength) {
        progress.setValue(static_cast<int>(kProgressSteps * nDone / std::max(nLength, 1LL)));
        return !progress.wasCanceled();
    });
}

bool CFramePrinting::PrintDirect()
{
    return ColoursReady() && PrintOn(*m_pPrinter, {});
}

void CFramePrinting::Preview()
{
    if (!ColoursReady())
        return;
    CPrintPreviewDlg preview(m_pEditor, *m_pPrinter, m_nPreviewPages, m_pParent);
    preview.exec();
    // Kept once the user has chosen, or changed from the one-page default.
    if (m_nPreviewPages != 0 || preview.PagesShown() != 1)
        m_nPreviewPages = preview.PagesShown();
    if (preview.PrintRequested())
        Print();
}
