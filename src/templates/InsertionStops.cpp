#include "InsertionStops.h"

std::vector<long long> StopsOfSnippet(std::string_view snippet, long long nStart)
{
    std::vector<long long> stops;
    std::size_t pos = snippet.find('<');
    if (pos == std::string_view::npos)
        return stops;
    char quote = 0;
    for (++pos; pos < snippet.size(); ++pos) {
        const char c = snippet[pos];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            if (pos + 1 < snippet.size() && snippet[pos + 1] == c && pos > 0
                && snippet[pos - 1] == '=') {
                stops.push_back(nStart + static_cast<long long>(pos) + 1);
                ++pos;  // past the closing quote
                continue;
            }
            quote = c;
        } else if (c == '>') {
            if (snippet[pos - 1] == '/')
                return stops;  // a single element: no content
            std::size_t content = pos + 1;
            if (content < snippet.size() && snippet[content] == '\n' && snippet.front() == '\n')
                ++content;  // the block form puts the content on a line of its own
            stops.push_back(nStart + static_cast<long long>(content));
            return stops;
        }
    }
    return stops;
}

void CInsertionStops::Set(std::vector<long long> stops, long long nCaret)
{
    m_stops = std::move(stops);
    m_nCaret = nCaret;
}

long long CInsertionStops::Next(long long nCaret)
{
    if (m_stops.empty() || nCaret != m_nCaret) {
        m_stops.clear();
        return -1;
    }
    const long long nStop = m_stops.front();
    m_stops.erase(m_stops.begin());
    m_nCaret = nStop;
    return nStop;
}
