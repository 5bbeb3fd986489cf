#include "MenuEscapeKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

CMenuEscapeKeeper::CMenuEscapeKeeper(QMenuBar* pBar) : QObject(pBar), m_pBar(pBar)
{
    for (QAction* pAction : pBar->actions()) {
        if (QMenu* pMenu = pAction->menu()) {
            pMenu->installEventFilter(this);
            connect(pMenu, &QMenu::aboutToShow, this, &CMenuEscapeKeeper::OnMenuShown);
        }
    }
}

void CMenuEscapeKeeper::OnMenuShown()
{
    // Moving to the next menu with the arrow keys keeps the way the first one was opened.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        m_bOpenedByMouse = true;
    else if (m_pBar && m_pBar->hasFocus())
        m_bOpenedByMouse = false;
}

bool CMenuEscapeKeeper::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Escape && m_bOpenedByMouse) {
        m_bOpenedByMouse = false;
        // Once the menu has handled its Escape, which hands the keys to the menu bar.
        QTimer::singleShot(0, this, &CMenuEscapeKeeper::LeaveMenuBar);
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void CMenuEscapeKeeper::LeaveMenuBar()
{
    // A second Escape takes the menu bar out of its keyboard mode, which gives the focus back
    // to the widget that had it.
    if (!m_pBar || !m_pBar->hasFocus() || QApplication::activePopupWidget())
        return;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(m_pBar, &escape);
}
