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
    static constexpr int kMaxCharsRead = 31;

    // Accepts kMinLine to `nLastLine`, the text's last line index.
    static SResult Parse(const QString& strField, int nLastLine);

    // The message for a refused entry, naming the range up to `nLastLine`; empty for Ok.
    static QString Message(EStatus eStatus, int nLastLine);

private:
    static bool ReadInteger(const QString& strText, long long& nValue);
};
