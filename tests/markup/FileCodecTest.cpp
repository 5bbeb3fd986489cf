#include "FileCodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const char* text, std::size_t nLength)
{
    return std::string(text, nLength);
}

struct SCodecCase
{
    std::string name;       // the codec's Name()
    std::string file;       // a whole file in that encoding
    std::string utf8;       // its text as the editor holds it
    std::string added;      // typed at the end, in UTF-8...
    std::string addedFile;  // ...and as the file stores it
    std::string unheld;     // a character the encoding cannot hold; empty when none
    std::string invalid;    // a file that cannot be written back as it is
};

const std::string kDecl1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>";
const std::string kDecl88592 = "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>";
const std::string kDecl88597 = "<?xml version='1.0' encoding='iso-8859-7'?>";
const std::string kDecl885915 = "<?xml version=\"1.0\" encoding=\"latin9\"?>";
const std::string kDecl1251 = "<?xml version=\"1.0\" encoding=\"cp1251\"?>";

const SCodecCase kCases[] = {
    // The five bytes windows-1252 leaves undefined stand for C1 controls and come back.
    {"windows-1252", kDecl1252 + "<a>\x80\x81\x9F\xE9\x8D</a>",
     kDecl1252 + "<a>\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xA9\xC2\x8D</a>", "\xE2\x80\x9A", "\x82",
     "\xCE\xA9", ""},
    {"ISO-8859-2", kDecl88592 + "<a>\xA1\xE8</a>", kDecl88592 + "<a>\xC4\x84\xC4\x8D</a>",
     "\xC5\x82", "\xB3", "\xE2\x82\xAC", ""},
    {"ISO-8859-7", kDecl88597 + "<a>\xE1</a>", kDecl88597 + "<a>\xCE\xB1</a>", "\xCE\xA9", "\xD9",
     "\xC3\xA9", kDecl88597 + "<a>\xD2</a>"},
    {"ISO-8859-15", kDecl885915 + "\xA4\xBD", kDecl885915 + "\xE2\x82\xAC\xC5\x93", "\xC5\xBD",
     "\xB4", "\xC2\xA4", ""},
    {"windows-1251", kDecl1251 + "\xC0", kDecl1251 + "\xD0\x90", "\xD1\x8F", "\xFF", "\xC3\xA9",
     kDecl1251 + "\x98"},
    {"UTF-16LE BOM", Bytes("\xFF\xFE<\0a\0>\0\xAC\x20<\0/\0a\0>\0", 18), "<a>\xE2\x82\xAC</a>",
     "\xF0\x9D\x84\x9E", "\x34\xD8\x1E\xDD", "", Bytes("\xFF\xFE<\0a\0>", 7)},
    {"UTF-16BE BOM", Bytes("\xFE\xFF\0<\0a\0>\x20\xAC", 10), "<a>\xE2\x82\xAC", "\xC3\xA9",
     Bytes("\0\xE9", 2), "", Bytes("\xFE\xFF\0<\xDC\x00", 6)},
    {"UTF-16LE", Bytes("<\0?\0x\0m\0l\0 \0?\0>\0\xE9\0", 18), "<?xml ?>\xC3\xA9", "\n",
     Bytes("\n\0", 2), "", Bytes("<\0?\0\x34\xD8", 6)},
    {"UTF-16BE", Bytes("\0<\0?\0x\0m\0l\0 \0?\0>\0\xE9", 18), "<?xml ?>\xC3\xA9", "\n",
     Bytes("\0\n", 2), "", Bytes("\0<\0?\0", 5)},
};

TEST(FileCodecTest, TheFirstBytesChooseTheCodec)
{
    for (const SCodecCase& c : kCases) {
        const CFileCodec* pCodec = CFileCodec::ForHead(c.file);
        ASSERT_NE(pCodec, nullptr) << c.name;
        EXPECT_EQ(pCodec->Name(), c.name);
        EXPECT_EQ(CFileCodec::Named(c.name), pCodec);
    }
}

TEST(FileCodecTest, UnchangedTextGoesBackByteForByte)
{
    for (const SCodecCase& c : kCases) {
        const CFileCodec& codec = *CFileCodec::Named(c.name);
        std::string utf8, bytes, error;
        ASSERT_TRUE(codec.Decode(c.file, utf8, error)) << c.name << ": " << error;
        EXPECT_EQ(utf8, c.utf8) << c.name;
        ASSERT_TRUE(codec.Encode(utf8, bytes, error)) << c.name << ": " << error;
        EXPECT_EQ(bytes, c.file) << c.name;
        EXPECT_EQ(codec.FirstUnheld(utf8), CFileCodec::npos) << c.name;
    }
}

TEST(FileCodecTest, EditedTextIsWrittenInTheFilesEncoding)
{
    for (const SCodecCase& c : kCases) {
        const CFileCodec& codec = *CFileCodec::Named(c.name);
        std::string bytes, error;
        ASSERT_TRUE(codec.Encode(c.utf8 + c.added, bytes, error)) << c.name << ": " << error;
        EXPECT_EQ(bytes, c.file + c.addedFile) << c.name;
        // Where the added character starts in the file is where it starts in the text.
        EXPECT_EQ(codec.TextOffset(c.utf8 + c.added, c.file.size()), c.utf8.size()) << c.name;
        EXPECT_EQ(codec.TextOffset(c.utf8 + c.added, bytes.size()), (c.utf8 + c.added).size());
    }
}

TEST(FileCodecTest, CharactersTheEncodingCannotHoldAreRefused)
{
    for (const SCodecCase& c : kCases) {
        if (c.unheld.empty())
            continue;
        const CFileCodec& codec = *CFileCodec::Named(c.name);
        const std::string text = c.utf8 + c.unheld + "<b/>";
        EXPECT_EQ(codec.FirstUnheld(text), c.utf8.size()) << c.name;
        std::string bytes, error;
        EXPECT_FALSE(codec.Encode(text, bytes, error)) << c.name;
        EXPECT_NE(error.find("which " + c.name + " cannot store"), std::string::npos) << error;
    }
}

TEST(FileCodecTest, BytesThatCannotBeWrittenBackAsTheyAreAreNoText)
{
    for (const SCodecCase& c : kCases) {
        if (c.invalid.empty())
            continue;
        std::string utf8, error;
        EXPECT_FALSE(CFileCodec::Named(c.name)->Decode(c.invalid, utf8, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
    std::string utf8, error;
    CFileCodec::Named("ISO-8859-7")->Decode("a\xD2", utf8, error);
    EXPECT_EQ(error, "byte 1 (0xD2) stands for no character in ISO-8859-7");
}

TEST(FileCodecTest, DeclaredNamesAndAliasesFindTheirEncoding)
{
    const struct
    {
        const char* declared;
        const char* name;  // null: no codec, the editor's own handling
    } cases[] = {
        {"Windows-1252", "windows-1252"},
        {"CP1250", "windows-1250"},
        {"x-cp1258", "windows-1258"},
        {"iso_8859-2:1987", "ISO-8859-2"},
        {"ISO8859-16", "ISO-8859-16"},
        {"latin5", "ISO-8859-9"},
        {"ISO-8859-1", nullptr},
        {"latin1", nullptr},
        {"ISO-8859-12", nullptr},
        {"windows-1249", nullptr},
        {"UTF-8", nullptr},
        {"iso-8859-2x", nullptr},
    };
    for (const auto& c : cases) {
        const CFileCodec* pCodec = CFileCodec::Named(c.declared);
        EXPECT_EQ(pCodec ? pCodec->Name() : std::string("none"), c.name ? c.name : "none")
            << c.declared;
    }
}

}  // namespace
