#include "PrintPreviewDlg.h"

#include "PreviewPane.h"

#include <QActionGroup>
#include <QElapsedTimer>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

CPrintPreviewDlg::CPrintPreviewDlg(QsciScintillaBase* pEditor, const QPrinter& printer,
                                   int nPagesShown, QWidget* pParent)
    : QDialog(pParent), m_renderer(pEditor, printer), m_nPagesShown(nPagesShown == 2 ? 2 : 1)
{
    setWindowTitle(QStringLiteral("Print Preview"));
    m_pIndex = std::make_unique<CPageIndex>(
        m_renderer.TextLength(), [this](long long from) { return m_renderer.Measure(from); });
    m_pIndex->Extend(m_nPagesShown);
    m_pPane = new CPreviewPane(m_renderer.SheetSize(), [this](int nPage) {
        return m_renderer.Render(m_pIndex->Start(nPage), m_pIndex->End(nPage));
    });
    m_pScroll = new QScrollArea(this);
    m_pScroll->setWidget(m_pPane);
    m_pScroll->setAlignment(Qt::AlignCenter);
    m_pScroll->setBackgroundRole(QPalette::Dark);
    m_pScroll->viewport()->installEventFilter(this);
    m_pScroll->installEventFilter(this);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, 100);
    m_pStopButton = new QPushButton(QStringLiteral("&Stop counting"), this);
    connect(m_pStopButton, &QPushButton::clicked, this, &CPrintPreviewDlg::StopCounting);
    auto* pStatus = new QHBoxLayout;
    pStatus->addWidget(m_pProgress, 1);
    pStatus->addWidget(m_pStopButton);

    auto* pLayout = new QVBoxLayout(this);
    CreateToolBar();
    pLayout->setMenuBar(findChild<QToolBar*>());
    pLayout->addWidget(m_pScroll, 1);
    pLayout->addLayout(pStatus);
    resize(900, 750);

    m_pCounter = new QTimer(this);
    connect(m_pCounter, &QTimer::timeout, this, &CPrintPreviewDlg::CountSomePages);
    m_pCounter->start(0);
    GoToPage(0);
}

CPrintPreviewDlg::~CPrintPreviewDlg() = default;

void CPrintPreviewDlg::CreateToolBar()
{
    auto* pBar = new QToolBar(this);
    pBar->addAction(QStringLiteral("First"), this, [this] { GoToPage(0); });
    pBar->addAction(QStringLiteral("Previous"), this,
                    [this] { GoToPage(CurrentPage() - m_nPagesShown); });
    m_pPageBox = new QSpinBox(pBar);
    m_pPageBox->setMinimum(1);
    connect(m_pPageBox, &QSpinBox::editingFinished, this,
            [this] { GoToPage(m_pPageBox->value() - 1); });
    pBar->addWidget(m_pPageBox);
    m_pCountLabel = new QLabel(pBar);
    pBar->addWidget(m_pCountLabel);
    pBar->addAction(QStringLiteral("Next"), this,
                    [this] { GoToPage(CurrentPage() + m_nPagesShown); });
    pBar->addAction(QStringLiteral("Last"), this, [this] {
        CountAllPages();
        GoToPage(m_pIndex->KnownPages() - 1);
    });
    pBar->addSeparator();
    auto* pGroup = new QActionGroup(pBar);
    m_pOnePage = pBar->addAction(QStringLiteral("One page"), this, [this] { SetPagesShown(1); });
    m_pTwoPages = pBar->addAction(QStringLiteral("Two pages"), this, [this] { SetPagesShown(2); });
    for (QAction* pAction : {m_pOnePage, m_pTwoPages}) {
        pAction->setCheckable(true);
        pGroup->addAction(pAction);
    }
    (m_nPagesShown == 2 ? m_pTwoPages : m_pOnePage)->setChecked(true);
    pBar->addSeparator();
    pBar->addAction(QStringLiteral("Fit width"), this, [this] { Fit(true); });
    pBar->addAction(QStringLiteral("Fit page"), this, [this] { Fit(false); });
    pBar->addAction(QStringLiteral("Zoom in"), this, [this] { Zoom(1.25); });
    pBar->addAction(QStringLiteral("Zoom out"), this, [this] { Zoom(1 / 1.25); });
    pBar->addSeparator();
    pBar->addAction(QStringLiteral("&Print..."), this, &CPrintPreviewDlg::RequestPrint);
    pBar->addAction(QStringLiteral("&Close"), this, &QDialog::reject);
}

