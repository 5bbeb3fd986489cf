#include "LineNumberInput.h"

#include "CommandIds.h"
#include "StringTable.h"

#include <limits>

namespace {

bool IsBlank(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t');
}

}  // namespace

CLineNumberInput::SResult CLineNumberInput::Parse(const QString& strField, int nLastLine)
{
    long long nValue = 0;
    if (!ReadInteger(strField.left(kMaxCharsRead), nValue))
        return {EStatus::NotInteger, 0};
    if (nValue < kMinLine || nValue > nLastLine)
        return {EStatus::OutOfRange, 0};
    return {EStatus::Ok, static_cast<int>(nValue)};
}

QString CLineNumberInput::Message(EStatus eStatus, int nLastLine)
{
    switch (eStatus) {
    case EStatus::NotInteger:
        return LoadString(AFX_IDP_PARSE_INT);
    case EStatus::OutOfRange:
        return FormatString2(LoadString(AFX_IDP_PARSE_INT_RANGE), QString::number(kMinLine),
                             QString::number(nLastLine));
    case EStatus::Ok:
        break;
    }
    return QString();
}

// Blanks, an optional sign, decimal digits, blanks. As in the framework, a value of 0 counts
// only when the number starts with the digit 0 ("+0" and "-0" are refused).
bool CLineNumberInput::ReadInteger(const QString& strText, long long& nValue)
{
    int i = 0;
    while (i < strText.size() && IsBlank(strText[i]))
        ++i;
    const bool bStartsWithZero = i < strText.size() && strText[i] == QLatin1Char('0');
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == QLatin1Char('+') || strText[i] == QLatin1Char('-')))
        bNegative = strText[i++] == QLatin1Char('-');
    const long long nLimit = std::numeric_limits<int>::max();
    long long nMagnitude = 0;
    for (; i < strText.size() && strText[i] >= QLatin1Char('0') && strText[i] <= QLatin1Char('9');
         ++i) {
        nMagnitude = nMagnitude * 10 + (strText[i].unicode() - '0');
        if (nMagnitude > nLimit + 1)
            return false;
    }
    if (nMagnitude == 0 && !bStartsWithZero)
        return false;
    while (i < strText.size() && IsBlank(strText[i]))
        ++i;
    if (i != strText.size())
        return false;
    nValue = bNegative ? -nMagnitude : nMagnitude;
    return nValue >= std::numeric_limits<int>::min() && nValue <= nLimit;
}
