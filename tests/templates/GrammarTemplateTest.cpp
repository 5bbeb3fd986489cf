// Grammars of each kind turned into template trees, and those trees saved and loaded back.
#include "RecordingTree.h"
#include "TemplateNode.h"
#include "TemplateSource.h"
#include "TemplateWriter.h"
#include "TreeDump.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SGrammarCase
{
    const char* label;
    const char* fileName;
    const char* text;
    const char* kind;
    const char* tree;
};

const SGrammarCase kCases[] = {
    {"dtd_sequence_choice_mixed_empty_required", "doc.dtd",
     R"(<!ELEMENT doc (title, (para | list)*, note?)>
<!ELEMENT title (#PCDATA)>
<!ELEMENT para (#PCDATA | b | br)*>
<!ELEMENT b (#PCDATA)>
<!ELEMENT br EMPTY>
<!ELEMENT list (item+)>
<!ELEMENT item (para | list)+>
<!ELEMENT note (#PCDATA)>
<!ATTLIST note id ID #REQUIRED kind CDATA #IMPLIED>
<!ATTLIST br class CDATA #FIXED "x">
<!ATTLIST doc version CDATA #REQUIRED lang CDATA #REQUIRED>
)",
     "DTD", R"(doc(version="" lang="" ){title,para{b,br/},list{item{para,list}},note(id="" )})"},
    {"dtd_any_and_two_roots", "any.dtd", "<!ELEMENT a ANY>\n<!ELEMENT b (c)>\n<!ELEMENT c EMPTY>\n",
     "DTD", "a{a,b,c/} | b{c/}"},
    {"dtd_only_recursive_elements", "sect.dtd",
     "<!ELEMENT sect (title, sect*)>\n<!ELEMENT title (#PCDATA)>\n", "DTD", "sect{title,sect}"},
    {"xsd_types_groups_extension_substitution", "book.xsd",
     R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="book">
    <xs:complexType>
      <xs:sequence>
        <xs:element name="title" type="xs:string"/>
        <xs:choice maxOccurs="unbounded">
          <xs:element ref="chapter"/>
          <xs:group ref="blocks"/>
        </xs:choice>
      </xs:sequence>
      <xs:attribute name="id" type="xs:ID" use="required"/>
      <xs:attribute name="lang" type="xs:string"/>
      <xs:attributeGroup ref="common"/>
    </xs:complexType>
  </xs:element>
  <xs:element name="chapter" type="chapterType"/>
  <xs:complexType name="chapterType">
    <xs:complexContent>
      <xs:extension base="sectionBase">
        <xs:sequence><xs:element ref="chapter" minOccurs="0"/></xs:sequence>
        <xs:attribute name="number" use="required"/>
      </xs:extension>
    </xs:complexContent>
  </xs:complexType>
  <xs:complexType name="sectionBase">
    <xs:sequence><xs:element name="heading" type="xs:string"/></xs:sequence>
  </xs:complexType>
  <xs:group name="blocks">
    <xs:choice>
      <xs:element ref="para"/>
      <xs:element name="rule"><xs:complexType/></xs:element>
    </xs:choice>
  </xs:group>
  <xs:attributeGroup name="common"><xs:attribute name="version" use="required"/></xs:attributeGroup>
  <xs:element name="para">
    <xs:complexType mixed="true">
      <xs:choice minOccurs="0" maxOccurs="unbounded">
        <xs:element ref="emph"/><xs:element ref="inline"/>
      </xs:choice>
    </xs:complexType>
  </xs:element>
  <xs:element name="emph" type="xs:string"/>
  <xs:element name="inline" abstract="true"/>
  <xs:element name="code" substitutionGroup="inline" type="xs:string"/>
</xs:schema>
)",
     "XML Schema",
     R"(book(id="" version="" ){title,chapter(number="" ),para,rule/} | )"
     R"(chapter(number="" ){heading,chapter(number="" )} | para{emph,code} | emph | code)"},
    {"rng_defines_optional_interleave_empty", "doc.rng",
     R"(<grammar xmlns="http://relaxng.org/ns/structure/1.0">
  <start><ref name="doc"/></start>
  <define name="doc">
    <element name="doc">
      <attribute name="version"/>
      <optional><attribute name="lang"/></optional>
      <ref name="head"/>
      <zeroOrMore>
        <choice><ref name="block"/><element><name>hr</name><empty/></element></choice>
      </zeroOrMore>
    </element>
  </define>
  <define name="head">
    <element name="head">
      <interleave>
        <element name="title"><text/></element>
        <optional><element name="meta"><attribute name="name"/><empty/></element></optional>
      </interleave>
    </element>
  </define>
  <define name="block">
    <choice>
      <element name="p"><mixed><zeroOrMore><element name="em"><text/></element></zeroOrMore></mixed></element>
      <ref name="list"/>
    </choice>
  </define>
  <define name="list">
    <element name="list">
      <oneOrMore>
        <element name="item"><attribute name="id"/><zeroOrMore><ref name="block"/></zeroOrMore></element>
      </oneOrMore>
    </element>
  </define>
</grammar>
)",
     "RELAX NG",
     R"(doc(version="" ){head{title,meta(name="" )/},p{em},list{item(id="" ){p,list}},hr/})"},
};

class GrammarTemplateTest : public ::testing::TestWithParam<SGrammarCase>
{
protected:
    QString Write(const char* name, const std::string& text)
    {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_P(GrammarTemplateTest, BuildsTheTreeAndSavesAFileThatLoadsBackTheSame)
{
    const SGrammarCase& c = GetParam();
    CRecordingTree tree;
    const STemplateLoad load = LoadTemplateSource(Write(c.fileName, c.text), &tree);
    ASSERT_TRUE(load.root) << load.strError.toStdString();
    EXPECT_EQ(load.strGrammarKind.toStdString(), c.kind);
    EXPECT_EQ(DumpTree(*load.root), c.tree);
    std::size_t nTopItems = 0;
    for (const auto& entry : tree.Entries())
        nTopItems += entry.parent == nullptr ? 1 : 0;
    EXPECT_EQ(nTopItems, static_cast<std::size_t>(load.root->childCount));

    const QString saved = m_dir.filePath(QStringLiteral("saved.xml"));
    ASSERT_EQ(SaveTemplateFile(*load.root, saved), QString());
    const STemplateLoad again = LoadTemplateSource(saved, nullptr);
    ASSERT_TRUE(again.root) << again.strError.toStdString();
    EXPECT_TRUE(again.strGrammarKind.isEmpty());
    EXPECT_EQ(DumpTree(*again.root), c.tree);
}

INSTANTIATE_TEST_SUITE_P(Forms, GrammarTemplateTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(GrammarTemplateTest, NeitherTemplateNorGrammarGetsAMessageNamingTheProblem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<a><b></a>", "mismatched tag at line 1"},
        {"plain text", "syntax error at line 1"},
        {"<grammar xmlns=\"http://relaxng.org/ns/structure/1.0\"><include href=\"gone.rng\"/>"
         "</grammar>",
         "gone.rng"},
        {"<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>", "declares no elements"},
    };
    for (const auto& [text, message] : cases) {
        const STemplateLoad load = LoadTemplateSource(Write("bad.xml", text), nullptr);
        EXPECT_FALSE(load.root) << text;
        EXPECT_TRUE(load.strError.contains(QString::fromUtf8(message)))
            << text << ": " << load.strError.toStdString();
    }
}

}  // namespace
