#include "LineNumberInput.h"

#include <gtest/gtest.h>

namespace {

using EStatus = CLineNumberInput::EStatus;

struct SCase
{
    const char* szField;
    int nLastLine;
    EStatus eStatus;
    int nValue;
};

constexpr int kLast = 99999;

TEST(LineNumberInputTest, ReadsFieldAsFrameworkIntegerUpToTheLastLine)
{
    const SCase cases[] = {
        {"0", kLast, EStatus::Ok, 0},
        {"00", kLast, EStatus::Ok, 0},
        {"5", kLast, EStatus::Ok, 5},
        {"007", kLast, EStatus::Ok, 7},
        {" \t42 \t", kLast, EStatus::Ok, 42},
        {"99999", kLast, EStatus::Ok, 99999},
        {"+12", kLast, EStatus::Ok, 12},
        {"100000", kLast, EStatus::OutOfRange, 0},
        {"-1", kLast, EStatus::OutOfRange, 0},
        {"2147483647", kLast, EStatus::OutOfRange, 0},
        {"", kLast, EStatus::NotInteger, 0},
        {"   ", kLast, EStatus::NotInteger, 0},
        {"12x", kLast, EStatus::NotInteger, 0},
        {"1 2", kLast, EStatus::NotInteger, 0},
        {"x12", kLast, EStatus::NotInteger, 0},
        {"-", kLast, EStatus::NotInteger, 0},
        {"+0", kLast, EStatus::NotInteger, 0},
        {"2147483648", kLast, EStatus::NotInteger, 0},
        {"99999999999999999999", kLast, EStatus::NotInteger, 0},
        {"500000", 674489, EStatus::Ok, 500000},
        {"674489", 674489, EStatus::Ok, 674489},
        {"674490", 674489, EStatus::OutOfRange, 0},
        {"0", 0, EStatus::Ok, 0},
        {"1", 0, EStatus::OutOfRange, 0},
        {"2147483647", 2147483647, EStatus::Ok, 2147483647},
    };
    for (const SCase& c : cases) {
        const CLineNumberInput::SResult result =
            CLineNumberInput::Parse(QString::fromLatin1(c.szField), c.nLastLine);
        EXPECT_EQ(result.eStatus, c.eStatus) << c.szField << " up to " << c.nLastLine;
        if (c.eStatus == EStatus::Ok) {
            EXPECT_EQ(result.nValue, c.nValue) << c.szField << " up to " << c.nLastLine;
        }
    }
}

TEST(LineNumberInputTest, ReadsOnlyFirst31Characters)
{
    const QString blanks(29, QLatin1Char(' '));
    EXPECT_EQ(CLineNumberInput::Parse(blanks + QStringLiteral("12"), kLast).nValue, 12);
    const CLineNumberInput::SResult cut =
        CLineNumberInput::Parse(blanks + QStringLiteral("123"), kLast);
    EXPECT_EQ(cut.eStatus, EStatus::Ok);
    EXPECT_EQ(cut.nValue, 12);
    EXPECT_EQ(
        CLineNumberInput::Parse(QString(31, QLatin1Char(' ')) + QStringLiteral("7"), kLast).eStatus,
        EStatus::NotInteger);
    EXPECT_EQ(CLineNumberInput::Parse(
                  QStringLiteral("5") + QString(30, QLatin1Char(' ')) + QStringLiteral("x"), kLast)
                  .eStatus,
              EStatus::Ok);
}

TEST(LineNumberInputTest, MessagesAreTheFrameworkTexts)
{
    EXPECT_EQ(CLineNumberInput::Message(EStatus::NotInteger, kLast),
              QStringLiteral("Please enter an integer."));
    EXPECT_EQ(CLineNumberInput::Message(EStatus::OutOfRange, kLast),
              QStringLiteral("Please enter an integer between 0 and 99999."));
    EXPECT_EQ(CLineNumberInput::Message(EStatus::OutOfRange, 674489),
              QStringLiteral("Please enter an integer between 0 and 674489."));
    EXPECT_TRUE(CLineNumberInput::Message(EStatus::Ok, kLast).isEmpty());
}

}  // namespace
