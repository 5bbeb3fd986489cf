// Reads the Go to line field the way the framework reads an integer field, with its messages.
#pragma once

#include <QString>

class CLineNumberInput
{
public:
    enum class EStatus
    {
        Ok,
        NotInteger,
        OutOfRange
    };

    struct SResult
    {
        EStatus eStatus;
        int nValue;  // meaningful when eStatus is Ok
    };

    static constexpr int kMinLine = 0;
    static constexpr int kMaxLine = 99999;
    static constexpr int kMaxCharsRead = 31;

    static SResult Parse(const QString& strField);

    // The message for a refused entry; empty for Ok.
    static QString Message(EStatus eStatus);

private:
    static bool ReadInteger(const QString& strText, long long& nValue);
};
