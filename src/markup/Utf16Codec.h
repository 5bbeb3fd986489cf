// Turns a UTF-16 file's bytes into UTF-8 text for editing and back into the same byte order and
// mark, so that a file nobody changed is written back byte for byte.
#pragma once

#include <optional>
#include <string>

struct SUtf16Form
{
    bool bBigEndian = false;
    bool bMark = false;  // starts with a byte order mark
};

class CUtf16Codec
{
public:
    // The form the first bytes show: a byte order mark, or "<?" in UTF-16 without one (as the
    // XML recommendation's appendix F tells them apart); none for anything else, UTF-32 included.
    static std::optional<SUtf16Form> Detect(const std::string& head);

    // The text after the mark as UTF-8. False, with `error` saying why, for an odd number of
    // bytes or a surrogate without its partner: such a file cannot be written back as it was.
    static bool Decode(const std::string& bytes, SUtf16Form form, std::string& utf8,
                       std::string& error);

    // `utf8` in `form`, the mark first when it has one. False, with `error`, when `utf8` is not
    // well-formed UTF-8.
    static bool Encode(const std::string& utf8, SUtf16Form form, std::string& bytes,
                       std::string& error);
};
