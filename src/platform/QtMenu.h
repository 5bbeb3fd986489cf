// IMenu over a Qt menu bar or popup. The adapter lives as a child of the menu it wraps,
// so pointers to it stay valid exactly as long as the menu.
#pragma once

#include "MenuInterface.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class CQtMenu : public QObject, public IMenu
{
    Q_OBJECT
public:
    using ActionForId = std::function<QAction*(int nID)>;

    // The adapter of `menu` (a QMenuBar or QMenu), made on first use.
    static CQtMenu* Of(QWidget* menu, const ActionForId& actionForId);

    int GetMenuItemCount() const override;
    QString GetMenuString(int nPos) const override;
    IMenu* GetSubMenu(int nPos) override;
    void InsertMenuItem(int nPos, const QString& text, int nID) override;
    void InsertSeparator(int nPos) override;
    void AppendPopup(IMenu* pPopup, const QString& text) override;
    void DrawMenuBar() override;

    QWidget* Widget() const { return m_pMenu; }

private:
    CQtMenu(QWidget* menu, ActionForId actionForId);
    QAction* ActionAt(int nPos) const;
    void InsertAt(int nPos, QAction* action);

    QWidget* m_pMenu;
    ActionForId m_actionForId;
};
