// One colouring pass over a styled text from a restart point, fed in steps so that it can run
// whole, in idle slices, until a token is complete or until it agrees with the old styles.
#pragma once

#include "ColourRules.h"
#include "MarkupScanner.h"
#include "StyleBuffer.h"
#include "StyledText.h"

#include <functional>
#include <vector>

class IMarkupObserver;

class CColourPass
{
public:
    static constexpr long long kChunkSize = 65536;

    CColourPass(IStyledText& text, const SRestart& from, IMarkupObserver* pObserver = nullptr);

    // Scans up to `nBytes` more, styling the tokens that complete; at the end of the text also
    // the tail. True once the text is done.
    bool Step(long long nBytes);
    // Steps until the token holding the byte at `offset` is complete, or the text is done.
    void CompleteTokenAt(long long offset);
    // Scans up to `end` and styles the tokens complete by then; no tail.
    void ColourTokensTo(long long end);
    // Styles what is gathered; a pass that stops early calls this.
    void Flush() { m_buffer.FlushPending(); }

    // Offset of the first byte of the unfinished token; everything before it is coloured.
    long long Position() const { return m_scanner.Position(); }
    long long End() const { return m_scanner.End(); }
    bool InTag() const { return m_scanner.InTag(); }
    // Where the runs go; a caller may pass them through its own sink on their way.
    IStyleSink& Styles() { return m_buffer; }
    void SetSink(IStyleSink& sink) { m_pSink = &sink; }

    // A whole pass over `text`. `progress`, when given, is told (done, total) after each chunk;
    // false from it stops the pass with every style back as it was, and ColourAll returns false.
    static bool ColourAll(IStyledText& text,
                          const std::function<bool(long long, long long)>& progress = {});
    // Colours every token that holds a byte of [start, end], or touches it, as a whole pass
    // would, whatever the styles around.
    static void ColourAround(IStyledText& text, long long start, long long end);

private:
    // Feeds up to `nBytes`; false when nothing was left to read.
    bool Feed(long long nBytes);
    void StyleTail();

    IStyledText& m_text;
    SRestart m_from;
    CStyleBuffer m_buffer;
    IStyleSink* m_pSink = &m_buffer;
    CMarkupScanner m_scanner;
    std::vector<char> m_chunk;
};