void CPrintPreviewDlg::CountSomePages()
{
    // A slice at a time: the window keeps painting and Stop answers at once.
    QElapsedTimer slice;
    slice.start();
    while (!m_pIndex->IsComplete() && slice.elapsed() < kCountingSliceMs)
        m_pIndex->Extend(1);
    if (m_pIndex->IsComplete())
        m_pCounter->stop();
    UpdateControls();
}

void CPrintPreviewDlg::CountAllPages()
{
    while (m_pIndex->Extend(64)) {
    }
    m_pCounter->stop();
    m_bStopped = false;
    UpdateControls();
}

void CPrintPreviewDlg::StopCounting()
{
    m_pCounter->stop();
    m_bStopped = !m_pIndex->IsComplete();
    UpdateControls();
}

void CPrintPreviewDlg::UpdateControls()
{
    const int nKnown = m_pIndex->KnownPages();
    const bool bCounting = m_pCounter->isActive();
    m_pPageBox->setMaximum(std::max(nKnown, 1));
    if (m_pIndex->IsComplete())
        m_pCountLabel->setText(QStringLiteral(" of %1 ").arg(nKnown));
    else if (m_bStopped)
        m_pCountLabel->setText(QStringLiteral(" of %1 counted ").arg(nKnown));
    else
        m_pCountLabel->setText(QStringLiteral(" of %1 so far ").arg(nKnown));
    const long long nLength = std::max(m_renderer.TextLength(), 1LL);
    const long long nDone =
        m_pIndex->IsComplete() ? nLength : m_pIndex->End(std::max(nKnown - 1, 0));
    m_pProgress->setValue(static_cast<int>(100 * nDone / nLength));
    m_pProgress->setVisible(bCounting);
    m_pStopButton->setVisible(bCounting);
    m_pPane->ShowPages(m_pPane->FirstPage(), m_nPagesShown, nKnown);
}

void CPrintPreviewDlg::GoToPage(int nPage)
{
    // Pages past those counted are counted now: they are only as far as the user asks.
    while (nPage >= m_pIndex->KnownPages() && m_pIndex->Extend(1)) {
    }
    const int nLast = std::max(m_pIndex->KnownPages() - 1, 0);
    nPage = std::clamp(nPage, 0, nLast);
    if (m_nPagesShown == 2)
        nPage -= nPage % 2;
    m_pPane->ShowPages(nPage, m_nPagesShown, m_pIndex->KnownPages());
    m_pPageBox->setValue(nPage + 1);
    UpdateControls();
}

void CPrintPreviewDlg::RequestPrint()
{
    m_bPrintRequested = true;
    accept();
}

int CPrintPreviewDlg::CurrentPage() const
{
    return m_pPane->FirstPage();
}

void CPrintPreviewDlg::SetPagesShown(int nPages)
{
    m_nPagesShown = nPages;
    GoToPage(CurrentPage());
    Fit(m_bFitWidth);
}

void CPrintPreviewDlg::Fit(bool bWidthOnly)
{
    m_bFitWidth = bWidthOnly;
    m_bFitting = true;
    m_pPane->SetScale(m_pPane->FitScale(m_pScroll->viewport()->size(), bWidthOnly));
}

void CPrintPreviewDlg::Zoom(double factor)
{
    m_bFitting = false;
    m_pPane->SetScale(m_pPane->Scale() * factor);
}

bool CPrintPreviewDlg::TurnPages(const QKeyEvent* pEvent)
{
    if (pEvent->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (pEvent->key()) {
    case Qt::Key_PageDown:
        GoToPage(CurrentPage() + m_nPagesShown);
        return true;
    case Qt::Key_PageUp:
        GoToPage(CurrentPage() - m_nPagesShown);
        return true;
    case Qt::Key_Home:
        GoToPage(0);
        return true;
    case Qt::Key_End:
        CountAllPages();
        GoToPage(m_pIndex->KnownPages() - 1);
        return true;
    default:
        return false;
    }
}

void CPrintPreviewDlg::keyPressEvent(QKeyEvent* pEvent)
{
    if (!TurnPages(pEvent))
        QDialog::keyPressEvent(pEvent);
}

bool CPrintPreviewDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // The viewport's own size is known only once the layout has placed it.
    if (pWatched == m_pScroll->viewport() && pEvent->type() == QEvent::Resize && m_bFitting)
        Fit(m_bFitWidth);
    // The scroll area would take these keys to scroll by a screen.
    if (pWatched == m_pScroll && pEvent->type() == QEvent::KeyPress
        && TurnPages(static_cast<QKeyEvent*>(pEvent)))
        return true;
    return QDialog::eventFilter(pWatched, pEvent);
}
