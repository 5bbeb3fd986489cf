// Re-colours what an edit touched so that the styles are exactly those of a whole-text pass.
#pragma once

#include "StyledText.h"

class CColourPass;

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
    bool AgreesAsText(long long position) const;
    // Whether the pass may stop at `position`, styling what it holds so far.
    bool StopsAt(CColourPass& pass, long long position, long long editEnd) const;

    IStyledText& m_text;
};
