// Colours the editor's text: the markup scanner's styles set in bulk, never in the undo history
// and never moving the selection.
#pragma once

#include "StyleBuffer.h"

#include <QByteArray>

#include <cstddef>

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

    void ApplyStyles(long long start, const char* styles, std::size_t length);
    // Turns [start, end) into the tail style, keeping each byte's bold state.
    void ApplyTailStyle(long long start, long long end);

private:
    CStyleBuffer MakeStyleBuffer();

    CTarnelView& m_view;
};
