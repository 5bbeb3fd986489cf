// A whole-text pass run in slices from the text's start, kept right across edits made between
// slices: the styles come out exactly as a whole pass at the start would have left them, edits
// included, since a slice starts where a pass would be outside any unfinished token.
#pragma once

#include "ColourPass.h"

#include <functional>
#include <optional>

class CSlicedPass
{
public:
    // About 3 ms of scanning and styling in the editor: a key pressed meanwhile waits no longer.
    static constexpr long long kSliceBytes = 512 * 1024;

    explicit CSlicedPass(IStyledText& text, long long nSliceBytes = kSliceBytes)
        : m_text(text), m_nSliceBytes(nSliceBytes)
    {
    }

    // From the text's start; the styles there must be untouched since the text was set.
    void Start();
    void Stop();
    bool IsPending() const { return m_bPending; }
    // Where the next slice starts: styles before it are final.
    long long Frontier();
    // One slice; true once the text is done, which ends the pass.
    bool Slice();
    // Slices until done, telling `progress` (done, total) after each; false when it asked to
    // stop, with what was coloured kept and the rest still pending.
    bool Finish(const std::function<bool(long long, long long)>& progress);
    // Colours again from the token before `position` on, as a pass over the text as it is now
    // would: the edits there are to be coloured, not left as they were typed.
    void ColourAgainFrom(long long position);
    // When `length` bytes are inserted at, or deleted from, `position`; reads no byte, so it may
    // come before or after the change.
    void Edited(long long position, long long length, bool bInsert);

private:
    IStyledText& m_text;
    long long m_nSliceBytes;
    bool m_bPending = false;
    long long m_nFrontier = 0;
    bool m_bSeekRestart = false;        // m_nFrontier lies in an edit: restart before it
    std::optional<CColourPass> m_pass;  // fed past the frontier, while no edit came between
};
