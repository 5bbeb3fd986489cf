// Colours the editor's text: the markup scanner's styles set in bulk, never in the undo history
// and never moving the selection.
#pragma once

#include "JobProgress.h"
#include "StyleBuffer.h"

#include <QByteArray>

#include <cstddef>

class CMarkupScanner;
class CStyleRollback;
class CTarnelView;

class CViewColorizer
{
public:
    static constexpr int kChunkSize = 65536;

    explicit CViewColorizer(CTarnelView& view) : m_view(view) {}

    // Colours the complete tokens of `text`, which lies at `position`; `position` ends on the
    // first byte not coloured.
    void ColorMarkup(long long& position, const QByteArray& text);
    // Colours the whole text, an unfinished last token in the tail style.
    void ColorAll();
    // As ColorAll, telling `progress` after each chunk; false when it asked to stop, with every
    // style back as it was.
    bool ColorAll(const JobProgress& progress);
    // Colours every token that holds a byte of [start, end], or touches it, as ColorAll would.
    void ColorAround(long long start, long long end);
    // Feeds `scanner` up to `nBytes` more of the text from where it ended, setting the styles of
    // the tokens it completes; at the end of the text also the tail. True once the text is done.
    bool ColorOn(CMarkupScanner& scanner, long long nBytes);
    // Just after the last ">" before `offset`, or 0: a whole-text pass is outside any tag there.
    long long RestartBefore(long long offset);

private:
    void ApplyStyles(long long start, const char* styles, std::size_t length);
    // Turns [start, end) into the tail style, keeping each byte's bold state.
    void ApplyTailStyle(long long start, long long end);

    static constexpr int kStepSize = 4096;

    CStyleBuffer MakeStyleBuffer();

    CTarnelView& m_view;
    CStyleRollback* m_pRollback = nullptr;  // set while a pass may be cancelled
};
