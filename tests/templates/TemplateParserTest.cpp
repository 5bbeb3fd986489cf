// What a successful load builds: nodes, attribute text, directives, tree items.
#include "TemplateFixture.h"

namespace {

const TemplateNode& Child(const TemplateNode& node, int index)
{
    return *node.children[index];
}

}  // namespace

TEST_F(TemplateFixture, RootHoldsDocumentElementWithChildrenInFileOrder)
{
    auto root = Load("<book><part><chapter/></part><index/></book>");
    ASSERT_TRUE(root);
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    EXPECT_TRUE(root->name.empty());
    EXPECT_EQ(root->parent, nullptr);
    ASSERT_EQ(root->childCount, 1);

    const TemplateNode& book = Doc(root);
    EXPECT_EQ(book.name, "book");
    EXPECT_EQ(book.endName, "book");
    EXPECT_EQ(book.parent, root.get());
    ASSERT_EQ(book.childCount, 2);
    const TemplateNode& part = Child(book, 0);
    EXPECT_EQ(part.name, "part");
    EXPECT_EQ(part.parent, &book);
    ASSERT_EQ(part.childCount, 1);
    EXPECT_EQ(Child(part, 0).name, "chapter");
    EXPECT_EQ(Child(part, 0).childCount, 0);
    EXPECT_EQ(Child(part, 0).children, nullptr);
    EXPECT_EQ(Child(book, 1).name, "index");
    EXPECT_EQ(Child(book, 1).parent, &book);
}

TEST_F(TemplateFixture, SingleDirectiveMarksNodeWhateverItsValueAndIsNotCopied)
{
    auto root = Load("<r><a tarn:single=\"yes\"/><b tarn:single=\"no\"/><c tarn:single=\"\"/>"
                     "<d x=\"1\"/></r>");
    ASSERT_TRUE(root);
    const TemplateNode& r = Doc(root);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Child(r, i).single, 1) << Child(r, i).name;
        EXPECT_EQ(Child(r, i).attributes, "") << Child(r, i).name;
    }
    EXPECT_EQ(Child(r, 3).single, 0);
    EXPECT_EQ(r.single, 0);
}

TEST_F(TemplateFixture, DirectivesAreMatchedCaseSensitively)
{
    auto root = Load("<r><a tarn:Single=\"yes\"/><b TARN:single=\"yes\"/></r>");
    ASSERT_TRUE(root);
    const TemplateNode& a = Child(Doc(root), 0);
    const TemplateNode& b = Child(Doc(root), 1);
    EXPECT_EQ(a.single, 0);
    EXPECT_EQ(a.attributes, "");
    EXPECT_EQ(b.single, 0);
    EXPECT_EQ(b.attributes, "TARN:single=\"yes\" ");
}

