// The places Tab visits in an element just inserted: each empty attribute value of its start
// tag, then its content.
#pragma once

#include <string_view>
#include <vector>

// Offsets, from `nStart` (where the snippet begins in the text), of the stops in `snippet` as
// it was inserted: between the quotes of each empty value (`id=""`), then where the content
// begins (after the start tag and, in the block form, its line end). A single element has no
// content stop.
std::vector<long long> StopsOfSnippet(std::string_view snippet, long long nStart);

// The stops of the last insertion, visited in order; any other key forgets them.
class CInsertionStops
{
public:
    void Set(std::vector<long long> stops, long long nCaret);
    void Clear() { m_stops.clear(); }
    bool Active() const { return !m_stops.empty(); }
    // The next stop for a Tab with the caret at `nCaret`, or -1 when the caret has moved
    // since (the user went elsewhere) or none is left; either way then nothing is pending.
    long long Next(long long nCaret);

private:
    std::vector<long long> m_stops;  // still to visit, in order
    long long m_nCaret = -1;         // where the caret was left
};
