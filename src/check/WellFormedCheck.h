// The well-formedness check: the text, read in chunks, fed to expat without handlers.
#pragma once

#include <QString>

#include <functional>
#include <string>

constexpr int kCheckChunkSize = 10240;

// The result of one check; the position fields are expat's at the first error.
struct CheckOutcome
{
    bool parserCreated = true;
    bool wellFormed = false;
    bool outOfMemory = false;  // the parser could not hold the text: no verdict
    bool cancelled = false;    // stopped between two chunks: no verdict
    long line = 0;             // from 1
    long column = 0;           // expat's, from 0
    long long byteIndex = -1;  // expat's XML_GetCurrentByteIndex
    std::string errorText;     // XML_ErrorString
};

// Copies up to `count` bytes of the text from `offset` into `buffer` and returns how many.
// A count below the one asked for means the text ends there. `buffer` holds count + 1 bytes,
// so a reader may end even a full chunk with a NUL, as the editor's ReadTextChunk does.
using CheckReader = std::function<int(char* buffer, long long offset, int count)>;
// Told how many bytes the parser has taken, after each chunk but the final one; false stops the
// check there.
using CheckCarryOn = std::function<bool(long long nFed)>;

// Feeds the text to a fresh parser chunk by chunk. The first read shorter than `chunkSize` is
// the final chunk (so an empty text, and a text of a multiple of the chunk size, end with an
// empty final chunk); the first error ends the reading. A NUL byte is data like any other.
// Besides expat's own encodings, declared single-byte encodings CFileCodec knows are read.
CheckOutcome RunWellFormedCheck(const CheckReader& read, int chunkSize = kCheckChunkSize,
                                const CheckCarryOn& carryOn = {});

// "<error text> at line <line>\n".
QString FormatCheckError(const CheckOutcome& outcome);
