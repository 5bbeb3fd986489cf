// The template made from the elements a document uses.
#include "DocumentTemplate.h"
#include "TemplateNode.h"
#include "TemplateSource.h"
#include "TreeDump.h"
#include "markup/StringText.h"

#include <gtest/gtest.h>

namespace {

std::string DocumentTree(const std::string& text)
{
    const CStringText styled(text);
    SDocumentElements scan = ScanDocumentElements(styled, JobProgress());
    EXPECT_FALSE(scan.bCancelled);
    const STemplateLoad load = TemplateFromGrammar(std::move(scan.model), QString());
    return DumpTree(*load.root);
}

TEST(DocumentTemplateTest, NestsElementsAsTheDocumentDoes)
{
    const std::string filler(1 << 20, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {R"(<doc id="1" lang='en'><p class="a">x<b>y</b></p><p other="2"/><br/><br/></doc>)",
         R"(doc(id="" lang="" ){p(class="" ){b},br/})"},
        {"<list><item><list><item/></list></item></list>", "list{item{list}}"},
        {"<?xml version=\"1.0\"?><!DOCTYPE a><!-- note --><a/>", "a/"},
        {"<a><b><c></a><d/>", "a{b{c}} | d/"},
        {"<r>" + filler + "<late a=\"1\"/></r>", R"(r{late(a="" )/})"},
        {"no markup at all", ""},
    };
    for (const auto& [text, tree] : cases)
        EXPECT_EQ(DocumentTree(text), tree) << text.substr(0, 80);
}

TEST(DocumentTemplateTest, CancelStopsTheScan)
{
    const CStringText styled("<a><b/></a>");
    const SDocumentElements scan =
        ScanDocumentElements(styled, [](long long, long long) { return false; });
    EXPECT_TRUE(scan.bCancelled);
}

TEST(DocumentTemplateTest, ReadsAttributeNamesOfAStartTag)
{
    using Names = std::vector<std::string>;
    const std::pair<const char*, Names> cases[] = {
        {"<a>", {}},
        {"<a x=\"1\" y='2'>", {"x", "y"}},
        {"<a  x = \"a b=c\"\n z=3 w=4/>", {"x", "z", "w"}},
        {"<svg:a xlink:href=\"#\" x=\"1\" x=\"2\">", {"xlink:href", "x"}},
        {"<a x=\"unclosed", {"x"}},
    };
    for (const auto& [tag, names] : cases)
        EXPECT_EQ(AttributeNamesOfTag(tag), names) << tag;
}

}  // namespace
