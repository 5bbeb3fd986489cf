#include "AutoIndent.h"

#include "MarkupObserver.h"
#include "MarkupScanner.h"

#include <algorithm>

namespace {

// Notes the last tag a scan passes.
class CLastTag : public IMarkupObserver, public IStyleSink
{
public:
    void TagOpened(long long) override {}
    void TagClosed(const SPassedTag& tag) override
    {
        m_eKind = tag.eKind;
        m_name.assign(tag.name);
        m_nEnd = tag.nEnd;
    }
    void StyleRun(long long, long long, MarkupStyle) override {}

    TagKind m_eKind = TagKind::Other;
    std::string m_name;
    long long m_nEnd = -1;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

std::string AutoIndent::UnitOf(std::string_view sample)
{
    std::size_t nFewest = 0;
    std::size_t nLineStart = 0;
    while (nLineStart < sample.size()) {
        std::size_t nEnd = sample.find_first_of("\r\n", nLineStart);
        if (nEnd == std::string_view::npos)
            nEnd = sample.size();
        const std::string_view line = sample.substr(nLineStart, nEnd - nLineStart);
        if (!line.empty() && line[0] == '\t')
            return "\t";
        const std::size_t nSpaces = std::min(line.find_first_not_of(' '), line.size());
        if (nSpaces > 0 && nSpaces < line.size() && (nFewest == 0 || nSpaces < nFewest))
            nFewest = nSpaces;
        nLineStart = nEnd + 1;
    }
    return std::string(nFewest == 0 ? 2 : std::min<std::size_t>(nFewest, 8), ' ');
}

std::string AutoIndent::StartTagEnding(std::string_view line)
{
    std::size_t nEnd = line.size();
    while (nEnd > 0 && IsBlank(line[nEnd - 1]))
        --nEnd;
    CLastTag last;
    CMarkupScanner scanner(0, &last);
    scanner.Feed(line.data(), nEnd, last);
    if (last.m_eKind != TagKind::Start || last.m_nEnd != static_cast<long long>(nEnd))
        return {};
    return last.m_name;
}

std::string AutoIndent::ForNewLine(std::string_view line, std::string_view unit)
{
    std::size_t nIndent = 0;
    while (nIndent < line.size() && IsBlank(line[nIndent]))
        ++nIndent;
    std::string indent(line.substr(0, nIndent));
    if (!StartTagEnding(line).empty())
        indent += unit;
    return indent;
}
