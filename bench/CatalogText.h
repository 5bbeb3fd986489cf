// A well-formed catalogue of about `nSize` bytes for the micro-benchmarks: elements with
// attributes, text with a reference, comments with quotes, and an SVG-like path.
#pragma once

#include <cstddef>
#include <string>

inline std::string GenerateCatalogText(std::size_t nSize)
{
    std::string text = "<?xml version=\"1.0\"?>\n<catalog>\n";
    for (int i = 0; text.size() < nSize; ++i) {
        text += "  <book id=\"b" + std::to_string(i)
                + "\" lang=\"en\">\n"
                  "    <title>A title &amp; number "
                + std::to_string(i)
                + "</title>\n"
                  "    <!-- a comment with \"quotes\" -->\n"
                  "    <path d=\"M 10 10 L 20 20 L 30 10 Z\" fill=\"none\"/>\n"
                  "  </book>\n";
    }
    return text + "</catalog>\n";
}
