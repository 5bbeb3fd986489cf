// The two rules every colouring pass shares: where a pass may start again inside a text, and
// what the unfinished last token becomes.
#pragma once

#include "StyledText.h"

// Where a pass restarts, and whether the text run there may have begun earlier.
struct SRestart
{
    long long nStart = 0;
    // Set when the pass starts inside a complete text run; should the run become the unfinished
    // last token, its earlier bytes join the tail.
    bool bRunBegunBefore = false;
};

// Where a pass over `text` must start to colour from `offset` on as a whole pass would: the
// start of the token a whole pass is in at `offset`, found from the bytes alone. When
// `bStylesArePass` the styles before `offset` are a whole pass's, and inside a complete text
// run the pass may start at `offset` itself.
SRestart RestartAt(const IStyledText& text, long long offset, bool bStylesArePass);

// Where the text run holding the byte before `offset` begins, by the bytes alone.
long long TextRunStart(const IStyledText& text, long long offset);

// What a byte of the unfinished last token becomes at the end of a pass: it keeps its bold
// state (tag text and bold tail stay bold).
MarkupStyle TailStyleFor(MarkupStyle existing);

// Styles [start, end of text) as the unfinished last token.
void ApplyTail(IStyledText& text, long long start);
