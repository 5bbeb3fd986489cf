// The loader feeds the file in 512-byte chunks: content across every boundary must load.
#include "TemplateFixture.h"

namespace {

// A well-formed template of exactly `size` bytes: `<r><!--xxx--></r>`.
std::string TemplateOfSize(std::size_t size)
{
    const std::string head = "<r><!--";
    const std::string tail = "--></r>";
    return head + std::string(size - head.size() - tail.size(), 'x') + tail;
}

// `<r>`, a comment padding so that `content` starts at byte `offset`, then `content</r>`.
std::string WithContentAt(std::size_t offset, const std::string& content)
{
    const std::string head = "<r><!--";
    const std::string commentEnd = "-->";
    const std::size_t nPad = offset - head.size() - commentEnd.size();
    return head + std::string(nPad, 'x') + commentEnd + content + "</r>";
}

}  // namespace

TEST_F(TemplateFixture, FilesAroundChunkSizeLoad)
{
    for (std::size_t size : {511u, 512u, 513u, 1023u, 1024u, 1025u}) {
        auto root = Load(TemplateOfSize(size));
        ASSERT_TRUE(root) << size;
        EXPECT_EQ(Doc(root).name, "r") << size;
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Messages().join("|").toStdString();
}

TEST_F(TemplateFixture, UnfinishedFileOfExactlyOneChunkIsStillAnError)
{
    // The final empty chunk must reach expat, or a truncated file would pass.
    std::string bytes = TemplateOfSize(512);
    bytes.replace(bytes.size() - 4, 4, "<r>x");
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(m_messages.Messages(), QStringList{"no element found at line 1\n"});
}

TEST_F(TemplateFixture, ElementsAndAttributesSplitAcrossChunkBoundaryLoad)
{
    const std::string content = "<element-name key=\"v&amp;alue\" tarn:single=\"yes\"/>";
    for (std::size_t boundary : {512u, 1024u}) {
        for (std::size_t offset = boundary - content.size(); offset <= boundary; ++offset) {
            auto root = Load(WithContentAt(offset, content));
            ASSERT_TRUE(root) << offset;
            ASSERT_EQ(Doc(root).childCount, 1) << offset;
            const TemplateNode& node = *Doc(root).children[0];
            EXPECT_EQ(node.name, "element-name") << offset;
            EXPECT_EQ(node.attributes, "key=\"v&alue\" ") << offset;
            EXPECT_EQ(node.single, 1) << offset;
        }
    }
}

TEST_F(TemplateFixture, MultiByteCharactersSplitAcrossChunkBoundaryLoad)
{
    const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC\xC3\xA9";  // 3 + 3 + 2 bytes
    const std::string value = "\xF0\x9F\x98\x80\xE2\x82\xAC";     // 4 + 3 bytes
    for (std::size_t offset = 495; offset <= 512; ++offset) {
        auto root = Load(WithContentAt(offset, "<" + name + " a=\"" + value + "\"/>"));
        ASSERT_TRUE(root) << offset << m_messages.Messages().join("").toStdString();
        EXPECT_EQ(Doc(root).children[0]->name, name) << offset;
        EXPECT_EQ(Doc(root).children[0]->attributes, "a=\"" + value + "\" ") << offset;
    }
}
