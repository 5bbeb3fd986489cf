// Re-colours what an edit touched so that the styles are exactly those of a whole-text pass.
#pragma once

#include "StyledText.h"

// Works from the styles around the edit, which must be those of a whole-text pass over the text
// before the edit: it scans from the start of the token the edit begins in and stops at the
// first place past the edit where the new scan and the old styles agree on a token boundary.
class CEditRecolorer
{
public:
    explicit CEditRecolorer(IStyledText& text) : m_text(text) {}

    // [editStart, editEnd) holds the bytes just inserted; for a deletion both are where it was.
    void Recolor(long long editStart, long long editEnd);

private:
    // The offset to scan from: the start of the token `editStart` lies in, or `editStart` itself
    // inside a complete text run; -1 when the styles there are not a pass's.
    long long RestartPoint(long long editStart, bool& bInTextRun) const;
    long long StartOfRun(long long position, MarkupStyle a, MarkupStyle b) const;
    long long TagOpenerBefore(long long position) const;
    void ScanFrom(long long start, long long editEnd, bool bInTextRun);
    bool AgreesAsText(long long position) const;
    // Styles [start, length) as the unfinished last token, keeping each byte's bold state.
    void ApplyTail(long long start);

    IStyledText& m_text;
};
