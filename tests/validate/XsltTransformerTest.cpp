#include "XsltTransformer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(TEST_DATA_DIR "/validate/");

QByteArray ReadData(const QString& name)
{
    QFile file(kDataDir + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

struct STransformCase
{
    const char* document;
    const char* chosenStylesheet;
    bool bDone;
    const char* expected;  // in the output when done, else in the message
};

class TransformOutcomes : public ::testing::TestWithParam<STransformCase>
{
};

TEST_P(TransformOutcomes, FollowTheStylesheet)
{
    const STransformCase& c = GetParam();
    const QString chosen = *c.chosenStylesheet ? kDataDir + c.chosenStylesheet : QString();
    const STransformResult result =
        TransformXmlText({ReadData(c.document), kDataDir + c.document, chosen});
    EXPECT_EQ(result.bDone, c.bDone) << result.strMessage.toStdString();
    const QString text = c.bDone ? QString::fromUtf8(result.output) : result.strMessage;
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << text.toStdString();
}

const STransformCase kCases[] = {
    {"styled.xml", "", true, "Lines: 2"},
    {"rng-valid.xml", "style.xsl", true, "Lines: 2"},
    {"plain.xml", "", false, "plain.xml names no XSLT stylesheet"},
    {"plain.xml", "absent.xsl", false, "absent.xsl cannot be read"},
    {"plain.xml", "broken.xsl", false, "broken.xsl has errors"},
    {"bomb.xml", "style.xsl", false, "not well-formed"},
};

INSTANTIATE_TEST_SUITE_P(Corpus, TransformOutcomes, ::testing::ValuesIn(kCases));

TEST(XsltTransformer, ListsTheStylesheetErrors)
{
    const STransformResult result =
        TransformXmlText({ReadData("plain.xml"), kDataDir + "plain.xml", kDataDir + "broken.xsl"});
    ASSERT_FALSE(result.issues.isEmpty());
}

TEST(XsltTransformer, StylesheetCannotWriteFiles)
{
    QTemporaryDir dir;
    const QString stylesheet = dir.filePath("writer.xsl");
    ASSERT_TRUE(QFile::copy(kDataDir + "writer.xsl", stylesheet));
    const STransformResult result = TransformXmlText({"<r/>", dir.filePath("doc.xml"), stylesheet});
    EXPECT_FALSE(result.bDone);
    QStringList messages;
    for (const SValidationIssue& issue : result.issues)
        messages << issue.strMessage;
    EXPECT_TRUE(messages.join('\n').contains("denied")) << messages.join('\n').toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).size() == 1)
        << QDir(dir.path()).entryList(QDir::Files).join(' ').toStdString();
}

}  // namespace
