#include "Utf16Codec.h"

#include "Utf8Chars.h"

#include <cstdint>

namespace {

bool IsHighSurrogate(std::uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::uint32_t UnitAt(const std::string& bytes, std::size_t i, bool bBigEndian)
{
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return bBigEndian ? (first << 8 | second) : (second << 8 | first);
}

void AppendUnit(std::string& bytes, std::uint32_t unit, bool bBigEndian)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bBigEndian ? high : low;
    bytes += bBigEndian ? low : high;
}

}  // namespace

std::optional<SUtf16Form> CUtf16Codec::Detect(const std::string& head)
{
    const auto starts = [&head](const char* prefix, std::size_t length) {
        return head.compare(0, length, prefix, length) == 0;
    };
    if (starts("\xFF\xFE\0\0", 4))
        return std::nullopt;  // UTF-32, little-endian
    if (starts("\xFF\xFE", 2))
        return SUtf16Form{false, true};
    if (starts("\xFE\xFF", 2))
        return SUtf16Form{true, true};
    if (starts("<\0?\0", 4))
        return SUtf16Form{false, false};
    if (starts("\0<\0?", 4))
        return SUtf16Form{true, false};
    return std::nullopt;
}

bool CUtf16Codec::Decode(const std::string& bytes, SUtf16Form form, std::string& utf8,
                         std::string& error)
{
    const std::size_t nStart = form.bMark ? 2 : 0;
    if (bytes.size() < nStart || (bytes.size() - nStart) % 2 != 0) {
        error = "it has an odd number of bytes";
        return false;
    }
    utf8.clear();
    utf8.reserve(bytes.size());
    for (std::size_t i = nStart; i < bytes.size(); i += 2) {
        std::uint32_t code = UnitAt(bytes, i, form.bBigEndian);
        if (IsHighSurrogate(code) && i + 3 < bytes.size()
            && IsLowSurrogate(UnitAt(bytes, i + 2, form.bBigEndian))) {
            code = 0x10000 + ((code - 0xD800) << 10)
                   + (UnitAt(bytes, i + 2, form.bBigEndian) - 0xDC00);
            i += 2;
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            error =
                "byte " + std::to_string(i) + " starts half of a character without its other half";
            return false;
        }
        AppendUtf8(utf8, code);
    }
    return true;
}

bool CUtf16Codec::Encode(const std::string& utf8, SUtf16Form form, std::string& bytes,
                         std::string& error)
{
    bytes.clear();
    bytes.reserve(2 * utf8.size() + 2);
    if (form.bMark)
        AppendUnit(bytes, 0xFEFF, form.bBigEndian);
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t nAt = i;
        const std::optional<char32_t> code = NextCodePoint(utf8, i);
        if (!code) {
            error = "byte " + std::to_string(nAt) + " of the text is not UTF-8";
            return false;
        }
        if (*code < 0x10000) {
            AppendUnit(bytes, *code, form.bBigEndian);
        } else {
            AppendUnit(bytes, 0xD800 + ((*code - 0x10000) >> 10), form.bBigEndian);
            AppendUnit(bytes, 0xDC00 + ((*code - 0x10000) & 0x3FF), form.bBigEndian);
        }
    }
    return true;
}
