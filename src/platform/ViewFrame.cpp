#include "ViewFrame.h"

#include <QWidget>

IViewFrame* GetParentFrame(const QWidget* widget)
{
    for (QWidget* parent = widget ? widget->parentWidget() : nullptr; parent;
         parent = parent->parentWidget()) {
        if (auto* frame = dynamic_cast<IViewFrame*>(parent))
            return frame;
    }
    return nullptr;
}
