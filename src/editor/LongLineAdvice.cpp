#include "LongLineAdvice.h"

#include <cmath>

double CLongLineAdvice::Seconds() const
{
    return static_cast<double>(m_nLongestLine) / (1024.0 * 1024.0) * kSecondsPerMegabyte;
}

QString CLongLineAdvice::SizeText(long long nBytes)
{
    constexpr double kMb = 1024.0 * 1024.0;
    if (nBytes >= 1024 * 1024)
        return QStringLiteral("%1 MB").arg(static_cast<double>(nBytes) / kMb, 0, 'f', 1);
    return QStringLiteral("%1 KB").arg((nBytes + 1023) / 1024);
}

QString CLongLineAdvice::WaitText(double seconds)
{
    if (seconds >= 9.5)
        return QStringLiteral("about %1 seconds").arg(std::lround(seconds));
    return QStringLiteral("about %1 seconds").arg(seconds, 0, 'f', 1);
}

QString CLongLineAdvice::Question(const QString& strName, const QString& strNotWellFormed) const
{
    const QString facts =
        QStringLiteral("The longest line of %1 is %2 long. Shown as it is, it keeps the editor "
                       "waiting %3 when it first shows, and again at each keystroke on that line.")
            .arg(strName, SizeText(m_nLongestLine), WaitText(Seconds()));
    if (!strNotWellFormed.isEmpty())
        return facts
               + QStringLiteral("\n\nIt is not well-formed, so Format XML cannot break that line: "
                                "%1\nOpen it as it is?")
                     .arg(strNotWellFormed.trimmed());
    return facts
           + QStringLiteral("\n\nFormat XML breaks it into indented lines, changing only "
                            "whitespace, as an edit not yet saved. Format it, or open it as it "
                            "is?");
}

QString CLongLineAdvice::UndoQuestion() const
{
    return QStringLiteral("Undoing Format XML brings back a line of %1: the editor will wait %2 "
                          "to show it, and again at each keystroke on that line. Undo it?")
        .arg(SizeText(m_nLongestLine), WaitText(Seconds()));
}
