#include "BenchReport.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

// Column key, heading, unit: "s" seconds, "ms" milliseconds, "MB" bytes shown in megabytes.
struct SColumn
{
    const char* key;
    const char* heading;
    const char* unit;
};

const SColumn kColumns[] = {
    {"open", "open", "s"},
    {"first_paint", "paint", "s"},
    {"colour_rest", "colour rest", "s"},
    {"fold_rest", "fold rest", "s"},
    {"color_all", "ColorAll", "s"},
    {"check", "check", "s"},
    {"save", "save", "s"},
    {"caret_max", "caret", "ms"},
    {"key_max", "key", "ms"},
    {"fold_toggle", "fold+unfold", "ms"},
    {"fold_all", "fold all+unfold", "s"},
    {"first_key", "first key", "ms"},
    {"peak_open", "peak open", "MB"},
    {"peak_all", "peak all", "MB"},
    {"xmlwf", "xmlwf", "s"},
    {"xmllint", "xmllint", "s"},
    {"lexer_color", "QsciLexerXML", "s"},
    {"preview_first", "preview", "s"},
    {"preview_stop", "stop", "ms"},
    {"preview_added", "preview mem", "MB"},
    {"typing_color_max", "typed+colour", "ms"},
    {"recovery_burst", "recovery", "ms"},
};

QString Cell(const QMap<QString, double>& figures, const SColumn& column)
{
    if (!figures.contains(QLatin1String(column.key)))
        return QStringLiteral("n/a");
    const double dValue = figures.value(QLatin1String(column.key));
    const QString unit = QLatin1String(column.unit);
    if (unit == QLatin1String("MB"))
        return QString::number(dValue / kMegabyte, 'f', 0);
    if (unit == QLatin1String("ms"))
        return QString::number(dValue * 1000.0, 'f', 1);
    return QString::number(dValue, 'f', 3);
}

QString Verdict(bool bMet)
{
    return bMet ? QStringLiteral("met") : QStringLiteral("MISSED");
}

}  // namespace

void CBenchReport::AddSize(long long nBytes)
{
    m_sizes.append(SSize{nBytes, {}, {}});
}

void CBenchReport::Set(const QString& key, double dValue)
{
    if (!m_sizes.isEmpty())
        m_sizes.last().figures.insert(key, dValue);
}

void CBenchReport::AddNote(const QString& text)
{
    if (!m_sizes.isEmpty())
        m_sizes.last().notes.append(text);
}

void CBenchReport::ParseChildOutput(const QByteArray& output)
{
    for (const QByteArray& line : output.split('\n')) {
        const int nSpace = line.indexOf(' ');
        if (nSpace <= 0)
            continue;
        const QByteArray key = line.left(nSpace);
        const QByteArray value = line.mid(nSpace + 1).trimmed();
        bool bNumber = false;
        const double dValue = value.toDouble(&bNumber);
        if (key == "error" || !bNumber)
            AddNote(QString::fromUtf8(line));
        else
            Set(QString::fromLatin1(key), dValue);
    }
}

void CBenchReport::Print(QTextStream& out) const
{
    PrintTable(out);
    for (const SSize& size : m_sizes)
        PrintTargets(out, size);
}

void CBenchReport::PrintTable(QTextStream& out) const
{
    out << "Times in seconds (caret move and keystroke: the slowest of 10, in ms), memory in MB\n";
    out << qSetFieldWidth(8) << Qt::left << "size" << Qt::right;
    for (const SColumn& column : kColumns)
        out << qSetFieldWidth(static_cast<int>(std::max<size_t>(strlen(column.heading), 7)) + 2)
            << column.heading;
    out << qSetFieldWidth(0) << "\n";
    for (const SSize& size : m_sizes) {
        out << qSetFieldWidth(8) << Qt::left
            << QString::number(size.nBytes / kMegabyte, 'f', 0) + " MB" << Qt::right;
        for (const SColumn& column : kColumns)
            out << qSetFieldWidth(static_cast<int>(std::max<size_t>(strlen(column.heading), 7)) + 2)
                << Cell(size.figures, column);
        out << qSetFieldWidth(0) << "\n";
    }
    out << Qt::flush;
}

