// The window's side of the command table: one QAction per command id, created once and shared
// by menus and toolbar, the menus and the toolbar themselves, and one window shortcut per key.
// Triggering any of them asks the route for the command's state at that moment and runs it only
// when enabled; the shown enabled and checked states come from the same route (no handler
// anywhere: disabled).
#pragma once

#include "CmdUI.h"
#include "CommandDef.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

class CCommandActions : public QObject
{
    Q_OBJECT
public:
    // Executes (pCmdUI null) or asks the state of a command; true when something handled it.
    using Router = std::function<bool(int nID, CCmdUI* pCmdUI)>;

    CCommandActions(QWidget* pOwner, const std::vector<SCommandDef>& commands, Router router);

    // The row of `nID`, or null.
    const SCommandDef* Find(int nID) const;
    // A row's menu text with its key hint.
    static QString MenuText(const SCommandDef& command);

    // The action of `nID`; made on first use with its prompt and tooltip from the table.
    QAction* Action(int nID);
    bool HasAction(int nID) const { return m_actions.count(nID) != 0; }

    // The menus in table order, each filled with its rows; separators are QActions too.
    QList<QMenu*> CreateMenus(QMenuBar* pMenuBar);
    void FillToolBar(QToolBar* pToolBar);
    // Binds every row's keys in the owner's window. A key always belongs to the window: while the
    // command is disabled it does nothing rather than reaching the pane that has the focus.
    void CreateShortcuts();
    QList<QKeySequence> Shortcuts(int nID) const;
    QList<QKeySequence> WindowKeys() const;

    // Runs `nID` when the route, asked now, has it enabled; false otherwise.
    bool Execute(int nID);

    // Asks the route for the state of one action, or of all of them.
    void UpdateAction(int nID);
    void UpdateAll();
    // UpdateAll once the events at hand are handled: a burst of signals asks once.
    void ScheduleUpdate();

private:
    void AddShortcut(int nID, const QKeySequence& sequence);

    QWidget* m_pOwner;
    const std::vector<SCommandDef>& m_commands;
    Router m_router;
    std::map<int, QAction*> m_actions;
    std::multimap<int, QKeySequence> m_keys;
    bool m_bUpdatePending = false;
};
