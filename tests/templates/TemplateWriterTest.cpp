// Saving a template tree: the text written, and that it loads back to the same tree.
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateWriter.h"
#include "TreeDump.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TemplateNode> LoadText(const QTemporaryDir& dir, const std::string& text,
                                       const char* name)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    file.close();
    CTemplateParser parser;
    std::unique_ptr<TemplateNode> root(parser.LoadFile(path, nullptr));
    EXPECT_TRUE(root) << parser.ErrorMessage().toStdString();
    return root;
}

struct SRoundTrip
{
    const char* label;
    const char* file;
    const char* tree;
};

const SRoundTrip kRoundTrips[] = {
    {"values_needing_references",
     R"(<a x="1 &amp; &lt;2&gt;" y="a &quot;b&quot;" z="tab&#9;line&#10;end"><b/></a>)",
     "a(x=\"1 & <2>\" y=\"a \"b\"\" z=\"tab\tline\nend\" ){b}"},
    {"directives_and_single", R"(<a tarn:single="no" tarn:other="1" k="tarn:single"/>)",
     "a(k=\"tarn:single\" )/"},
    {"several_top_level_templates", "<tarn:templates><p/><q><r/></q></tarn:templates>", "p | q{r}"},
    {"non_ascii_names", "<b\xC3\xA4r \xC3\xA9t\xC3\xA9=\"\xE2\x82\xAC\"/>",
     "b\xC3\xA4r(\xC3\xA9t\xC3\xA9=\"\xE2\x82\xAC\" )"},
};

class TemplateRoundTripTest : public ::testing::TestWithParam<SRoundTrip>
{
};

TEST_P(TemplateRoundTripTest, SavedFileLoadsBackToTheSameTree)
{
    QTemporaryDir dir;
    const auto original = LoadText(dir, GetParam().file, "in.xml");
    ASSERT_TRUE(original);
    EXPECT_EQ(DumpTree(*original), GetParam().tree);
    const auto reloaded = LoadText(dir, TemplateFileText(*original), "out.xml");
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(DumpTree(*reloaded), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(Trees, TemplateRoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(TemplateWriterTest, WritesIndentedElementsWithTheSingleDirective)
{
    QTemporaryDir dir;
    const auto root =
        LoadText(dir, "<doc id=\"\"><br tarn:single=\"\"/><p><b/></p></doc>", "a.xml");
    ASSERT_TRUE(root);
    EXPECT_EQ(TemplateFileText(*root), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<doc id=\"\">\n"
                                       "  <br tarn:single=\"yes\"/>\n"
                                       "  <p>\n"
                                       "    <b/>\n"
                                       "  </p>\n"
                                       "</doc>\n");
}

TEST(TemplateWriterTest, ReportsAFileThatCannotBeWritten)
{
    TemplateNode root;
    const QString error = SaveTemplateFile(root, QStringLiteral("/nonexistent-dir/t.xml"));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent-dir/t.xml"))) << error.toStdString();
}

TEST(TemplateWriterTest, SplitsAttributeTextIntoPairs)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const std::pair<const char*, Pairs> cases[] = {
        {"", {}},
        {"a=\"\" ", {{"a", ""}}},
        {"a=\"1\" b=\"x y\" ", {{"a", "1"}, {"b", "x y"}}},
        {"a=\"say \"hi\" now\" b=\"2\" ", {{"a", "say \"hi\" now"}, {"b", "2"}}},
        {"a=\"ends \"q\"\" ", {{"a", "ends \"q\""}}},
    };
    for (const auto& [text, pairs] : cases)
        EXPECT_EQ(SplitAttributeText(text), pairs) << text;
}

}  // namespace
