// Owning pointers for libxml2 and libxslt objects, each freed by its own function.
#pragma once

#include <memory>

template <typename T, void (*Free)(T*)>
struct SXmlFree
{
    void operator()(T* p) const
    {
        if (p)
            Free(p);
    }
};

template <typename T, void (*Free)(T*)>
using TXmlPtr = std::unique_ptr<T, SXmlFree<T, Free>>;
