#include "QtMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

CQtMenu::CQtMenu(QWidget* menu, ActionForId actionForId)
    : QObject(menu), m_pMenu(menu), m_actionForId(std::move(actionForId))
{
}

CQtMenu* CQtMenu::Of(QWidget* menu, const ActionForId& actionForId)
{
    if (auto* existing = menu->findChild<CQtMenu*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new CQtMenu(menu, actionForId);
}

QAction* CQtMenu::ActionAt(int nPos) const
{
    const QList<QAction*> actions = m_pMenu->actions();
    return nPos >= 0 && nPos < actions.size() ? actions[nPos] : nullptr;
}

int CQtMenu::GetMenuItemCount() const
{
    return static_cast<int>(m_pMenu->actions().size());
}

QString CQtMenu::GetMenuString(int nPos) const
{
    QAction* action = ActionAt(nPos);
    return action && !action->isSeparator() ? action->text() : QString();
}

IMenu* CQtMenu::GetSubMenu(int nPos)
{
    QAction* action = ActionAt(nPos);
    return action && action->menu() ? Of(action->menu(), m_actionForId) : nullptr;
}

void CQtMenu::InsertAt(int nPos, QAction* action)
{
    m_pMenu->insertAction(ActionAt(nPos), action);
}

void CQtMenu::InsertMenuItem(int nPos, const QString& text, int nID)
{
    QAction* action = m_actionForId(nID);
    action->setText(text);
    InsertAt(nPos, action);
}

void CQtMenu::InsertSeparator(int nPos)
{
    auto* separator = new QAction(m_pMenu);
    separator->setSeparator(true);
    InsertAt(nPos, separator);
}

void CQtMenu::AppendPopup(IMenu* pPopup, const QString& text)
{
    auto* popup = static_cast<CQtMenu*>(pPopup);
    auto* menu = qobject_cast<QMenu*>(popup->Widget());
    if (!menu)
        return;
    menu->setTitle(text);
    m_pMenu->addAction(menu->menuAction());
}

void CQtMenu::DrawMenuBar()
{
    m_pMenu->update();
}
