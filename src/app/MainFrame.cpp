#include "MainFrame.h"

#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandTables.h"
#include "FramePrinting.h"
#include "GoToLineDlg.h"
#include "LeftView.h"
#include "MessageBox.h"
#include "PaneActivator.h"
#include "Profile.h"
#include "QtMenu.h"
#include "RecentFileList.h"
#include "SettingsKeys.h"
#include "StatusPanes.h"
#include "StringTable.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "ViewOptions.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

// The pictures live in this static library; the linker keeps them only when asked for.
static void InitPictures()
{
    Q_INIT_RESOURCE(tarnel);
}

namespace {

constexpr int kTreePaneWidth = 200;
constexpr int kIdleIntervalMs = 250;

}  // namespace

CMainFrame::CMainFrame(CTarnelDoc* pDocument, CCmdTarget* pApplication)
    : m_pDocument(pDocument), m_pApplication(pApplication), m_helpMenu([this] {
          auto* popup = new QMenu(this);
          return std::unique_ptr<IMenu>(
              CQtMenu::Of(popup, [this](int nID) { return m_pActions->Action(nID); }));
      })
{
    InitPictures();
    m_pPlacement = new CWindowPlacement(this);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarnel.svg")));
    m_pActions = new CCommandActions(
        this, [this](int nID, CCmdUI* pCmdUI) { return OnCmdMsg(nID, pCmdUI); });
    OnCreate();
    OnCreateClient();
    CreateMenus();
    CreateAccelerators();
    connect(m_pDocument, &CTarnelDoc::documentChanged, this, &CMainFrame::UpdateCaption);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateCommandStates);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateCommandStates);
    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, [this] {
        UpdateCommandStates();
        m_pStatusPanes->UpdateIndicators();
    });
    m_pIdleTimer->start(kIdleIntervalMs);
    UpdateCaption();
}

CMainFrame::~CMainFrame()
{
    // Tearing down the widgets moves the focus; the route must not run on a half-destroyed frame.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_pEditView, nullptr, this, nullptr);
    disconnect(m_pDocument, nullptr, this, nullptr);
    m_pIdleTimer->stop();
}

void CMainFrame::OnCreate()
{
    CreateToolBar();
    CreateStatusBar();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(LoadString(IDS_TOOLBAR_TITLE), this);
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setIconSize(QSize(20, 20));
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    for (const ToolbarSlotDef& slot : MainToolbar()) {
        if (slot.nID == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = m_pActions->Action(slot.nID);
        const QIcon own(QString::fromLatin1(slot.icon));
        action->setIcon(slot.themeIcon ? QIcon::fromTheme(QString::fromLatin1(slot.themeIcon), own)
                                       : own);
        m_pToolBar->addAction(action);
        if (QWidget* button = m_pToolBar->widgetForAction(action))
            button->installEventFilter(this);
    }
}

void CMainFrame::CreateStatusBar()
{
    m_pStatusPanes = std::make_unique<CStatusPanes>(statusBar());
}

void CMainFrame::OnCreateClient()
{
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pLeftView = new CLeftView(m_pDocument, m_pSplitter);
    m_pEditView = new CTarnelView(m_pDocument, m_pSplitter);
    m_pPrinting = std::make_unique<CFramePrinting>(
        this, m_pEditView, [pView = m_pEditView] { return pView->FinishColours(); });
    m_pSplitter->addWidget(m_pLeftView);
    m_pSplitter->addWidget(m_pEditView);
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({kTreePaneWidth, 600});
    setCentralWidget(m_pSplitter);
    auto* activator = new CPaneActivator(this, this);
    activator->Watch(m_pLeftView);
    activator->Watch(m_pEditView);
    connect(m_pEditView, &QsciScintilla::selectionChanged, this, &CMainFrame::UpdateCommandStates);
    m_pEditView->SetZoom(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, 0));
    m_pViewOptions = std::make_unique<CViewOptions>(*m_pEditView);
    m_pViewOptions->Restore();
    connect(m_pEditView, &QsciScintilla::cursorPositionChanged, this, [this] {
        const auto [nLine, nColumn] = m_pEditView->CaretLineColumn();
        m_pStatusPanes->ShowCaretPosition(nLine, nColumn);
    });
    connect(m_pEditView, &CTarnelView::zoomChanged, this, [](int nZoom) {
        WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, nZoom);
    });
}

