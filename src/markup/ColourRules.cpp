#include "ColourRules.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kStep = 4096;
constexpr std::size_t kTailChunk = 65536;

// The last byte before `offset` that is one of `wanted` (a NUL-terminated set), or -1.
long long LastBefore(const IStyledText& text, long long offset, const char* wanted)
{
    std::vector<char> chunk(kStep);
    for (long long nTo = offset; nTo > 0;) {
        const long long nFrom = std::max<long long>(nTo - static_cast<long long>(kStep), 0);
        const std::size_t nRead =
            text.Read(nFrom, chunk.data(), static_cast<std::size_t>(nTo - nFrom));
        for (std::size_t i = nRead; i-- > 0;) {
            if (std::strchr(wanted, chunk[i]) && chunk[i] != '\0')
                return nFrom + static_cast<long long>(i);
        }
        nTo = nFrom;
    }
    return -1;
}

// The first `wanted` byte at or after `offset`, or the text's length.
long long FirstFrom(const IStyledText& text, long long offset, char wanted)
{
    std::vector<char> chunk(kStep);
    const long long nLength = text.Length();
    for (long long nFrom = offset; nFrom < nLength;) {
        const std::size_t nRead = text.Read(nFrom, chunk.data(), kStep);
        if (nRead == 0)
            break;
        if (const void* pFound = std::memchr(chunk.data(), wanted, nRead))
            return nFrom + (static_cast<const char*>(pFound) - chunk.data());
        nFrom += static_cast<long long>(nRead);
    }
    return nLength;
}

// A whole pass is in a tag from its "<" to its ">"; a "<" inside a tag opens nothing, so the tag
// holding `lastOpener` begins at the first "<" after the last ">" before it.
long long TagStartFor(const IStyledText& text, long long lastOpener)
{
    return FirstFrom(text, LastBefore(text, lastOpener, ">") + 1, '<');
}

}  // namespace

long long TextRunStart(const IStyledText& text, long long offset)
{
    // The run begins after the tag that holds the last "<": at the first ">" after that "<".
    const long long nOpener = LastBefore(text, offset, "<");
    return nOpener < 0 ? 0 : FirstFrom(text, nOpener, '>') + 1;
}

SRestart RestartAt(const IStyledText& text, long long offset, bool bStylesArePass)
{
    if (offset <= 0)
        return {};
    if (bStylesArePass && text.StyleAt(offset - 1) == STYLE_TEXT)
        return {offset, true};
    const long long nMark = LastBefore(text, offset, "<>");
    if (nMark < 0)
        return {};
    if (text.ByteAt(nMark) == '<')
        return {TagStartFor(text, nMark), false};
    return {TextRunStart(text, offset), false};
}

MarkupStyle TailStyleFor(MarkupStyle existing)
{
    if (existing == STYLE_TAG_TEXT || existing == STYLE_TAIL_BOLD)
        return STYLE_TAIL_BOLD;
    return STYLE_TAIL;
}

void ApplyTail(IStyledText& text, long long start)
{
    const long long nLength = text.Length();
    std::vector<char> styles;
    for (long long nFrom = start; nFrom < nLength;) {
        const long long nTo =
            std::min<long long>(nFrom + static_cast<long long>(kTailChunk), nLength);
        styles.resize(static_cast<std::size_t>(nTo - nFrom));
        text.ReadStyles(nFrom, styles.data(), styles.size());
        for (char& style : styles)
            style = static_cast<char>(TailStyleFor(static_cast<MarkupStyle>(style)));
        text.SetStyles(nFrom, styles.data(), styles.size());
        nFrom = nTo;
    }
}
