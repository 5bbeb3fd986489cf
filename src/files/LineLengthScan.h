// The length of a text's longest line, fed piece by piece as it is read: a line may run across
// pieces. Lines end at LF, CR LF or a lone CR, as the editor control ends them.
#pragma once

#include <cstddef>

class CLineLengthScan
{
public:
    void Feed(const char* data, std::size_t nLength);
    // In bytes, without the line end; valid for what was fed so far.
    long long Longest() const { return m_nLongest > m_nCurrent ? m_nLongest : m_nCurrent; }

private:
    // Adds bytes free of LF, ending the line at each CR.
    void FeedRun(const char* data, std::size_t nLength);
    void EndLine();

    long long m_nLongest = 0;
    long long m_nCurrent = 0;  // the unfinished line's length so far
};
