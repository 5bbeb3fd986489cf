// Print preview that shows the first pages at once and counts the rest a few at a time, with
// a Stop button, so a long text neither freezes the window nor fills the memory.
#pragma once

#include "PageIndex.h"
#include "PageRenderer.h"

#include <QDialog>

#include <memory>

class CPreviewPane;
class QAction;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QsciScintillaBase;

class CPrintPreviewDlg : public QDialog
{
    Q_OBJECT
public:
    // `nPagesShown`: 1 or 2 sheets side by side.
    CPrintPreviewDlg(QsciScintillaBase* pEditor, const QPrinter& printer, int nPagesShown,
                     QWidget* pParent = nullptr);
    ~CPrintPreviewDlg() override;

    int PagesShown() const { return m_nPagesShown; }
    // True when closed with Print: the caller then prints as File > Print does.
    bool PrintRequested() const { return m_bPrintRequested; }
    const CPageIndex& Index() const { return *m_pIndex; }
    // Counts every page now; for tests and for Last page.
    void CountAllPages();
    void StopCounting();
    void GoToPage(int nPage);
    // Closes the preview asking the caller to print.
    void RequestPrint();
    int CurrentPage() const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void CreateToolBar();
    void CountSomePages();
    void UpdateControls();
    void SetPagesShown(int nPages);
    void Fit(bool bWidthOnly);
    void Zoom(double factor);
    // Page Up, Page Down, Home and End turn pages wherever the focus is; false for other keys.
    bool TurnPages(const QKeyEvent* pEvent);

    static constexpr int kCountingSliceMs = 30;

    CPageRenderer m_renderer;
    std::unique_ptr<CPageIndex> m_pIndex;
    CPreviewPane* m_pPane = nullptr;
    QScrollArea* m_pScroll = nullptr;
    QSpinBox* m_pPageBox = nullptr;
    QLabel* m_pCountLabel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QPushButton* m_pStopButton = nullptr;
    QAction* m_pOnePage = nullptr;
    QAction* m_pTwoPages = nullptr;
    QTimer* m_pCounter = nullptr;
    int m_nPagesShown = 1;
    bool m_bFitWidth = false;
    // Off once the user zooms: a resize (scroll bars coming) must not undo the zoom.
    bool m_bFitting = true;
    bool m_bStopped = false;
    bool m_bPrintRequested = false;
};
