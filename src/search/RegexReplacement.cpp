#include "RegexReplacement.h"

#include <regex>
#include <string>

namespace {

char EscapedCharacter(char c)
{
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '\\':
        return '\\';
    default:
        return 0;
    }
}

template <typename TRegex, typename TText>
QString CompileProblem(const TText& pattern, bool bMatchCase)
{
    auto flags = std::regex_constants::ECMAScript;
    if (!bMatchCase)
        flags |= std::regex_constants::icase;
    try {
        const TRegex regex(pattern, flags);
    } catch (const std::regex_error& error) {
        return QString::fromLocal8Bit(error.what());
    }
    return QString();
}

}  // namespace

QString CRegexReplacement::Problem(const QString& strPattern, bool bUtf8, bool bMatchCase)
{
    if (bUtf8)
        return CompileProblem<std::wregex>(strPattern.toStdWString(), bMatchCase);
    return CompileProblem<std::regex>(strPattern.toLatin1().toStdString(), bMatchCase);
}

QByteArray CRegexReplacement::Expand(const QByteArray& replacement,
                                     const std::vector<QByteArray>& groups)
{
    QByteArray expanded;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        const char next = i + 1 < replacement.size() ? replacement[i + 1] : 0;
        if (c == '\\' && next >= '0' && next <= '9') {
            const std::size_t nGroup = static_cast<std::size_t>(next - '0');
            if (nGroup < groups.size())
                expanded += groups[nGroup];
            ++i;
        } else if (c == '\\' && EscapedCharacter(next) != 0) {
            expanded += EscapedCharacter(next);
            ++i;
        } else {
            expanded += c;
        }
    }
    return expanded;
}
