#include "FoldLevels.h"

#include <algorithm>
#include <climits>

void CFoldLevels::Start()
{
    m_checkpoints.Clear();
    m_names.Clear();
    m_scan.reset();
    m_bPending = true;
    m_nRestart = 0;
    m_nMustReach = LLONG_MAX;
}

void CFoldLevels::Stop()
{
    m_scan.reset();
    m_bPending = false;
}

void CFoldLevels::Edited(long long position, long long nRemoved, long long nInserted)
{
    m_checkpoints.Edited(position, nRemoved, nInserted);
    const auto moved = [&](long long offset) {
        if (offset == LLONG_MAX || offset <= position)
            return offset;
        return std::max(position, offset - nRemoved) + nInserted;
    };
    // The line starting just after the edit may hold the state of the line the edit began in.
    const long long nEditEnd = position + nInserted + 1;
    if (!m_bPending) {
        m_bPending = true;
        m_nRestart = position;
        m_nMustReach = nEditEnd;
        return;
    }
    m_nMustReach = std::max(moved(m_nMustReach), nEditEnd);
    if (!m_scan) {
        m_nRestart = std::min(m_nRestart, position);
        return;
    }
    // At the end read, a line feed after a carriage return would join a line the scan entered.
    if (position > m_scan->End()) {
        m_scan->RaiseMustReach(m_nMustReach);
        return;
    }
    // Lines past what the scan wrote hold states from before earlier edits: no agreeing there.
    m_nMustReach = std::max(m_nMustReach, moved(m_scan->End()));
    m_nRestart = std::min(position, m_scan->FreshBefore());
    m_scan.reset();
}

bool CFoldLevels::Run(long long nBytes)
{
    if (!m_bPending)
        return true;
    if (!m_scan) {
        m_scan.emplace(m_text, m_lines, m_checkpoints, m_checkpoints.Before(m_nRestart),
                       m_nMustReach);
        m_scan->SetNames(&m_names);
    }
    if (m_scan->Step(nBytes) == CFoldScan::EResult::Running)
        return false;
    Stop();
    return true;
}

void CFoldLevels::Finish()
{
    while (!Run(LLONG_MAX / 2)) {
    }
}

CFoldCheckpoints::SCheckpoint CFoldLevels::CheckpointBefore(long long position) const
{
    if (m_bPending)
        position = std::min(position, m_scan ? m_scan->FreshBefore() : m_nRestart);
    return m_checkpoints.Before(position);
}
