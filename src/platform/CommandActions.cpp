#include "CommandActions.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

namespace {

QString Latin1(const char* text)
{
    return text ? QString::fromLatin1(text) : QString();
}

QStringList KeysOf(const SCommandDef& command)
{
    return Latin1(command.keys).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace

CCommandActions::CCommandActions(QWidget* pOwner, const std::vector<SCommandDef>& commands,
                                 Router router)
    : QObject(pOwner), m_pOwner(pOwner), m_commands(commands), m_router(std::move(router))
{
}

const SCommandDef* CCommandActions::Find(int nID) const
{
    for (const SCommandDef& command : m_commands) {
        if (command.nID != 0 && nID >= command.nID && nID <= std::max(command.nID, command.nLastID))
            return &command;
    }
    return nullptr;
}

QString CCommandActions::MenuText(const SCommandDef& command)
{
    const QString label = QString::fromUtf8(command.label);
    const QStringList keys = KeysOf(command);
    if (label.contains(QLatin1Char('\t')) || keys.isEmpty())
        return label;
    return label + QLatin1Char('\t') + keys.first();
}

QAction* CCommandActions::Action(int nID)
{
    const auto it = m_actions.find(nID);
    if (it != m_actions.end())
        return it->second;
    auto* action = new QAction(m_pOwner);
    const SCommandDef* command = Find(nID);
    const QString prompt = command ? Latin1(command->prompt) : QString();
    const QString tooltip = prompt.section(QLatin1Char('\n'), 1);
    // A blank status tip keeps the message pane empty while hovering a command that has no
    // prompt, instead of showing the idle text.
    const QString status = prompt.section(QLatin1Char('\n'), 0, 0);
    action->setStatusTip(status.isEmpty() ? QStringLiteral(" ") : status);
    action->setToolTip(tooltip);
    action->setProperty("tarnelTooltip", tooltip);
    action->setProperty("tarnelId", nID);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, nID] { Execute(nID); });
    m_pOwner->addAction(action);
    m_actions.emplace(nID, action);
    return action;
}

QList<QMenu*> CCommandActions::CreateMenus(QMenuBar* pMenuBar)
{
    QList<QMenu*> menus;
    std::map<QString, QMenu*> byTitle;
    for (const SCommandDef& command : m_commands) {
        if (!command.menu)
            continue;
        const QString title = QString::fromUtf8(command.menu);
        QMenu*& menu = byTitle[title];
        if (!menu)
            menus << (menu = pMenuBar->addMenu(title));
        if (command.nID == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = Action(command.nID);
        action->setText(MenuText(command));
        menu->addAction(action);
    }
    return menus;
}

void CCommandActions::FillToolBar(QToolBar* pToolBar)
{
    std::map<int, const SCommandDef*> bySlot;
    for (const SCommandDef& command : m_commands) {
        if (command.nToolbarSlot > 0)
            bySlot.emplace(command.nToolbarSlot, &command);
    }
    int nNextSlot = 1;
    for (const auto& [nSlot, command] : bySlot) {
        if (nSlot > nNextSlot && nNextSlot > 1)
            pToolBar->addSeparator();
        nNextSlot = nSlot + 1;
        QAction* action = Action(command->nID);
        const QIcon own(Latin1(command->picture));
        action->setIcon(command->themePicture ? QIcon::fromTheme(Latin1(command->themePicture), own)
                                              : own);
        pToolBar->addAction(action);
    }
}

void CCommandActions::CreateShortcuts()
{
    for (const SCommandDef& command : m_commands) {
        for (const QString& key : KeysOf(command))
            AddShortcut(command.nID, QKeySequence(key, QKeySequence::PortableText));
    }
}

void CCommandActions::AddShortcut(int nID, const QKeySequence& sequence)
{
    // Not the action's own shortcut: Qt turns that off with the action, and the key would then
    // fall through to the pane (Ctrl+C in the tree copies the item's name).
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

QList<QKeySequence> CCommandActions::WindowKeys() const
{
    QList<QKeySequence> keys;
    for (const auto& entry : m_keys)
        keys << entry.second;
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
    m_bUpdatePending = false;
    for (const auto& entry : m_actions)
        UpdateAction(entry.first);
}

void CCommandActions::ScheduleUpdate()
{
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_bUpdatePending)
            UpdateAll();
    });
}