TEST_F(TemplateFixture, OrdinaryAttributeValuedTarnSingleMarksNodeAndIsCopied)
{
    auto root = Load("<r><a kind=\"tarn:single\"/><b kind=\"tarn:single \"/></r>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Child(Doc(root), 0).single, 1);
    EXPECT_EQ(Child(Doc(root), 0).attributes, "kind=\"tarn:single\" ");
    EXPECT_EQ(Child(Doc(root), 1).single, 0);
}

TEST_F(TemplateFixture, OtherDirectivesAreDroppedWithoutMessage)
{
    auto root = Load("<r tarn:note=\"x\" tarn:=\"y\" id=\"1\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Doc(root).attributes, "id=\"1\" ");
    EXPECT_EQ(Doc(root).single, 0);
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TemplateFixture, AttributeTextKeepsStartTagOrderAndEndsWithOneBlank)
{
    auto root = Load("<p zeta='1' alpha=\"two words\"  mid = \"3\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Doc(root).attributes, "zeta=\"1\" alpha=\"two words\" mid=\"3\" ");
}

TEST_F(TemplateFixture, AttributeValuesAreStoredDecoded)
{
    auto root = Load("<a href=\"x?a=1&amp;b=2\" test=\"a &lt; b\" q=\"say &quot;hi&quot;\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Doc(root).attributes, "href=\"x?a=1&b=2\" test=\"a < b\" q=\"say \"hi\"\" ");
}

TEST_F(TemplateFixture, NonAsciiNamesAreKeptAsUtf8Bytes)
{
    auto root = Load("<r><\xC3\xA9l\xC3\xA9ment \xE6\x97\xA5=\"\xE2\x82\xAC\"/></r>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Child(Doc(root), 0).name, "\xC3\xA9l\xC3\xA9ment");
    EXPECT_EQ(Child(Doc(root), 0).attributes, "\xE6\x97\xA5=\"\xE2\x82\xAC\" ");
    ASSERT_EQ(m_tree.Entries().size(), 2u);
    EXPECT_EQ(m_tree.Entries()[1].text, "\xC3\xA9l\xC3\xA9ment");
}

TEST_F(TemplateFixture, DeclaredLatin1FileGivesUtf8Names)
{
    auto root = Load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><caf\xE9/></r>");
    ASSERT_TRUE(root);
    EXPECT_EQ(Child(Doc(root), 0).name, "caf\xC3\xA9");
}

TEST_F(TemplateFixture, TreeGetsDocumentElementAsOnlyTopItemAndOthersInFileOrder)
{
    auto root = Load("<r>\n  <li/>\n  <ul><li/><li/></ul>\n  <li/>\n</r>\n");
    ASSERT_TRUE(root);
    const auto& items = m_tree.Entries();
    ASSERT_EQ(items.size(), 6u);
    const std::vector<std::string> texts{"r", "li", "ul", "li", "li", "li"};
    const std::vector<std::size_t> parents{0, 1, 1, 3, 3, 1};  // 0: top level, else 1-based
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].text, texts[i]) << i;
        EXPECT_EQ(reinterpret_cast<std::size_t>(items[i].parent), parents[i]) << i;
    }
    const TemplateNode& r = Doc(root);
    EXPECT_EQ(items[0].node, &r);
    EXPECT_EQ(items[1].node, &Child(r, 0));
    EXPECT_EQ(items[3].node, &Child(Child(r, 1), 0));
    EXPECT_EQ(items[4].node, &Child(Child(r, 1), 1));
    EXPECT_NE(items[3].node, items[4].node);
    EXPECT_EQ(items[5].node, &Child(r, 2));
}

TEST_F(TemplateFixture, LoadsWithoutTreePane)
{
    CTemplateParser parser;
    std::unique_ptr<TemplateNode> root(parser.LoadFile(WriteFile("<r><a/></r>"), nullptr));
    ASSERT_TRUE(root);
    EXPECT_EQ(Doc(root).childCount, 1);
}

TEST_F(TemplateFixture, InsertIntoTreePlacesSubtreeUnderGivenParent)
{
    auto root = Load("<r><a><b/></a></r>");
    ASSERT_TRUE(root);
    CRecordingTree tree;
    const ITemplateTree::Item parent = CRecordingTree::ItemOf(41);
    CTemplateParser::InsertIntoTree(root->children[0]->children[0], &tree, parent);
    ASSERT_EQ(tree.Entries().size(), 2u);
    EXPECT_EQ(tree.Entries()[0].text, "a");
    EXPECT_EQ(tree.Entries()[0].parent, parent);
    EXPECT_EQ(tree.Entries()[1].parent, CRecordingTree::ItemOf(0));
}

TEST_F(TemplateFixture, SiblingsOfTheSameNameShowTheirAttributesInTheTree)
{
    auto root = Load("<r><p/><p class=\"note\"  id='x'/><b k=\"1\"/><d><p a=\"1\"/></d>"
                     "<p tarn:single=\"yes\"/><i/><i/></r>");
    ASSERT_TRUE(root);
    CRecordingTree tree;
    CTemplateParser::InsertIntoTree(root->children[0], &tree, nullptr);
    std::vector<std::string> labels;
    for (const CRecordingTree::Entry& entry : tree.Entries())
        labels.push_back(entry.text);
    const std::vector<std::string> expected = {
        "r", "p", "p class=\"note\" id=\"x\"", "b", "d", "p", "p", "i", "i"};
    EXPECT_EQ(labels, expected);
}