void CMainFrame::CreateMenus()
{
    for (const PopupDef& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.text));
        for (const MenuItemDef& item : popup.items) {
            if (!item.text) {
                QAction* separator = menu->addSeparator();
                if (menu->actions().contains(m_pActions->Action(ID_FILE_MRU_FILE1)))
                    m_pRecentFilesEnd = separator;
                continue;
            }
            QAction* action = m_pActions->Action(item.nID);
            action->setText(QString::fromUtf8(item.text));
            menu->addAction(action);
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            OnInitMenu();
            if (menu->actions().contains(m_pRecentFilesEnd))
                FillRecentFiles(menu);
            UpdateCommandStates();
        });
    }
}

void CMainFrame::CreateAccelerators()
{
    for (const AcceleratorDef& accelerator : MainAccelerators())
        m_pActions->AddShortcut(accelerator.nID, QString::fromLatin1(accelerator.key));
}

void CMainFrame::OnInitMenu()
{
    m_helpMenu.OnInitMenu(
        *CQtMenu::Of(menuBar(), [this](int nID) { return m_pActions->Action(nID); }));
}

void CMainFrame::FillRecentFiles(QMenu* pFileMenu)
{
    for (int nID = ID_FILE_MRU_FILE1; nID <= ID_FILE_MRU_FILE16; ++nID) {
        if (m_pActions->HasAction(nID))
            pFileMenu->removeAction(m_pActions->Action(nID));
    }
    const int nCount = m_pRecentFiles ? m_pRecentFiles->GetSize() : 0;
    if (nCount == 0) {
        QAction* placeholder = m_pActions->Action(ID_FILE_MRU_FILE1);
        placeholder->setText(QString::fromLatin1(MainMenuText(ID_FILE_MRU_FILE1)));
        pFileMenu->insertAction(m_pRecentFilesEnd, placeholder);
        return;
    }
    for (int i = 0; i < nCount; ++i) {
        QAction* action = m_pActions->Action(ID_FILE_MRU_FILE1 + i);
        action->setText(m_pRecentFiles->GetDisplayName(i));
        pFileMenu->insertAction(m_pRecentFilesEnd, action);
    }
}

void CMainFrame::InitialUpdateFrame()
{
    m_pLeftView->OnInitialUpdate();
    m_pEditView->OnInitialUpdate();
    SetActiveView(m_pLeftView);
}

void CMainFrame::SetActiveView(QWidget* pView)
{
    m_pActiveView = pView;
    if (pView)
        pView->setFocus(Qt::OtherFocusReason);
    UpdateCommandStates();
}

bool CMainFrame::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    if (auto* pView = dynamic_cast<CCmdTarget*>(m_pActiveView)) {
        if (pView->OnCmdMsg(nID, pCmdUI))
            return true;
    }
    if (m_pDocument && m_pDocument->OnCmdMsg(nID, pCmdUI))
        return true;
    if (OnOwnCmdMsg(nID, pCmdUI))
        return true;
    return m_pApplication && m_pApplication->OnCmdMsg(nID, pCmdUI);
}

bool CMainFrame::SendCommand(int nID)
{
    return m_pActions->Execute(nID);
}

void CMainFrame::UpdateCommandStates()
{
    m_pActions->UpdateAll();
}

