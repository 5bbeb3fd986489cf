// Gives text that undo or redo brings back its colours: the editor keeps no styles in its undo
// history, so what an undo or redo changed is coloured again as a whole-text pass would.
#pragma once

#include "ChangedRange.h"

#include <QObject>

#include <functional>

class CTarnelView;
class CViewColorizer;

class CUndoColorKeeper : public QObject
{
    Q_OBJECT
public:
    CUndoColorKeeper(CTarnelView& view, CViewColorizer& colorizer);

    // Runs `step`, an undo or a redo, then colours the tokens its changes touched.
    void Run(const std::function<void()>& step);

private:
    void OnBeforeChange(long long nPosition, int nType, long long nLength);

    CViewColorizer& m_colorizer;
    bool m_bRunning = false;
    CChangedRange m_changed;  // what the step changed so far
};
