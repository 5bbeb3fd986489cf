// One QAction per command id, created once and shared by menus and toolbar, and one window
// shortcut per accelerator key. Triggering either asks the route for the command's state at that
// moment and runs it only when enabled; the shown enabled and checked states come from the same
// route (no handler anywhere: disabled).
#pragma once

#include "CmdUI.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <map>

class QAction;
class QWidget;

class CCommandActions : public QObject
{
    Q_OBJECT
public:
    // Executes (pCmdUI null) or asks the state of a command; true when something handled it.
    using Router = std::function<bool(int nID, CCmdUI* pCmdUI)>;

    CCommandActions(QWidget* pOwner, Router router);

    // The action of `nID`; made on first use with its prompt and tooltip from the string table.
    QAction* Action(int nID);
    bool HasAction(int nID) const { return m_actions.count(nID) != 0; }

    // Binds `key` to `nID` in the owner's window. The key always belongs to the window: while the
    // command is disabled it does nothing rather than reaching the pane that has the focus.
    void AddShortcut(int nID, const QString& key);
    QList<QKeySequence> Shortcuts(int nID) const;

    // Runs `nID` when the route, asked now, has it enabled; false otherwise.
    bool Execute(int nID);

    // Asks the route for the state of one action, or of all of them.
    void UpdateAction(int nID);
    void UpdateAll();

private:
    QWidget* m_pOwner;
    Router m_router;
    std::map<int, QAction*> m_actions;
    std::multimap<int, QKeySequence> m_keys;
};
