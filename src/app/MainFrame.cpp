#include "MainFrame.h"

#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "DocumentFile.h"
#include "FramePrinting.h"
#include "GoToLineDlg.h"
#include "LeftView.h"
#include "MenuEscapeKeeper.h"
#include "MessageBox.h"
#include "PaneActivator.h"
#include "ProblemListPane.h"
#include "Profile.h"
#include "QtMenu.h"
#include "RecentFileList.h"
#include "SettingsKeys.h"
#include "StatusPanes.h"
#include "StringTable.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "ToolsCommands.h"
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

#include <algorithm>

// The pictures live in this static library; the linker keeps them only when asked for.
static void InitPictures()
{
    Q_INIT_RESOURCE(tarnel);
}

namespace {

constexpr int kTreePaneWidth = 200;
constexpr int kIndicatorIntervalMs = 250;

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
        this, MainCommands(), [this](int nID, CCmdUI* pCmdUI) { return OnCmdMsg(nID, pCmdUI); });
    OnCreate();
    OnCreateClient();
    CreateMenus();
    new CMenuEscapeKeeper(menuBar());
    m_pActions->CreateShortcuts();
    m_pEditView->LeaveKeysToWindow(m_pActions->WindowKeys());
    RegisterCommands();
    connect(m_pDocument, &CTarnelDoc::documentChanged, this, &CMainFrame::UpdateCaption);
    // Command states follow what can change them; menus and keys ask the route again anyway.
    const auto schedule = [this] { m_pActions->ScheduleUpdate(); };
    connect(m_pDocument, &CTarnelDoc::documentChanged, this, schedule);
    connect(qApp, &QApplication::focusChanged, this, schedule);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, schedule);
    connect(m_pEditView, &QsciScintilla::selectionChanged, this, schedule);
    connect(m_pEditView, &QsciScintilla::textChanged, this, schedule);
    m_pIndicatorTimer = new QTimer(this);
    connect(m_pIndicatorTimer, &QTimer::timeout, this,
            [this] { m_pStatusPanes->UpdateIndicators(); });
    m_pIndicatorTimer->start(kIndicatorIntervalMs);
    UpdateCaption();
}

