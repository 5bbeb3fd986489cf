// Turns the editor control's modification notifications into the text buffer's one edit
// announcement: the only place that reads them.
#pragma once

#include "EditObserverList.h"

#include <QObject>

class QsciScintillaBase;

class CEditNotifier : public QObject
{
    Q_OBJECT
public:
    explicit CEditNotifier(QsciScintillaBase& editor);

    CEditObserverList& Observers() { return m_observers; }

private:
    void OnModified(int nPosition, int nModificationType, int nLength);

    CEditObserverList m_observers;
};
