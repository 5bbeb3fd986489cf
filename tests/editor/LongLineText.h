// Texts with a line too long to show at once, for the tests of what the user is asked about them.
#pragma once

#include "LongLineAdvice.h"

#include <QByteArray>

// One line, long enough that the user is asked first.
inline QByteArray OneLineXml(bool bWellFormed)
{
    const long long nTarget = static_cast<long long>(
        CLongLineAdvice::kLongestWait / CLongLineAdvice::kSecondsPerMegabyte * 1024 * 1024 * 1.2);
    const QByteArray item("<item id=\"7\"><name>word</name></item>");
    const QByteArray body = item.repeated(static_cast<qsizetype>(nTarget / item.size()));
    return "<?xml version=\"1.0\"?><feed>" + body + (bWellFormed ? "</feed>" : "</fed>");
}

inline QByteArray WithoutWhitespace(QByteArray bytes)
{
    bytes.replace(' ', "").replace('\n', "").replace('\t', "");
    return bytes;
}
