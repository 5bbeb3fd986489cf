// What re-colouring after an edit needs of a styled text.
#pragma once

#include "MarkupScanner.h"

#include <cstddef>

class IStyledText
{
public:
    virtual ~IStyledText() = default;

    virtual long long Length() const = 0;
    virtual char ByteAt(long long position) const = 0;
    virtual MarkupStyle StyleAt(long long position) const = 0;
    // Copies up to `count` bytes from `position` into `buffer`; the number copied.
    virtual std::size_t Read(long long position, char* buffer, std::size_t count) const = 0;
    virtual void SetStyles(long long start, const char* styles, std::size_t length) = 0;
};
