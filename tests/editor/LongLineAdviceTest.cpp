#include "LongLineAdvice.h"

#include <gtest/gtest.h>

namespace {

constexpr long long kMb = 1024 * 1024;

TEST(LongLineAdviceTest, AsksOnlyForALineThatWouldTakeLongerThanTheLongestWait)
{
    const long long nLimit =
        static_cast<long long>(CLongLineAdvice::kLongestWait / CLongLineAdvice::kSecondsPerMegabyte
                               * static_cast<double>(kMb));
    const struct
    {
        long long nLine;
        bool bAsks;
    } cases[] = {{0, false}, {80, false}, {nLimit, false}, {nLimit + 1024, true}, {50 * kMb, true}};
    for (const auto& c : cases)
        EXPECT_EQ(CLongLineAdvice(c.nLine).NeedsChoice(), c.bAsks) << c.nLine;
}

TEST(LongLineAdviceTest, SizesAndWaitsReadAsAUserReadsThem)
{
    const struct
    {
        long long nBytes;
        const char* text;
    } sizes[] = {
        {1, "1 KB"}, {640 * 1024, "640 KB"}, {kMb, "1.0 MB"}, {12 * kMb + kMb / 2, "12.5 MB"}};
    for (const auto& c : sizes)
        EXPECT_EQ(CLongLineAdvice::SizeText(c.nBytes), QString::fromLatin1(c.text));
    EXPECT_EQ(CLongLineAdvice::WaitText(0.64), QStringLiteral("about 0.6 seconds"));
    EXPECT_EQ(CLongLineAdvice::WaitText(9.4), QStringLiteral("about 9.4 seconds"));
    EXPECT_EQ(CLongLineAdvice::WaitText(31.6), QStringLiteral("about 32 seconds"));
}

TEST(LongLineAdviceTest, TheQuestionNamesTheFileTheLineAndTheWaitAndOffersFormatOnlyWhenWellFormed)
{
    const CLongLineAdvice advice(10 * kMb);
    const QString wait = CLongLineAdvice::WaitText(advice.Seconds());
    const struct
    {
        QString notWellFormed;
        const char* says;
        const char* doesNotSay;
    } cases[] = {
        {QString(), "Format XML breaks it into indented lines", "not well-formed"},
        {QStringLiteral("mismatched tag at line 1\n"), "not well-formed, so Format XML cannot",
         "Format it"},
    };
    for (const auto& c : cases) {
        const QString text = advice.Question(QStringLiteral("/d/feed.xml"), c.notWellFormed);
        EXPECT_TRUE(text.contains(QStringLiteral("/d/feed.xml"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("10.0 MB"))) << text.toStdString();
        EXPECT_TRUE(text.contains(wait)) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << text.toStdString();
        EXPECT_FALSE(text.contains(QString::fromLatin1(c.doesNotSay))) << text.toStdString();
    }
    EXPECT_TRUE(advice.UndoQuestion().contains(QStringLiteral("10.0 MB")));
    EXPECT_TRUE(advice.UndoQuestion().contains(wait));
}

}  // namespace
