// The Go to line field over any text (the bytes read as UTF-16 code units), against a
// reference reading of the same rules.
#include "FuzzAssert.h"
#include "LineNumberInput.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr int kLastLine = 674489;

using EStatus = CLineNumberInput::EStatus;

// Blanks, a sign, digits, blanks in the first 31 characters; "+0" and "-0" are refused.
CLineNumberInput::SResult Reference(const QString& strField)
{
    static const QRegularExpression number(
        QRegularExpression::anchoredPattern(QStringLiteral("[ \\t]*([+-]?)([0-9]+)[ \\t]*")));
    const QRegularExpressionMatch match = number.match(strField.left(31));
    if (!match.hasMatch())
        return {EStatus::NotInteger, 0};
    const QString strSign = match.captured(1);
    QString strDigits = match.captured(2);
    while (strDigits.size() > 1 && strDigits.startsWith(QLatin1Char('0')))
        strDigits.remove(0, 1);
    if (strDigits == QLatin1String("0") && !strSign.isEmpty())
        return {EStatus::NotInteger, 0};
    if (strDigits.size() > 10)
        return {EStatus::NotInteger, 0};
    long long nValue = strDigits.toLongLong();
    if (strSign == QLatin1String("-"))
        nValue = -nValue;
    if (nValue < std::numeric_limits<int>::min() || nValue > std::numeric_limits<int>::max())
        return {EStatus::NotInteger, 0};
    if (nValue < CLineNumberInput::kMinLine || nValue > kLastLine)
        return {EStatus::OutOfRange, 0};
    return {EStatus::Ok, static_cast<int>(nValue)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString strField(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        strField[static_cast<qsizetype>(i / 2)] =
            QChar(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    const CLineNumberInput::SResult result = CLineNumberInput::Parse(strField, kLastLine);
    const CLineNumberInput::SResult expected = Reference(strField);
    FUZZ_ASSERT(result.eStatus == expected.eStatus);
    if (result.eStatus == EStatus::Ok)
        FUZZ_ASSERT(result.nValue == expected.nValue);
    else
        FUZZ_ASSERT(!CLineNumberInput::Message(result.eStatus, kLastLine).isEmpty());
    return 0;
}
