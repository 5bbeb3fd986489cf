// Makes a pane the frame's active view when the user enters it: a click into it, or the
// keyboard focus arriving by Tab or Shift+Tab. Focus moved by a command (Alt+1) leaves the
// active view alone.
#pragma once

#include <QObject>

class IViewFrame;
class QWidget;

class CPaneActivator : public QObject
{
    Q_OBJECT
public:
    CPaneActivator(IViewFrame* pFrame, QObject* parent);

    void Watch(QWidget* pPane);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Activate(QWidget* pPane);

    IViewFrame* m_pFrame;
};
