#include "FileCodec.h"

#include "EncodingSniffer.h"
#include "Utf8Chars.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

namespace {

// The bytes windows-1252 leaves undefined. They stand for the C1 controls of the same number,
// as the WHATWG encoding standard reads them, so that any windows-1252 file can be edited and
// written back unchanged.
constexpr unsigned char kUndefinedIn1252[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The number after `prefix` when `name` is `prefix` and a number (and, for ISO names, an
// optional ":year"), else -1.
int NumberAfter(const std::string& name, const std::string& prefix)
{
    if (!StartsWith(name, prefix) || name.size() == prefix.size())
        return -1;
    std::size_t i = prefix.size();
    int n = 0;
    for (; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && n < 1000; ++i)
        n = n * 10 + (name[i] - '0');
    if (i < name.size() && !(name[i] == ':' && prefix == "iso_8859-"))
        return -1;
    return n;
}

// "windows-125x" or "ISO-8859-N" for a declared name of a single-byte encoding, else empty.
// ISO-8859-1 is not among them: its bytes are the editor's own 8-bit text.
std::string SingleByteName(const std::string& declared)
{
    const std::string name = Lower(declared);
    for (const char* prefix : {"windows-", "cp", "x-cp"}) {
        const int n = NumberAfter(name, prefix);
        if (n >= 1250 && n <= 1258)
            return "windows-" + std::to_string(n);
    }
    static const std::map<std::string, int> kLatin = {
        {"latin2", 2},  {"l2", 2},      {"latin3", 3},  {"l3", 3},       {"latin4", 4},
        {"l4", 4},      {"latin5", 9},  {"l5", 9},      {"latin6", 10},  {"l6", 10},
        {"latin7", 13}, {"latin8", 14}, {"latin9", 15}, {"latin10", 16},
    };
    int n = kLatin.count(name) ? kLatin.at(name) : -1;
    for (const char* prefix : {"iso-8859-", "iso8859-", "iso_8859-"})
        n = std::max(n, NumberAfter(name, prefix));
    if (n >= 2 && n <= 16 && n != 12)
        return "ISO-8859-" + std::to_string(n);
    return std::string();
}

// What iconv makes of each byte in `name`'s encoding; none when iconv does not know it.
std::optional<std::array<int, 256>> ByteMapFromIconv(const std::string& name)
{
    const std::string iconvName = StartsWith(name, "windows-") ? "CP" + name.substr(8) : name;
    iconv_t cd = iconv_open("UTF-32LE", iconvName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::array<int, 256> map{};
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[4] = {};
        char* pIn = &in;
        char* pOut = reinterpret_cast<char*>(out);
        std::size_t nIn = 1;
        std::size_t nOut = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool bOne =
            iconv(cd, &pIn, &nIn, &pOut, &nOut) != static_cast<std::size_t>(-1) && nOut == 0;
        map[b] = bOne ? (out[0] | out[1] << 8 | out[2] << 16) : -1;
    }
    iconv_close(cd);
    if (name == "windows-1252")
        for (unsigned char b : kUndefinedIn1252)
            map[b] = b;
    return map;
}

std::string Hex(unsigned int value, int nDigits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", nDigits, value);
    return text;
}

const CFileCodec* Utf16Codec(SUtf16Form form)
{
    static const CFileCodec kCodecs[] = {
        {"UTF-16LE", "UTF-16", {false, false}},
        {"UTF-16BE", "UTF-16", {true, false}},
        {"UTF-16LE BOM", "UTF-16", {false, true}},
        {"UTF-16BE BOM", "UTF-16", {true, true}},
    };
    return &kCodecs[(form.bBigEndian ? 1 : 0) + (form.bMark ? 2 : 0)];
}

const CFileCodec* SingleByteCodec(const std::string& name)
{
    // Built once per encoding and never freed: callers keep plain pointers.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<CFileCodec>> codecs;
    const std::lock_guard<std::mutex> lock(mutex);
    const auto found = codecs.find(name);
    if (found != codecs.end())
        return found->second.get();
    const std::optional<std::array<int, 256>> map = ByteMapFromIconv(name);
    std::unique_ptr<CFileCodec>& codec = codecs[name];
    if (map)
        codec = std::make_unique<CFileCodec>(name, *map);
    return codec.get();
}

}  // namespace

CFileCodec::CFileCodec(std::string name, std::string label, SUtf16Form form)
    : m_strName(std::move(name)), m_strLabel(std::move(label)), m_utf16(form)
{
}

CFileCodec::CFileCodec(std::string name, std::array<int, 256> byteMap)
    : m_strName(name), m_strLabel(std::move(name)), m_byteMap(byteMap)
{
    for (int b = 0; b < 256; ++b)
        if (m_byteMap[b] >= 0)
            m_byteOf.emplace(static_cast<char32_t>(m_byteMap[b]), static_cast<unsigned char>(b));
}

const CFileCodec* CFileCodec::ForHead(const std::string& head)
{
    if (const std::optional<SUtf16Form> form = CUtf16Codec::Detect(head))
        return Utf16Codec(*form);
    const std::string name = SingleByteName(CEncodingSniffer::DeclaredName(head));
    return name.empty() ? nullptr : SingleByteCodec(name);
}

const CFileCodec* CFileCodec::Named(const std::string& name)
{
    for (bool bBigEndian : {false, true})
        for (bool bMark : {false, true}) {
            const CFileCodec* pCodec = Utf16Codec({bBigEndian, bMark});
            if (pCodec->Name() == name)
                return pCodec;
        }
    const std::string singleByte = SingleByteName(name);
    return singleByte.empty() ? nullptr : SingleByteCodec(singleByte);
}

bool CFileCodec::HoldsCode(char32_t code) const
{
    return m_utf16 || m_byteOf.count(code) != 0;
}

bool CFileCodec::Decode(const std::string& bytes, std::string& utf8, std::string& error) const
{
    if (m_utf16)
        return CUtf16Codec::Decode(bytes, *m_utf16, utf8, error);
    utf8.clear();
    utf8.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (m_byteMap[b] < 0) {
            error = "byte " + std::to_string(i) + " (0x" + Hex(b, 2)
                    + ") stands for no character in " + m_strLabel;
            return false;
        }
        AppendUtf8(utf8, static_cast<char32_t>(m_byteMap[b]));
    }
    return true;
}

bool CFileCodec::Encode(const std::string& utf8, std::string& bytes, std::string& error) const
{
    if (m_utf16)
        return CUtf16Codec::Encode(utf8, *m_utf16, bytes, error);
    bytes.clear();
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t nAt = i;
        const std::optional<char32_t> code = NextCodePoint(utf8, i);
        if (!code) {
            error = "byte " + std::to_string(nAt) + " of the text is not UTF-8";
            return false;
        }
        const auto found = m_byteOf.find(*code);
        if (found == m_byteOf.end()) {
            error = "the text holds U+" + Hex(*code, 4) + " (\"" + utf8.substr(nAt, i - nAt)
                    + "\"), which " + m_strLabel + " cannot store";
            return false;
        }
        bytes += static_cast<char>(found->second);
    }
    return true;
}

std::size_t CFileCodec::FirstUnheld(const std::string& utf8) const
{
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t nAt = i;
        const std::optional<char32_t> code = NextCodePoint(utf8, i);
        if (!code || !HoldsCode(*code))
            return nAt;
    }
    return npos;
}

std::size_t CFileCodec::TextOffset(const std::string& utf8, std::size_t nFileOffset) const
{
    // File units (bytes, or UTF-16 code units after the mark) still to pass.
    std::size_t nUnits = nFileOffset;
    if (m_utf16)
        nUnits = (nFileOffset - std::min<std::size_t>(nFileOffset, m_utf16->bMark ? 2 : 0)) / 2;
    std::size_t i = 0;
    while (i < utf8.size() && nUnits > 0) {
        const std::size_t nAt = i;
        const std::optional<char32_t> code = NextCodePoint(utf8, i);
        if (!code)
            return nAt;
        const std::size_t nTaken = m_utf16 && *code >= 0x10000 ? 2 : 1;
        if (nTaken > nUnits)
            return nAt;
        nUnits -= nTaken;
    }
    return i;
}
