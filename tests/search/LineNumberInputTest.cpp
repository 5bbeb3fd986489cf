#include "LineNumberInput.h"

#include <gtest/gtest.h>

namespace {

using EStatus = CLineNumberInput::EStatus;

struct SCase
{
    const char* szField;
    EStatus eStatus;
    int nValue;
};

TEST(LineNumberInputTest, ReadsFieldAsFrameworkIntegerWithinRange)
{
    const SCase cases[] = {
        {"0", EStatus::Ok, 0},
        {"00", EStatus::Ok, 0},
        {"5", EStatus::Ok, 5},
        {"007", EStatus::Ok, 7},
        {" \t42 \t", EStatus::Ok, 42},
        {"99999", EStatus::Ok, 99999},
        {"+12", EStatus::Ok, 12},
        {"100000", EStatus::OutOfRange, 0},
        {"-1", EStatus::OutOfRange, 0},
        {"2147483647", EStatus::OutOfRange, 0},
        {"", EStatus::NotInteger, 0},
        {"   ", EStatus::NotInteger, 0},
        {"12x", EStatus::NotInteger, 0},
        {"1 2", EStatus::NotInteger, 0},
        {"x12", EStatus::NotInteger, 0},
        {"-", EStatus::NotInteger, 0},
        {"+0", EStatus::NotInteger, 0},
        {"2147483648", EStatus::NotInteger, 0},
        {"99999999999999999999", EStatus::NotInteger, 0},
    };
    for (const SCase& c : cases) {
        const CLineNumberInput::SResult result =
            CLineNumberInput::Parse(QString::fromLatin1(c.szField));
        EXPECT_EQ(result.eStatus, c.eStatus) << c.szField;
        if (c.eStatus == EStatus::Ok) {
            EXPECT_EQ(result.nValue, c.nValue) << c.szField;
        }
    }
}

TEST(LineNumberInputTest, ReadsOnlyFirst31Characters)
{
    const QString blanks(29, QLatin1Char(' '));
    EXPECT_EQ(CLineNumberInput::Parse(blanks + QStringLiteral("12")).nValue, 12);
    const CLineNumberInput::SResult cut = CLineNumberInput::Parse(blanks + QStringLiteral("123"));
    EXPECT_EQ(cut.eStatus, EStatus::Ok);
    EXPECT_EQ(cut.nValue, 12);
    EXPECT_EQ(CLineNumberInput::Parse(QString(31, QLatin1Char(' ')) + QStringLiteral("7")).eStatus,
              EStatus::NotInteger);
    EXPECT_EQ(CLineNumberInput::Parse(QStringLiteral("5") + QString(30, QLatin1Char(' '))
                                      + QStringLiteral("x"))
                  .eStatus,
              EStatus::Ok);
}

TEST(LineNumberInputTest, MessagesAreTheFrameworkTexts)
{
    EXPECT_EQ(CLineNumberInput::Message(EStatus::NotInteger),
              QStringLiteral("Please enter an integer."));
    EXPECT_EQ(CLineNumberInput::Message(EStatus::OutOfRange),
              QStringLiteral("Please enter an integer between 0 and 99999."));
    EXPECT_TRUE(CLineNumberInput::Message(EStatus::Ok).isEmpty());
}

}  // namespace
