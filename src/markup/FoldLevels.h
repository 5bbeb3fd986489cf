// Keeps every line's fold level exactly as a structure pass over the whole text would set it:
// a pass from the start after the text is set, and after each edit a pass from a checkpoint
// before it to where the new states agree with the old; both run in steps between keystrokes.
#pragma once

#include "FoldCheckpoints.h"
#include "FoldScan.h"
#include "LineLevels.h"
#include "StyledText.h"

#include <optional>

class CFoldLevels
{
public:
    CFoldLevels(const IStyledText& text, ILineLevels& lines) : m_text(text), m_lines(lines) {}

    // From the text's start, whatever the lines hold.
    void Start();
    void Stop();
    bool IsPending() const { return m_bPending; }
    // `nRemoved` bytes at `position` give way to `nInserted`; reads no byte, so it may come
    // before or after the change.
    void Edited(long long position, long long nRemoved, long long nInserted);
    // Scans up to `nBytes`; true once every level is right.
    bool Run(long long nBytes);
    void Finish();
    // The element names the passes have met since the text was set.
    const CElementNames& Names() const { return m_names; }
    // How far the running scan has read; 0 when none runs.
    long long Reached() const { return m_scan ? m_scan->End() : 0; }

    // The last checkpoint before `position` that the edits since have left right, for the
    // questions about elements: a scan from it gives what a whole pass would.
    CFoldCheckpoints::SCheckpoint CheckpointBefore(long long position) const;

private:
    const IStyledText& m_text;
    ILineLevels& m_lines;
    CFoldCheckpoints m_checkpoints;
    CElementNames m_names;
    bool m_bPending = false;
    long long m_nRestart = 0;    // where a new scan starts from, when there is none
    long long m_nMustReach = 0;  // no agreement before this
    std::optional<CFoldScan> m_scan;
};
