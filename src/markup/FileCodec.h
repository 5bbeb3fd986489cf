// Turns the bytes of a file in UTF-16 or in a declared single-byte encoding (windows-125x,
// ISO-8859-N) into UTF-8 text for editing and back, byte for byte as they were when nothing
// changed.
#pragma once

#include "Utf16Codec.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>

class CFileCodec
{
public:
    static constexpr std::size_t npos = std::string::npos;

    // The codec a file's first bytes ask for: UTF-16 by its mark or the shape of "<?", else the
    // single-byte encoding its XML declaration names. None for UTF-8, no declaration, UTF-32,
    // unknown names and ISO-8859-1, whose bytes the editor shows as they are.
    static const CFileCodec* ForHead(const std::string& head);
    // By Name() or by an encoding name as a declaration gives it (any case, usual aliases).
    static const CFileCodec* Named(const std::string& name);

    // Unique: "UTF-16LE", "UTF-16BE" (either with " BOM"), "windows-1252", "ISO-8859-2"...
    const std::string& Name() const { return m_strName; }
    // As the user is told it: "UTF-16", "windows-1252"...
    const std::string& Label() const { return m_strLabel; }
    bool IsSingleByte() const { return !m_utf16; }

    // The file's bytes as UTF-8. False, with `error` saying why, when they could not be written
    // back as they are: an odd number of bytes, half a surrogate pair, a byte that stands for
    // no character.
    bool Decode(const std::string& bytes, std::string& utf8, std::string& error) const;
    // `utf8` as the file's bytes. False, with `error`, when it is not UTF-8 or holds a character
    // this encoding cannot hold.
    bool Encode(const std::string& utf8, std::string& bytes, std::string& error) const;
    // Where the first character that this encoding cannot hold starts in `utf8`, or npos.
    std::size_t FirstUnheld(const std::string& utf8) const;
    // The offset in `utf8` (this codec's decoding of the file) of the character at `nFileOffset`
    // in the file's bytes.
    std::size_t TextOffset(const std::string& utf8, std::size_t nFileOffset) const;
    // A single-byte encoding's character for each byte, -1 for none; as expat's
    // XML_Encoding map wants it.
    const std::array<int, 256>& ByteMap() const { return m_byteMap; }

    CFileCodec(std::string name, std::string label, SUtf16Form form);
    CFileCodec(std::string name, std::array<int, 256> byteMap);

private:
    bool HoldsCode(char32_t code) const;

    std::string m_strName;
    std::string m_strLabel;
    std::optional<SUtf16Form> m_utf16;
    std::array<int, 256> m_byteMap{};
    std::unordered_map<char32_t, unsigned char> m_byteOf;  // m_byteMap reversed
};
