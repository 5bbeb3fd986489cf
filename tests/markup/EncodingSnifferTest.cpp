#include "EncodingSniffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

struct SSniffCase
{
    std::string bytes;
    EDeclaredEncoding eExpected;
};

EDeclaredEncoding Sniff(const std::string& bytes, std::size_t nPiece)
{
    CEncodingSniffer sniffer;
    for (std::size_t i = 0; i < bytes.size(); i += nPiece)
        sniffer.Feed(bytes.data() + i, std::min(nPiece, bytes.size() - i));
    return sniffer.Result();
}

using E = EDeclaredEncoding;

TEST(EncodingSnifferTest, ReadsTheByteOrderMarkAndTheDeclaredEncodingWhateverThePieces)
{
    const std::string kLong(2000, 'x');
    const SSniffCase cases[] = {
        {"", E::Unstated},
        {"<a/>", E::Unstated},
        {"<?xml version=\"1.0\"?><a/>", E::Unstated},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>", E::Unstated},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", E::EightBit},
        {"<?xml version='1.0' encoding='latin1'?>", E::EightBit},
        {"<?xml version=\"1.0\" encoding = \"Windows-1252\" ?>", E::Coded},
        {"<?xml\r\n  encoding=\"iso-8859-1\"?>", E::EightBit},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", E::EightBit},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>", E::Coded},
        {"<?xml version=\"1.0\" encoding=\"cp1250\"?>", E::Coded},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-12\"?>", E::Unstated},  // no such thing
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1'?>", E::Unstated},    // quotes differ
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"", E::Unstated},     // never ends
        {" <?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", E::Unstated},  // not at the start
        {"<?xml-stylesheet encoding=\"ISO-8859-1\"?>", E::Unstated},
        {"<?xml version=\"1.0\"" + kLong + " encoding=\"latin1\"?>", E::Unstated},
        {std::string("\xFF\xFE<\0a\0/\0>\0", 10), E::Coded},
        {std::string("\xFE\xFF\0<\0a\0/\0>", 10), E::Coded},
        {std::string("\xFF\xFE\0\0<\0\0\0", 8), E::Wide},
        {std::string("\0\0\xFE\xFF", 4), E::Wide},
        {std::string("<\0?\0x\0m\0l\0", 10), E::Coded},
        {std::string("\0<\0?\0x\0m\0l", 10), E::Coded},
        {std::string("\0\0\0<\0\0\0?", 8), E::Wide},
        {std::string("<\0\0\0?\0\0\0", 8), E::Wide},
        {std::string("<\0a\0/\0>\0", 8), E::Unstated},  // no "<?": UTF-8 as the recommendation says
    };
    int nCase = 0;
    for (const SSniffCase& test : cases) {
        for (std::size_t nPiece : {std::size_t(1), std::size_t(7), std::size_t(4096)})
            EXPECT_EQ(Sniff(test.bytes, nPiece), test.eExpected)
                << "case " << nCase << ", pieces of " << nPiece;
        ++nCase;
    }
}

}  // namespace
