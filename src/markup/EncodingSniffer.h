// Tells from a document's first bytes what its encoding asks of the editor: its byte order mark
// or the encoding named by its XML declaration.
#pragma once

#include <cstddef>
#include <string>

enum class EDeclaredEncoding
{
    Unstated,  // no declaration, UTF-8 or a name not listed: the UTF-8 test decides
    EightBit,  // ISO-8859-1, latin1 and their aliases: the editor's own 8-bit text
    Coded,     // UTF-16, windows-125x or another ISO-8859 encoding: CFileCodec::ForHead decodes it
    Wide       // UTF-32, by byte order mark or by the shape of "<"
};

// Keeps the first bytes of a stream fed in pieces and reads them.
class CEncodingSniffer
{
public:
    // A declaration must end within these bytes to count.
    static constexpr std::size_t kPrefixSize = 1024;

    // Continues where the last Feed ended; bytes past kPrefixSize are not looked at.
    void Feed(const char* data, std::size_t length);

    EDeclaredEncoding Result() const;
    // The first bytes fed, up to kPrefixSize.
    const std::string& Prefix() const { return m_prefix; }

    // The encoding named by the XML declaration that starts `head`, lower case; empty when none.
    static std::string DeclaredName(const std::string& head);

private:
    std::string m_prefix;
};
