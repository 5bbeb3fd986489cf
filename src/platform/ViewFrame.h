// The main window as its panes see it: it knows which pane is the active view.
#pragma once

class QWidget;

class IViewFrame
{
public:
    virtual ~IViewFrame() = default;
    virtual QWidget* GetActiveView() const = 0;
    // Makes `view` the active view and gives it the keyboard focus.
    virtual void SetActiveView(QWidget* view) = 0;
};

// The frame that holds `widget`, found through its parents; null when there is none.
IViewFrame* GetParentFrame(const QWidget* widget);
