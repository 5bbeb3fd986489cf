// Gives the keyboard back to the pane that had it when Escape closes a menu opened with the
// mouse; Qt would leave the menu bar holding the keys, so typed letters opened menus or were lost.
#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class QMenuBar;

class CMenuEscapeKeeper : public QObject
{
    Q_OBJECT
public:
    // Watches the menus `pBar` holds now; owned by `pBar`.
    explicit CMenuEscapeKeeper(QMenuBar* pBar);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnMenuShown();
    void LeaveMenuBar();

    QPointer<QMenuBar> m_pBar;
    bool m_bOpenedByMouse = false;
};
