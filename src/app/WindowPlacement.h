// The main window's size, position and toolbar place, kept between runs: fitted onto the
// screen when first shown, and saved only by a run that showed the window.
#pragma once

#include <QMargins>
#include <QObject>

class QMainWindow;

class CWindowPlacement : public QObject
{
    Q_OBJECT
public:
    explicit CWindowPlacement(QMainWindow* pWindow);

    void Restore();
    // Does nothing while the window has never been shown: its geometry is then only a guess.
    void Save() const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void FitOntoScreen();
    QMargins Decorations() const;

    QMainWindow* m_pWindow;
    bool m_bShown = false;
};
