// Loads that fail, and the limits: messages, line numbers, nothing left behind.
#include "TemplateFixture.h"

namespace {

std::string Nested(int levels, const std::string& innermost = "")
{
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<a>\n";
    text += innermost;
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    return text;
}

}  // namespace

TEST_F(TemplateFixture, UnopenableFileIsReportedWithItsPath)
{
    for (const QString& path : {m_dir.filePath(QStringLiteral("missing.xml")), m_dir.path()}) {
        m_messages.Clear();
        EXPECT_FALSE(LoadPath(path));
        EXPECT_EQ(m_messages.Messages(),
                  QStringList{QStringLiteral("Failed to open file %1. Aborted!\n").arg(path)});
        EXPECT_TRUE(m_tree.Entries().empty());
    }
}

TEST_F(TemplateFixture, ParserErrorsAreReportedWithExpatTextAndLine)
{
    const struct
    {
        std::string bytes;
        QString message;
    } cases[] = {
        {"", "no element found at line 1\n"},
        {"<!-- only a comment -->\n", "no element found at line 2\n"},
        {"<a/>\n<b/>\n", "junk after document element at line 2\n"},
        {"<a>\n<b/>\n</a>\ntext after\n", "junk after document element at line 4\n"},
        {"<a>\n<b>\n</a>", "mismatched tag at line 3\n"},
        {"<a x=\"1\" x=\"2\"/>", "duplicate attribute at line 1\n"},
    };
    for (const auto& c : cases) {
        m_messages.Clear();
        EXPECT_FALSE(Load(c.bytes)) << c.bytes;
        EXPECT_EQ(m_messages.Messages(), QStringList{c.message}) << c.bytes;
        EXPECT_TRUE(m_tree.Entries().empty()) << c.bytes;
    }
}

TEST_F(TemplateFixture, ErrorAfterManyFinishedElementsFreesEverything)
{
    // Under LeakSanitizer this shows that open, finished and adopted nodes are all freed.
    std::string bytes = "<r>";
    for (int i = 0; i < 300; ++i)
        bytes += "<a><b/><c><d/></c>";
    bytes += "<broken></r>";
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

TEST_F(TemplateFixture, ElementKeepsAllItsChildrenInOrder)
{
    for (int count : {101, 10000}) {
        std::string bytes = "<r>";
        for (int i = 0; i < count; ++i)
            bytes += "<c n=\"" + std::to_string(i) + "\"/>";
        bytes += "</r>";
        auto root = Load(bytes);
        ASSERT_TRUE(root) << count;
        ASSERT_EQ(Doc(root).childCount, count);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(Doc(root).children[i]->attributes, "n=\"" + std::to_string(i) + "\" ");
        EXPECT_EQ(m_tree.Entries().size(), static_cast<std::size_t>(count) + 1);
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TemplateFixture, NestingUpToLimitLoads)
{
    for (int levels : {100, CTemplateParser::kMaxDepth}) {
        auto root = Load(Nested(levels));
        ASSERT_TRUE(root) << levels;
        int depth = 0;
        for (const TemplateNode* node = root.get(); node->childCount == 1; node = node->children[0])
            ++depth;
        EXPECT_EQ(depth, levels);
        EXPECT_EQ(m_tree.Entries().size(), static_cast<std::size_t>(levels));
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TemplateFixture, NestingBeyondLimitIsRefusedNamingFileAndLine)
{
    const int limit = CTemplateParser::kMaxDepth;
    // A name with "%1"-style markers must come out as it is.
    const std::pair<int, QString> cases[] = {
        {limit + 1, "t.xml"}, {10000, "t.xml"}, {1000000, "t.xml"}, {limit + 1, "a%1b%2c%3.xml"}};
    for (const auto& [levels, name] : cases) {
        m_messages.Clear();
        const QString path = WriteFile(Nested(levels), name);
        EXPECT_FALSE(LoadPath(path)) << levels;
        const QString expected = QStringLiteral("Failed to load template file %1: elements are "
                                                "nested deeper than 1000 levels (line 1001).\n")
                                     .arg(path);
        EXPECT_EQ(m_messages.Messages(), QStringList{expected}) << levels;
        EXPECT_TRUE(m_tree.Entries().empty());
    }
}

TEST_F(TemplateFixture, RefusedEmptyElementBeyondLimitIsHandled)
{
    // expat still reports the end of an empty element whose start handler stopped it.
    EXPECT_FALSE(Load(Nested(CTemplateParser::kMaxDepth, "<a/><a/>")));
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

TEST_F(TemplateFixture, DeepChainBuiltByHandIsDestroyedWithoutRecursion)
{
    auto* root = new TemplateNode;
    TemplateNode* last = root;
    for (int i = 0; i < 1000000; ++i) {
        last->childCount = 1;
        last->children = new TemplateNode* [1] { new TemplateNode };
        last->children[0]->parent = last;
        last = last->children[0];
    }
    delete root;
    SUCCEED();
}
