// What colouring needs of a styled text: its bytes, its styles and a way to set them.
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
    // Copies the styles of [position, position + count), which must lie in the text; a text
    // that can hand them out in bulk does it faster.
    virtual void ReadStyles(long long position, char* styles, std::size_t count) const
    {
        for (std::size_t i = 0; i < count; ++i)
            styles[i] = static_cast<char>(StyleAt(position + static_cast<long long>(i)));
    }
};
