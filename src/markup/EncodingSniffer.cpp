#include "EncodingSniffer.h"

#include "FileCodec.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

const char* const kEightBitNames[] = {
    "iso-8859-1", "iso8859-1", "iso_8859-1", "iso_8859-1:1987", "latin1",      "latin-1",
    "l1",         "cp819",     "ibm819",     "iso-ir-100",      "csisolatin1",
};

bool StartsWith(const std::string& text, const char* prefix, std::size_t length)
{
    return text.compare(0, length, prefix, length) == 0;
}

bool IsWide(const std::string& prefix)
{
    // Byte order marks of UTF-32, then "<" in UTF-32 without one, as the XML recommendation's
    // appendix F tells them apart; UTF-16 is known by its codec before.
    return StartsWith(prefix, "\xFF\xFE\0\0", 4) || StartsWith(prefix, "\0\0\xFE\xFF", 4)
           || StartsWith(prefix, "\0\0\0<", 4) || StartsWith(prefix, "<\0\0\0", 4);
}

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of the declaration's encoding pseudo-attribute, lower case; empty when absent.
std::string ValueOfEncoding(const std::string& declaration)
{
    const std::size_t nKey = declaration.find("encoding");
    if (nKey == std::string::npos)
        return std::string();
    std::size_t i = nKey + 8;
    while (i < declaration.size() && IsXmlSpace(declaration[i]))
        ++i;
    if (i >= declaration.size() || declaration[i] != '=')
        return std::string();
    ++i;
    while (i < declaration.size() && IsXmlSpace(declaration[i]))
        ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return std::string();
    const std::size_t nClose = declaration.find(declaration[i], i + 1);
    if (nClose == std::string::npos)
        return std::string();
    std::string name = declaration.substr(i + 1, nClose - i - 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

}  // namespace

void CEncodingSniffer::Feed(const char* data, std::size_t length)
{
    const std::size_t nRoom = kPrefixSize - m_prefix.size();
    m_prefix.append(data, std::min(nRoom, length));
}

std::string CEncodingSniffer::DeclaredName(const std::string& head)
{
    // The declaration, if any, stands at the very start, after a UTF-8 byte order mark at most.
    const std::size_t nStart = StartsWith(head, "\xEF\xBB\xBF", 3) ? 3 : 0;
    if (head.compare(nStart, 5, "<?xml") != 0 || head.size() <= nStart + 5
        || !IsXmlSpace(head[nStart + 5]))
        return std::string();
    const std::size_t nEnd = head.find("?>", nStart);
    if (nEnd == std::string::npos)
        return std::string();
    return ValueOfEncoding(head.substr(nStart, nEnd - nStart));
}

EDeclaredEncoding CEncodingSniffer::Result() const
{
    if (CFileCodec::ForHead(m_prefix))
        return EDeclaredEncoding::Coded;
    if (IsWide(m_prefix))
        return EDeclaredEncoding::Wide;
    const std::string name = DeclaredName(m_prefix);
    const bool bEightBit = std::any_of(std::begin(kEightBitNames), std::end(kEightBitNames),
                                       [&](const char* known) { return name == known; });
    return bEightBit ? EDeclaredEncoding::EightBit : EDeclaredEncoding::Unstated;
}
