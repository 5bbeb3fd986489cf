#include "Utf16Codec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Swaps each pair of bytes: little-endian UTF-16 into big-endian and back.
std::string Swapped(std::string bytes)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

const std::string kLittleNoMark("<\0?\0x\0m\0l\0?\0>\0\xE9\0\xAC\x20\x34\xD8\x1E\xDD", 22);
const std::string kUtf8 = "<?xml?>\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";

TEST(Utf16CodecTest, TellsTheByteOrderAndMarkFromTheFirstBytes)
{
    const struct
    {
        std::string head;
        bool bUtf16;
        bool bBigEndian;
        bool bMark;
    } cases[] = {
        {"\xFF\xFE<\0", true, false, true},
        {"\xFE\xFF\0<", true, true, true},
        {std::string("<\0?\0", 4), true, false, false},
        {std::string("\0<\0?", 4), true, true, false},
        {std::string("\xFF\xFE\0\0", 4), false, false, false},  // UTF-32
        {std::string("\0\0\xFE\xFF", 4), false, false, false},
        {"<?xml", false, false, false},
        {std::string("<\0a\0", 4), false, false, false},
        {"", false, false, false},
    };
    for (const auto& c : cases) {
        const std::optional<SUtf16Form> form = CUtf16Codec::Detect(c.head);
        ASSERT_EQ(form.has_value(), c.bUtf16) << c.head.size();
        if (form) {
            EXPECT_EQ(form->bBigEndian, c.bBigEndian);
            EXPECT_EQ(form->bMark, c.bMark);
        }
    }
}

TEST(Utf16CodecTest, DecodesForEditingAndEncodesBackByteForByte)
{
    const std::string kFile = ReadFile(TEST_DATA_DIR "/roundtrip/utf16le-bom.xml");
    const struct
    {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {kFile, "<a>\xC3\xA9</a>\r\n"},
        {Swapped(kFile), "<a>\xC3\xA9</a>\r\n"},
        {kLittleNoMark, kUtf8},
        {Swapped(kLittleNoMark), kUtf8},
        {"\xFF\xFE" + kLittleNoMark, kUtf8},
        {std::string("\xFF\xFE\xFF\xFE<\0", 6), "\xEF\xBB\xBF<"},  // a second mark is text
        {"\xFF\xFE", ""},
        {std::string("\xFF\xFE<\0\0\0", 6), std::string("<\0", 2)},
    };
    int nCase = 0;
    for (const auto& c : cases) {
        const std::optional<SUtf16Form> form = CUtf16Codec::Detect(c.bytes);
        ASSERT_TRUE(form) << nCase;
        const SUtf16Form used = *form;
        std::string utf8;
        std::string back;
        std::string error;
        ASSERT_TRUE(CUtf16Codec::Decode(c.bytes, used, utf8, error)) << nCase << ": " << error;
        EXPECT_EQ(utf8, c.utf8) << nCase;
        ASSERT_TRUE(CUtf16Codec::Encode(utf8, used, back, error)) << nCase << ": " << error;
        EXPECT_EQ(back, c.bytes) << nCase;
        ++nCase;
    }
}

TEST(Utf16CodecTest, AnEditedTextIsWrittenInTheFilesOwnOrderAndMark)
{
    const std::string original("\xFE\xFF\0<\0a\0>", 8);
    const SUtf16Form form = *CUtf16Codec::Detect(original);
    std::string utf8;
    std::string error;
    ASSERT_TRUE(CUtf16Codec::Decode(original, form, utf8, error));
    utf8 += "\xC3\xBC\xF0\x9F\x98\x80";  // u-umlaut and an emoji beyond the first plane
    std::string bytes;
    ASSERT_TRUE(CUtf16Codec::Encode(utf8, form, bytes, error));
    EXPECT_EQ(bytes, original + std::string("\0\xFC\xD8\x3D\xDE\x00", 6));
}

TEST(Utf16CodecTest, RefusesBytesItCouldNotWriteBackAsTheyWere)
{
    const SUtf16Form little{false, true};
    const SUtf16Form big{true, false};
    const struct
    {
        std::string bytes;
        SUtf16Form form;
    } cases[] = {
        {std::string("\xFF\xFE<\0a", 5), little},         // odd length
        {"\xFF", little},                                 // shorter than its mark
        {std::string("\xFF\xFE<\0\x34\xD8", 6), little},  // high surrogate at the end
        {std::string("\xFF\xFE\x1E\xDD<\0", 6), little},  // low surrogate alone
        {std::string("\xFF\xFE\x34\xD8<\0", 6), little},  // high surrogate, then no low
        {std::string("\xFF\xFE\x34\xD8\x34\xD8\x1E\xDD", 8), little},  // two highs
        {std::string("\0<\xDC\x00", 4), big},
    };
    int nCase = 0;
    for (const auto& c : cases) {
        std::string utf8;
        std::string error;
        EXPECT_FALSE(CUtf16Codec::Decode(c.bytes, c.form, utf8, error)) << nCase;
        EXPECT_FALSE(error.empty()) << nCase;
        ++nCase;
    }
}

TEST(Utf16CodecTest, RefusesTextThatIsNotUtf8)
{
    for (const char* text :
         {"\xC3", "a\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "\xE2\x82", "\x80"}) {
        std::string bytes;
        std::string error;
        EXPECT_FALSE(CUtf16Codec::Encode(text, SUtf16Form{}, bytes, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

}  // namespace