void CBenchReport::PrintTargets(QTextStream& out, const SSize& size) const
{
    const QMap<QString, double>& f = size.figures;
    out << "\n"
        << QString::number(size.nBytes / kMegabyte, 'f', 0)
        << " MB (targets are set for 100 MB):\n";
    for (const QString& note : size.notes)
        out << "  " << note << "\n";
    const auto has = [&f](const char* key) { return f.contains(QLatin1String(key)); };
    const auto get = [&f](const char* key) { return f.value(QLatin1String(key)); };
    if (has("check") && has("xmlwf")) {
        const double dRatio = get("check") / get("xmlwf");
        out << "  check / xmlwf            " << QString::number(dRatio, 'f', 2) << "  (<= 1.15) "
            << Verdict(dRatio <= 1.15) << "\n";
    }
    if (has("check") && has("xmllint"))
        out << "  check / xmllint --noout  "
            << QString::number(get("check") / get("xmllint"), 'f', 2) << "\n";
    if (has("lexer_color") && has("color_all")) {
        const double dRatio = get("lexer_color") / get("color_all");
        out << "  QsciLexerXML / ColorAll  " << QString::number(dRatio, 'f', 2) << "  (>= 4) "
            << Verdict(dRatio >= 4.0) << "\n";
    }
    const double dMegabytes = static_cast<double>(size.nBytes) / kMegabyte;
    // The open and memory targets are set for 100 MB and up: 0.3 s for 100 MB, 3 s for 1 GB.
    const bool bBig = dMegabytes >= 100;
    if (has("open")) {
        const double dTarget = 0.003 * dMegabytes;
        out << "  open                     " << QString::number(get("open"), 'f', 3) << " s";
        if (bBig)
            out << "  (<= " << QString::number(dTarget, 'f', 3) << " s) "
                << Verdict(get("open") <= dTarget);
        out << "\n";
    }
    if (has("colour_rest"))
        out << "  colouring after the open " << QString::number(get("colour_rest"), 'f', 3)
            << " s, while the editor is idle; styles as ColorAll's\n";
    if (has("fold_rest"))
        out << "  fold levels after that   " << QString::number(get("fold_rest"), 'f', 3)
            << " s, while the editor is idle\n";
    if (has("fold_toggle"))
        out << "  fold + unfold at caret   " << QString::number(get("fold_toggle") * 1000.0, 'f', 1)
            << " ms  (<= 20 ms) " << Verdict(get("fold_toggle") <= 0.020)
            << "; fold all + unfold all " << QString::number(get("fold_all"), 'f', 3) << " s\n";
    if (has("peak_open")) {
        const double dRatio = get("peak_open") / static_cast<double>(size.nBytes);
        const double dPeak = std::max(get("peak_open"), get("peak_all")) / kMegabyte;
        out << "  peak memory / file size  " << QString::number(dRatio, 'f', 2) << "; peak of all "
            << QString::number(dPeak, 'f', 0) << " MB";
        if (bBig)
            out << "  (<= 2 x " << QString::number(dMegabytes, 'f', 0) << " + 40 MB) "
                << Verdict(dPeak <= 2 * dMegabytes + 40);
        if (has("rss_before"))
            out << "; without the " << QString::number(get("rss_before") / kMegabyte, 'f', 0)
                << " MB resident before the open: "
                << QString::number((get("peak_open") - get("rss_before"))
                                       / static_cast<double>(size.nBytes),
                                   'f', 2);
        out << "\n";
    }
    if (has("caret_max"))
        out << "  caret move near the end  " << QString::number(get("caret_max") * 1000.0, 'f', 1)
            << " ms, mean " << QString::number(get("caret_mean") * 1000.0, 'f', 1)
            << " ms  (<= 20 ms) " << Verdict(get("caret_max") <= 0.020) << "\n";
    if (has("key_max"))
        out << "  keystroke near the end   " << QString::number(get("key_max") * 1000.0, 'f', 1)
            << " ms, mean " << QString::number(get("key_mean") * 1000.0, 'f', 1)
            << " ms  (<= 20 ms) " << Verdict(get("key_max") <= 0.020)
            << "; folding, matching tags and the element path on\n";
    if (has("first_key"))
        out << "  first key after open     " << QString::number(get("first_key") * 1000.0, 'f', 1)
            << " ms, the slowest of Page Down, Ctrl+End and Go to line  (<= 50 ms where wrapped) "
            << Verdict(get("first_key") <= 0.050) << "\n";
    if (has("recovery_burst"))
        out << "  recovery upkeep, 100 keys "
            << QString::number(get("recovery_burst") * 1000.0, 'f', 2) << " ms (typed "
            << QString::number(get("burst_recorded") * 1000.0, 'f', 2) << " ms recorded, "
            << QString::number(get("burst_plain") * 1000.0, 'f', 2) << " ms not; handing over "
            << QString::number(get("recovery_flush") * 1000.0, 'f', 3) << " ms)  (<= 5 ms) "
            << Verdict(get("recovery_burst") <= 0.005) << "\n";
    out << Qt::flush;
}
