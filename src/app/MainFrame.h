// The main window: menu, toolbar, status bar and the two panes; it routes every command
// through the active view, the document, itself and the application, in that order.
#pragma once

#include "CmdTarget.h"
#include "HelpMenuKeeper.h"
#include "ViewFrame.h"

#include <QMainWindow>
#include <memory>

class CCommandActions;
class CFramePrinting;
class QAction;
class CLeftView;
class CRecentFileList;
class CStatusPanes;
class CViewOptions;
class CTarnelDoc;
class CTarnelView;
class CProblemListPane;
class CToolsCommands;
class CWindowPlacement;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;
class QsciPrinter;

class CMainFrame : public QMainWindow, public IViewFrame, public CCmdTarget
{
    Q_OBJECT
public:
    // `pApplication` is the last stop of the route (may be null in tests).
    CMainFrame(CTarnelDoc* pDocument, CCmdTarget* pApplication);
    ~CMainFrame() override;

    // Runs the panes' initial update and makes the tree pane the active view.
    void InitialUpdateFrame();

    QWidget* GetActiveView() const override { return m_pActiveView; }
    void SetActiveView(QWidget* pView) override;

    // The whole route: active view, its document, this frame, the application.
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    // Routes `nID` like a menu click; false when nothing on the route handles it or it is disabled.
    bool SendCommand(int nID);
    void UpdateCommandStates();

    CLeftView* LeftView() const { return m_pLeftView; }
    CTarnelView* EditView() const { return m_pEditView; }
    CProblemListPane* ProblemList() const { return m_pProblemList; }
    CToolsCommands& Tools() const { return *m_pTools; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    CCommandActions& Actions() const { return *m_pActions; }
    QsciPrinter& Printer() const;
    void SetRecentFileList(CRecentFileList* pRecentFiles) { m_pRecentFiles = pRecentFiles; }

    int PreviewPages() const;
    void SetPreviewPages(int nPages);

    // The window's size and position and where the toolbar is docked, kept between runs by a
    // run that shows the window.
    void RestorePlacement();
    void SavePlacement() const;

    // Prints the document's text on the current printer without a dialog; false, after a
    // message, when it was not printed.
    bool PrintDirect();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void RegisterCommands();
    // The toolbar or the status bar, by its command id.
    QWidget* Bar(int nID) const;

    void OnCreate();
    void OnCreateClient();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    void OnInitMenu();
    void FillRecentFiles(QMenu* pFileMenu);
    void UpdateCaption();

    CTarnelDoc* m_pDocument;
    CCmdTarget* m_pApplication;
    CCommandActions* m_pActions = nullptr;
    QSplitter* m_pSplitter = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CLeftView* m_pLeftView = nullptr;
    CTarnelView* m_pEditView = nullptr;
    QWidget* m_pActiveView = nullptr;
    std::unique_ptr<CStatusPanes> m_pStatusPanes;
    std::unique_ptr<CViewOptions> m_pViewOptions;
    CProblemListPane* m_pProblemList = nullptr;
    std::unique_ptr<CToolsCommands> m_pTools;
    QTimer* m_pIndicatorTimer = nullptr;
    QAction* m_pRecentFilesEnd = nullptr;  // the separator below the recent files
    CRecentFileList* m_pRecentFiles = nullptr;
    std::unique_ptr<CFramePrinting> m_pPrinting;
    CWindowPlacement* m_pPlacement = nullptr;
    CHelpMenuKeeper m_helpMenu;  // destroyed before the menus it may point into
};