bool CMainFrame::OnOwnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    static const TCommandEntry<CMainFrame> table[] = {
        {ID_VIEW_FOCUS_EDITOR, ID_VIEW_FOCUS_EDITOR, &CMainFrame::OnFocusEditor, nullptr},
        {ID_TAG_INSERT_BLOCK, ID_TAG_INSERT_BLOCK, &CMainFrame::OnInsertBlock, nullptr},
        {ID_VIEW_FOCUS_TREE, ID_VIEW_FOCUS_TREE, &CMainFrame::OnFocusTree, nullptr},
        {ID_FILE_LOAD_TEMPLATE, ID_FILE_LOAD_TEMPLATE, &CMainFrame::OnLoadTemplate, nullptr},
        {ID_TOOLS_LIGHT_CHECK, ID_TOOLS_LIGHT_CHECK, &CMainFrame::OnLightCheck, nullptr},
        {ID_EDIT_GOTO_LINE, ID_EDIT_GOTO_LINE, &CMainFrame::OnGoToLine, nullptr},
        {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CMainFrame::OnBarCheck,
         &CMainFrame::OnUpdateControlBarMenu},
        {ID_NEXT_PANE, ID_PREV_PANE, &CMainFrame::OnNextPane, nullptr},
        {ID_FILE_PRINT, ID_FILE_PRINT, &CMainFrame::OnFilePrint, nullptr},
        {ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_DIRECT, &CMainFrame::OnFilePrintDirect, nullptr},
        {ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_PREVIEW, &CMainFrame::OnFilePrintPreview, nullptr},
    };
    return DispatchCommand(this, table, nID, pCmdUI)
           || (m_pViewOptions && m_pViewOptions->OnCmdMsg(nID, pCmdUI));
}

void CMainFrame::OnFocusEditor(int)
{
    m_pDocument->ActivateEditor();
}

void CMainFrame::OnInsertBlock(int)
{
    m_pDocument->InsertElement(true);
}

void CMainFrame::OnFocusTree(int)
{
    m_pDocument->FocusTree();
}

void CMainFrame::OnLoadTemplate(int)
{
    m_pDocument->LoadTemplate(QString());
}

void CMainFrame::OnLightCheck(int)
{
    m_pDocument->CheckWellFormed();
}

void CMainFrame::OnGoToLine(int)
{
    CGoToLineDlg dialog(this);
    if (dialog.DoModal() == IDOK)
        m_pDocument->GoToLine(dialog.m_nLine);
}

void CMainFrame::OnBarCheck(int nID)
{
    QWidget* bar = nID == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(m_pToolBar) : statusBar();
    bar->setVisible(!bar->isVisible());
}

void CMainFrame::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    QWidget* bar =
        pCmdUI->m_nID == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(m_pToolBar) : statusBar();
    pCmdUI->SetCheck(bar->isVisibleTo(this) ? 1 : 0);
}

void CMainFrame::OnNextPane(int)
{
    // With two panes, next and previous both lead to the other one.
    SetActiveView(m_pActiveView == m_pLeftView ? static_cast<QWidget*>(m_pEditView) : m_pLeftView);
}

QsciPrinter& CMainFrame::Printer() const
{
    return m_pPrinting->Printer();
}

int CMainFrame::PreviewPages() const
{
    return m_pPrinting->PreviewPages();
}

void CMainFrame::SetPreviewPages(int nPages)
{
    m_pPrinting->SetPreviewPages(nPages);
}

void CMainFrame::OnFilePrint(int)
{
    m_pPrinting->Print();
}

bool CMainFrame::PrintDirect()
{
    return m_pPrinting->PrintDirect();
}

void CMainFrame::OnFilePrintDirect(int)
{
    PrintDirect();
}

void CMainFrame::OnFilePrintPreview(int)
{
    m_pPrinting->Preview();
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    if (m_pDocument->SaveModified())
        pEvent->accept();
    else
        pEvent->ignore();
}

void CMainFrame::changeEvent(QEvent* pEvent)
{
    QMainWindow::changeEvent(pEvent);
    // Queued: a question must not open while the window is still being activated.
    if (pEvent->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, m_pDocument, &CTarnelDoc::CheckDiskChanges);
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ToolTip) {
        // The program's own commands have no tooltip; Qt would show the menu text instead.
        if (auto* button = qobject_cast<QToolButton*>(pWatched)) {
            QAction* action = button->defaultAction();
            if (action && action->property("tarnelTooltip").toString().isEmpty())
                return true;
        }
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CMainFrame::RestorePlacement()
{
    m_pPlacement->Restore();
}

void CMainFrame::SavePlacement() const
{
    m_pPlacement->Save();
}

void CMainFrame::UpdateCaption()
{
    setWindowTitle(m_pDocument->GetTitle() + QStringLiteral(" - ") + LoadString(AFX_IDS_APP_TITLE));
}