void CMainFrame::RegisterCommands()
{
    OnCommand(ID_VIEW_FOCUS_EDITOR, [this] { m_pDocument->ActivateEditor(); });
    OnCommand(ID_TAG_INSERT_BLOCK, [this] { m_pDocument->InsertElement(true); });
    OnCommand(ID_VIEW_FOCUS_TREE, [this] { m_pDocument->FocusTree(); });
    OnCommand(ID_FILE_LOAD_TEMPLATE, [this] { m_pDocument->LoadTemplate(QString()); });
    OnCommand(ID_TOOLS_LIGHT_CHECK, [this] { m_pDocument->CheckWellFormed(); });
    OnCommand(
        ID_VIEW_TREE_FOLLOWS_CARET,
        [this] {
            const bool bOn = !m_pLeftView->FollowsCaret();
            m_pEditView->Completion().SetEnabled(
                GetProfileInt(SettingsKeys::kSection, SettingsKeys::kCompleteNames, 1) != 0);
            m_pLeftView->SetFollowCaret(bOn);
            WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kTreeFollowsCaret, bOn ? 1 : 0);
        },
        [this](CCmdUI& ui) { ui.SetCheck(m_pLeftView->FollowsCaret() ? 1 : 0); });
    OnCommand(
        ID_VIEW_COMPLETE_NAMES,
        [this] {
            CNameCompletion& completion = m_pEditView->Completion();
            completion.SetEnabled(!completion.Enabled());
            WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kCompleteNames,
                            completion.Enabled() ? 1 : 0);
        },
        [this](CCmdUI& ui) { ui.SetCheck(m_pEditView->Completion().Enabled() ? 1 : 0); });
    OnCommand(ID_EDIT_GOTO_LINE, [this] {
        CGoToLineDlg dialog(this);
        dialog.m_nLastLine = std::max(m_pEditView->lines() - 1, 0);
        if (dialog.DoModal() == IDOK)
            m_pDocument->GoToLine(dialog.m_nLine);
    });
    OnCommandRange(
        ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR,
        [this](int nID) { Bar(nID)->setVisible(!Bar(nID)->isVisible()); },
        [this](CCmdUI& ui) { ui.SetCheck(Bar(ui.m_nID)->isVisibleTo(this) ? 1 : 0); });
    // With two panes, next and previous both lead to the other one.
    OnCommandRange(ID_NEXT_PANE, ID_PREV_PANE, [this](int) {
        SetActiveView(m_pActiveView == m_pLeftView ? static_cast<QWidget*>(m_pEditView)
                                                   : m_pLeftView);
    });
    OnCommand(ID_FILE_PRINT, [this] { m_pPrinting->Print(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { PrintDirect(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { m_pPrinting->Preview(); });
}

QWidget* CMainFrame::Bar(int nID) const
{
    return nID == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(m_pToolBar) : statusBar();
}

CMainFrame::~CMainFrame()
{
    // Tearing down the widgets moves the focus; the route must not run on a half-destroyed frame.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_pEditView, nullptr, this, nullptr);
    disconnect(m_pDocument, nullptr, this, nullptr);
    m_pIndicatorTimer->stop();
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
    m_pActions->FillToolBar(m_pToolBar);
    for (QAction* action : m_pToolBar->actions()) {
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
    // The error list sits below the editor, shown while it holds errors.
    auto* pEditorColumn = new QSplitter(Qt::Vertical, m_pSplitter);
    pEditorColumn->addWidget(m_pEditView);
    m_pProblemList = new CProblemListPane(pEditorColumn);
    pEditorColumn->addWidget(m_pProblemList);
    pEditorColumn->setStretchFactor(0, 1);
    pEditorColumn->setSizes({450, 120});
    pEditorColumn->setChildrenCollapsible(false);
    m_pProblemList->hide();
    m_pTools = std::make_unique<CToolsCommands>(*m_pEditView, *m_pDocument, *m_pProblemList);
    m_pSplitter->addWidget(pEditorColumn);
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({kTreePaneWidth, 600});
    setCentralWidget(m_pSplitter);
    auto* activator = new CPaneActivator(this, this);
    activator->Watch(m_pLeftView);
    activator->Watch(m_pEditView);
    m_pEditView->SetZoom(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, 0));
    m_pViewOptions = std::make_unique<CViewOptions>(*m_pEditView);
    m_pViewOptions->Restore();
    m_pLeftView->SetFollowCaret(
        GetProfileInt(SettingsKeys::kSection, SettingsKeys::kTreeFollowsCaret, 1) != 0);
    connect(m_pEditView, &CTarnelView::caretMoved, this, [this] {
        const auto [nLine, nColumn] = m_pEditView->CaretLineColumn();
        m_pStatusPanes->ShowCaretPosition(nLine, nColumn);
        const QStringList steps = m_pEditView->Path().StepsAtCaret();
        m_pStatusPanes->ShowElementPath(steps);
        m_pLeftView->FollowCaret(steps, m_pDocument->TemplateGrammar());
    });
    connect(m_pDocument, &CTarnelDoc::templateChanged, this, [this] {
        m_pLeftView->FollowCaret(m_pEditView->Path().StepsAtCaret(),
                                 m_pDocument->TemplateGrammar());
    });
    m_pStatusPanes->OnPathStepClicked([this](int nStep) { m_pEditView->Path().SelectStep(nStep); });
    connect(m_pEditView, &CTarnelView::zoomChanged, this, [](int nZoom) {
        WriteProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, nZoom);
    });
}

void CMainFrame::CreateMenus()
{
    for (QMenu* menu : m_pActions->CreateMenus(menuBar())) {
        const QList<QAction*> items = menu->actions();
        const int nRecent = items.indexOf(m_pActions->Action(ID_FILE_MRU_FILE1));
        if (nRecent >= 0 && nRecent + 1 < items.size())
            m_pRecentFilesEnd = items.at(nRecent + 1);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            OnInitMenu();
            if (menu->actions().contains(m_pRecentFilesEnd))
                FillRecentFiles(menu);
            UpdateCommandStates();
        });
    }
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
        placeholder->setText(CCommandActions::MenuText(*m_pActions->Find(ID_FILE_MRU_FILE1)));
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
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    if (m_pViewOptions && m_pViewOptions->OnCmdMsg(nID, pCmdUI))
        return true;
    if (m_pTools && m_pTools->OnCmdMsg(nID, pCmdUI))
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

bool CMainFrame::PrintDirect()
{
    return m_pPrinting->PrintDirect();
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
    // Qt shows "[*]" as "*" while the window is marked modified, and as nothing otherwise.
    QString strName = m_pDocument->GetTitle() + QStringLiteral("[*]");
    const QString path = m_pDocument->GetPathName();
    if (!path.isEmpty() && IsWriteProtected(path))
        strName += QStringLiteral(" [read-only]");
    setWindowTitle(strName + QStringLiteral(" - ") + LoadString(AFX_IDS_APP_TITLE));
    setWindowModified(m_pDocument->IsModified());
}
