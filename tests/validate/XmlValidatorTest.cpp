#include "GrammarLocator.h"
#include "XmlValidator.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(TEST_DATA_DIR "/validate/");

QByteArray ReadData(const QString& name)
{
    QFile file(kDataDir + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

SValidationResult ValidateData(const QString& name, const QString& grammar = QString())
{
    const QString chosen = grammar.isEmpty() ? QString() : kDataDir + grammar;
    return ValidateXmlText({ReadData(name), kDataDir + name, chosen});
}

struct SValidationCase
{
    const char* document;
    const char* chosenGrammar;
    EValidity expected;
    EGrammarKind kind;
    int nMinIssues;
    const char* messagePart;  // in the sentence, or in the first issue
};

class ValidationVerdicts : public ::testing::TestWithParam<SValidationCase>
{
};

TEST_P(ValidationVerdicts, AgreeWithTheGrammar)
{
    const SValidationCase& c = GetParam();
    const SValidationResult result = ValidateData(c.document, c.chosenGrammar);
    EXPECT_EQ(result.validity, c.expected) << result.strMessage.toStdString();
    if (c.expected == EValidity::Valid || c.expected == EValidity::Invalid) {
        EXPECT_EQ(result.grammarKind, c.kind);
    }
    EXPECT_GE(result.issues.size(), c.nMinIssues);
    if (c.expected == EValidity::Valid) {
        EXPECT_TRUE(result.issues.isEmpty()) << result.issues.first().strMessage.toStdString();
    }
    const QString text =
        result.issues.isEmpty() ? result.strMessage : result.issues.first().strMessage;
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.messagePart))) << text.toStdString();
}

const SValidationCase kCases[] = {
    {"dtd-valid.xml", "", EValidity::Valid, EGrammarKind::Dtd, 0, ""},
    {"dtd-invalid.xml", "", EValidity::Invalid, EGrammarKind::Dtd, 2, "extra"},
    {"internal-valid.xml", "", EValidity::Valid, EGrammarKind::Dtd, 0, ""},
    {"internal-invalid.xml", "", EValidity::Invalid, EGrammarKind::Dtd, 1, "b"},
    {"xsd-valid.xml", "", EValidity::Valid, EGrammarKind::XmlSchema, 0, ""},
    {"xsd-invalid.xml", "", EValidity::Invalid, EGrammarKind::XmlSchema, 2, "count"},
    {"xsd-ns-valid.xml", "", EValidity::Valid, EGrammarKind::XmlSchema, 0, ""},
    {"xsd-ns-invalid.xml", "", EValidity::Invalid, EGrammarKind::XmlSchema, 1, "author"},
    {"rng-valid.xml", "", EValidity::Valid, EGrammarKind::RelaxNg, 0, ""},
    {"rng-invalid.xml", "", EValidity::Invalid, EGrammarKind::RelaxNg, 1, "para"},
    {"model-xsd-invalid.xml", "", EValidity::Invalid, EGrammarKind::XmlSchema, 1, "note"},
    {"plain.xml", "note.xsd", EValidity::Invalid, EGrammarKind::XmlSchema, 1, "note"},
    {"rng-valid.xml", "note.dtd", EValidity::Invalid, EGrammarKind::Dtd, 1, ""},
    {"rng-valid.xml", "note.rng", EValidity::Valid, EGrammarKind::RelaxNg, 0, ""},
    {"plain.xml", "", EValidity::CannotCheck, EGrammarKind::None, 0, "plain.xml names no grammar"},
    {"plain.xml", "absent.xsd", EValidity::CannotCheck, EGrammarKind::None, 0, "absent.xsd"},
    {"missing-dtd.xml", "", EValidity::CannotCheck, EGrammarKind::None, 0,
     "absent.dtd cannot be read"},
    {"network-dtd.xml", "", EValidity::CannotCheck, EGrammarKind::None, 0,
     "http://tarnel.invalid/note.dtd is not on this computer"},
    {"network-xsd.xml", "", EValidity::CannotCheck, EGrammarKind::None, 0,
     "http://tarnel.invalid/note.xsd is not on this computer"},
    {"plain.xml", "note.dtd", EValidity::Invalid, EGrammarKind::Dtd, 1, "to"},
    {"bomb.xml", "", EValidity::Invalid, EGrammarKind::None, 1, "entity"},
    {"broken-dtd.xml", "", EValidity::Invalid, EGrammarKind::None, 1, "broken.dtd:3: expected '>'"},
    {"not-well-formed.xml", "", EValidity::Invalid, EGrammarKind::None, 1, "from"},
};

