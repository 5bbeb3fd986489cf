// The status bar's panes: the message on the left, the element path, the caret's line and
// column and the lock-key indicators on the right.
#pragma once

#include <QString>

#include <QStringList>

#include <array>
#include <functional>

class QLabel;
class QStatusBar;

class CStatusPanes
{
public:
    // Fills `pBar`, which owns the panes.
    explicit CStatusPanes(QStatusBar* pBar);

    // Shows CAP, NUM and SCRL for the locks that are on; empty where the state is unknown.
    void UpdateIndicators();
    // "Ln <line>, Col <column>", both from 1.
    void ShowCaretPosition(long long nLine, long long nColumn);
    // "/step/step", each step a link; `onClicked` is told the index of the step clicked.
    void ShowElementPath(const QStringList& steps);
    void OnPathStepClicked(std::function<void(int)> onClicked)
    {
        m_onStepClicked = std::move(onClicked);
    }

private:
    QLabel* m_pCaretPosition = nullptr;
    QLabel* m_pElementPath = nullptr;
    std::function<void(int)> m_onStepClicked;
    std::array<QLabel*, 3> m_pIndicators = {};
};
