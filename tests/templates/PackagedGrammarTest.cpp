// Grammars Debian ships, read as templates: skipped when the package is not installed.
#include "TemplateNode.h"
#include "TemplateSource.h"
#include "TemplateWriter.h"
#include "TreeDump.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const TemplateNode* FindTop(const TemplateNode& root, const std::string& name)
{
    for (std::int32_t i = 0; i < root.childCount; ++i) {
        if (root.children[i]->name == name)
            return root.children[i];
    }
    return nullptr;
}

// The expanded occurrence of `name`: breadth first, the first with children (or the first).
const TemplateNode* FindExpanded(const TemplateNode& root, const std::string& name)
{
    std::vector<const TemplateNode*> queue{&root};
    const TemplateNode* first = nullptr;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const TemplateNode* node = queue[i];
        if (node->name == name) {
            if (node->childCount > 0)
                return node;
            if (!first)
                first = node;
        }
        queue.insert(queue.end(), node->children, node->children + node->childCount);
    }
    return first;
}

std::vector<std::string> ChildNames(const TemplateNode& node)
{
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < node.childCount; ++i)
        names.push_back(node.children[i]->name);
    return names;
}

struct SPackaged
{
    const char* label;
    const char* path;
    const char* top;         // a top-level item
    const char* element;     // an element to look at
    const char* childrenOf;  // its children, as the content model lists them
    const char* attributes;  // its attribute text
    int single;
};

const SPackaged kPackaged[] = {
    {"xhtml1_strict",
     "/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-xhtml1-20020801/xhtml1-strict.dtd", "html", "html",
     "head body", "", 0},
    {"xhtml1_img", "/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-xhtml1-20020801/xhtml1-strict.dtd",
     "html", "img", "", "src=\"\" alt=\"\" ", 1},
    {"svg11", "/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-SVG11-20110816/svg11.dtd", "svg",
     "circle", "desc title metadata animate set animateMotion animateColor animateTransform",
     "r=\"\" ", 0},
    // Every DocBook element is contained by another but set, which only contains itself.
    {"docbook45", "/usr/share/xml/docbook/schema/dtd/4.5/docbookx.dtd", "set", "book", nullptr, "",
     0},
};

class PackagedGrammarTest : public ::testing::TestWithParam<SPackaged>
{
};

TEST_P(PackagedGrammarTest, ReadsTheShippedGrammar)
{
    const SPackaged& p = GetParam();
    if (!QFile::exists(QString::fromUtf8(p.path)))
        GTEST_SKIP() << p.path << " is not installed";
    const STemplateLoad load = LoadTemplateSource(QString::fromUtf8(p.path), nullptr);
    ASSERT_TRUE(load.root) << load.strError.toStdString();
    EXPECT_EQ(load.strGrammarKind.toStdString(), "DTD");
    EXPECT_TRUE(FindTop(*load.root, p.top)) << p.top;
    const TemplateNode* node = FindExpanded(*load.root, p.element);
    ASSERT_TRUE(node) << p.element;
    if (p.childrenOf) {
        std::string names;
        for (const std::string& name : ChildNames(*node))
            names += (names.empty() ? "" : " ") + name;
        EXPECT_EQ(names, p.childrenOf);
    }
    EXPECT_EQ(node->attributes, p.attributes);
    EXPECT_EQ(node->single, p.single);

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.xml"));
    ASSERT_EQ(SaveTemplateFile(*load.root, saved), QString());
    const STemplateLoad again = LoadTemplateSource(saved, nullptr);
    ASSERT_TRUE(again.root) << again.strError.toStdString();
    EXPECT_EQ(DumpTree(*again.root), DumpTree(*load.root));
}

INSTANTIATE_TEST_SUITE_P(Debian, PackagedGrammarTest, ::testing::ValuesIn(kPackaged),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
