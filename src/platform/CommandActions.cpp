#include "CommandActions.h"

#include "StringTable.h"

#include <QAction>
#include <QShortcut>
#include <QWidget>

CCommandActions::CCommandActions(QWidget* pOwner, Router router)
    : QObject(pOwner), m_pOwner(pOwner), m_router(std::move(router))
{
}

QAction* CCommandActions::Action(int nID)
{
    const auto it = m_actions.find(nID);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(m_pOwner);
    // A blank status tip keeps the message pane empty while hovering a command that has no
    // prompt, instead of showing the idle text.
    const QString prompt = CommandPrompt(nID);
    action->setStatusTip(prompt.isEmpty() ? QStringLiteral(" ") : prompt);
    action->setToolTip(CommandTooltip(nID));
    action->setProperty("tarnelTooltip", CommandTooltip(nID));
    action->setProperty("tarnelId", nID);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, nID] { Execute(nID); });
    m_pOwner->addAction(action);
    m_actions.emplace(nID, action);
    return action;
}

void CCommandActions::AddShortcut(int nID, const QString& key)
{
    // Not the action's own shortcut: Qt turns that off with the action, and the key would then
    // fall through to the pane (Ctrl+C in the tree copies the item's name).
    const QKeySequence sequence(key, QKeySequence::PortableText);
    auto* shortcut = new QShortcut(sequence, m_pOwner);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, nID] { Execute(nID); });
    m_keys.emplace(nID, sequence);
    Action(nID);
}

QList<QKeySequence> CCommandActions::Shortcuts(int nID) const
{
    QList<QKeySequence> keys;
    const auto range = m_keys.equal_range(nID);
    for (auto it = range.first; it != range.second; ++it)
        keys << it->second;
    return keys;
}

bool CCommandActions::Execute(int nID)
{
    CCmdUI ui(nID);
    const bool bEnabled = m_router(nID, &ui) && ui.m_bEnabled;
    if (bEnabled)
        m_router(nID, nullptr);
    UpdateAll();
    return bEnabled;
}

void CCommandActions::UpdateAction(int nID)
{
    QAction* action = Action(nID);
    CCmdUI ui(nID);
    const bool handled = m_router(nID, &ui);
    action->setEnabled(handled && ui.m_bEnabled);
    if (ui.m_nCheck >= 0) {
        action->setCheckable(true);
        action->setChecked(ui.m_nCheck != 0);
    }
}

void CCommandActions::UpdateAll()
{
    for (const auto& entry : m_actions)
        UpdateAction(entry.first);
}
