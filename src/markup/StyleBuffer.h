// Gathers styled runs into one byte buffer and hands them on in bulk.
#pragma once

#include "MarkupScanner.h"

#include <functional>
#include <vector>

// Gathers contiguous runs into one buffer of styles, one byte per character, so the editor can
// set them in one call per buffer instead of one per run.
class CStyleBuffer : public IStyleSink
{
public:
    using Flush = std::function<void(long long start, const char* styles, std::size_t length)>;

    // A capacity of 0 is taken as 1.
    CStyleBuffer(std::size_t capacity, Flush flush);

    void StyleRun(long long start, long long length, MarkupStyle style) override;

    // Hands on what is gathered. Also happens when a run does not continue the gathered range
    // or the buffer is full; a run longer than the capacity goes out in capacity-sized pieces.
    // Not called by the destructor: the owner flushes when the pass ends.
    void FlushPending();

private:
    std::size_t m_nCapacity;
    Flush m_flush;
    std::vector<char> m_styles;
    long long m_nStart = 0;
};
