// One QAction per command id, created once and shared by menus, toolbar and keys.
// Triggering an action routes its id; its enabled and checked state comes from the same
// route (no handler anywhere: disabled).
#pragma once

#include "CmdUI.h"

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

    // Gives `nID` the keys of every accelerator entry bound to it.
    void AddShortcut(int nID, const QString& key);

    // Asks the route for the state of one action, or of all of them.
    void UpdateAction(int nID);
    void UpdateAll();

private:
    QWidget* m_pOwner;
    Router m_router;
    std::map<int, QAction*> m_actions;
};
