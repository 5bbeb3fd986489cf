#include "PaneActivator.h"

#include "ViewFrame.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>
#include <QWidget>

CPaneActivator::CPaneActivator(IViewFrame* pFrame, QObject* parent)
    : QObject(parent), m_pFrame(pFrame)
{
}

void CPaneActivator::Watch(QWidget* pPane)
{
    pPane->installEventFilter(this);
    // Clicks land on a scroll area's viewport, not on the area.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(pPane))
        area->viewport()->installEventFilter(this);
}

bool CPaneActivator::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::MouseButtonPress) {
        Activate(qobject_cast<QWidget*>(pWatched));
    } else if (pEvent->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(pEvent)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            Activate(qobject_cast<QWidget*>(pWatched));
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void CPaneActivator::Activate(QWidget* pWidget)
{
    if (!pWidget)
        return;
    auto* area = qobject_cast<QAbstractScrollArea*>(pWidget->parentWidget());
    QWidget* pane = area && area->viewport() == pWidget ? area : pWidget;
    if (m_pFrame->GetActiveView() != pane)
        m_pFrame->SetActiveView(pane);
}
