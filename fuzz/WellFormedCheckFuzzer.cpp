// The check over any text: the outcome must not depend on the chunk size. The first byte
// picks the small chunk size, the rest is the text. Chunks of fewer than four bytes are left
// out: expat guesses the encoding from the first four bytes and, given fewer, may guess
// otherwise than from the whole text ("\xf1\0\xf1" fed a byte at a time is a partial
// character, whole a syntax error). The editor's chunks are far longer than four bytes.
#include "FuzzAssert.h"
#include "WellFormedCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Reads as the editor does: the bytes, then a NUL after them.
CheckOutcome Check(const char* text, std::size_t size, int chunkSize)
{
    const auto nSize = static_cast<long long>(size);
    return RunWellFormedCheck(
        [&](char* buffer, long long offset, int count) {
            FUZZ_ASSERT(offset >= 0 && offset <= nSize && count == chunkSize);
            const auto nCopied = static_cast<int>(std::min<long long>(count, nSize - offset));
            std::memcpy(buffer, text + offset, static_cast<std::size_t>(nCopied));
            buffer[nCopied] = '\0';
            return nCopied;
        },
        chunkSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int nSmallChunk = 4 + data[0] % 64;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const CheckOutcome whole = Check(text, size - 1, kCheckChunkSize);
    const CheckOutcome chunked = Check(text, size - 1, nSmallChunk);
    FUZZ_ASSERT(whole.parserCreated && chunked.parserCreated);
    FUZZ_ASSERT(chunked.wellFormed == whole.wellFormed);
    // A chunk may end inside a token, and expat then reports the first fault it can prove
    // with what it has: junk after the root where the whole text shows an invalid byte further
    // on. It never reports a later one.
    FUZZ_ASSERT(chunked.byteIndex <= whole.byteIndex);
    if (!whole.wellFormed)
        FUZZ_ASSERT(FormatCheckError(whole).endsWith(QLatin1Char('\n')));
    return 0;
}