INSTANTIATE_TEST_SUITE_P(Corpus, ValidationVerdicts, ::testing::ValuesIn(kCases));

TEST(XmlValidator, ReportsEveryErrorAtItsLine)
{
    const SValidationResult dtd = ValidateData("dtd-invalid.xml");
    ASSERT_EQ(dtd.validity, EValidity::Invalid);
    QVector<long> lines;
    for (const SValidationIssue& issue : dtd.issues)
        lines << issue.nLine;
    EXPECT_TRUE(lines.contains(6)) << "extra is not declared";
    EXPECT_TRUE(lines.contains(7)) << "note's content, judged at its end tag";

    const SValidationResult broken = ValidateData("not-well-formed.xml");
    ASSERT_FALSE(broken.issues.isEmpty());
    EXPECT_EQ(broken.issues.first().nLine, 2);
    EXPECT_GT(broken.issues.first().nColumn, 0);
}

TEST(XmlValidator, ErrorsInAnotherFileAreNotPlacedInTheDocument)
{
    const SValidationResult result = ValidateData("broken-dtd.xml");
    ASSERT_FALSE(result.issues.isEmpty());
    for (const SValidationIssue& issue : result.issues) {
        EXPECT_EQ(issue.nLine, 0) << issue.strMessage.toStdString();
    }
}

TEST(XmlValidator, ValidatesTheTextNotTheFileOnDisk)
{
    QByteArray text = ReadData("dtd-valid.xml");
    text.replace("<from>Bob</from>", "");
    const SValidationResult result = ValidateXmlText({text, kDataDir + "dtd-valid.xml", QString()});
    EXPECT_EQ(result.validity, EValidity::Invalid);
}

TEST(XmlValidator, CountsLinesPastSixtyFiveThousand)
{
    QByteArray text = "<!DOCTYPE r [<!ELEMENT r (a*)><!ELEMENT a EMPTY>]>\n<r>\n";
    for (int i = 0; i < 70000; ++i)
        text += "<a/>\n";
    text += "<b/>\n</r>\n";
    const SValidationResult result = ValidateXmlText({text, kDataDir + "big.xml", QString()});
    ASSERT_EQ(result.validity, EValidity::Invalid);
    QVector<long> lines;
    for (const SValidationIssue& issue : result.issues)
        lines << issue.nLine;
    EXPECT_TRUE(lines.contains(70003)) << lines.first();
}

TEST(XmlValidator, StopsWhenCancelled)
{
    const std::atomic_bool bCancel{true};
    QByteArray text = ReadData("dtd-valid.xml");
    text += QByteArray(3 << 20, ' ');
    const SValidationResult result =
        ValidateXmlText({text, kDataDir + "dtd-valid.xml", QString()}, &bCancel);
    EXPECT_EQ(result.validity, EValidity::Cancelled);
}

TEST(GrammarLocator, TellsGrammarKindsApartByContent)
{
    const std::pair<const char*, EGrammarKind> cases[] = {
        {"note.dtd", EGrammarKind::Dtd},
        {"note.xsd", EGrammarKind::XmlSchema},
        {"note.rng", EGrammarKind::RelaxNg},
        {"absent.rng", EGrammarKind::None},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(GrammarKindOfFile(kDataDir + name), kind) << name;
}

TEST(GrammarLocator, ReadsPseudoAttributesInEitherQuotes)
{
    const QMap<QString, QString> attrs =
        PseudoAttributes(QStringLiteral("href='a b.rng'  type = \"application/xml\" x=\"'\""));
    EXPECT_EQ(attrs.value("href"), "a b.rng");
    EXPECT_EQ(attrs.value("type"), "application/xml");
    EXPECT_EQ(attrs.value("x"), "'");
}

}  // namespace
