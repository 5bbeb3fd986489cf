// The status bar's panes: the message on the left, the lock-key indicators on the right.
#pragma once

#include <QString>

#include <array>

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

private:
    QLabel* m_pCaretPosition = nullptr;
    std::array<QLabel*, 3> m_pIndicators = {};
};
