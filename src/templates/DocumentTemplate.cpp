#include "DocumentTemplate.h"

#include "MarkupObserver.h"
#include "MarkupScanner.h"
#include "StyledText.h"

#include <set>
#include <vector>

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
// A start tag longer than this is read only so far for its attribute names.
constexpr long long kMaxTagBytes = 1 << 16;

bool IsNameByte(char c)
{
    return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '=' && c != '>' && c != '/'
           && c != '"' && c != '\'' && c != '<';
}

class CElementCollector : public IMarkupObserver, public IStyleSink
{
public:
    CElementCollector(const IStyledText& text, SGrammarModel& model) : m_text(text), m_model(model)
    {
    }

    void TagOpened(long long) override {}
    void StyleRun(long long, long long, MarkupStyle) override {}
    void TagClosed(const SPassedTag& tag) override
    {
        if (tag.name.empty())
            return;
        if (tag.eKind == TagKind::Start || tag.eKind == TagKind::Empty) {
            Record(tag);
            if (tag.eKind == TagKind::Start)
                m_open.emplace_back(tag.name);
        } else if (tag.eKind == TagKind::End) {
            Close(tag.name);
        }
    }

private:
    void Record(const SPassedTag& tag)
    {
        const std::string name(tag.name);
        SGrammarModel::AddOnce(
            m_open.empty() ? m_model.roots : m_model.Rule(m_open.back()).children, name);
        SElementRule& rule = m_model.Rule(name);
        const bool bEmpty = tag.eKind == TagKind::Empty;
        if (!m_seen.insert(name).second) {
            rule.bEmpty = rule.bEmpty && bEmpty;
            return;
        }
        rule.bEmpty = bEmpty;
        std::string bytes(static_cast<std::size_t>(std::min(tag.nEnd - tag.nStart, kMaxTagBytes)),
                          '\0');
        bytes.resize(m_text.Read(tag.nStart, bytes.data(), bytes.size()));
        rule.requiredAttributes = AttributeNamesOfTag(bytes);
        rule.attributes = rule.requiredAttributes;
    }

    // An end tag closes the innermost open element of its name and all inside it; one that
    // matches nothing open is ignored.
    void Close(std::string_view name)
    {
        for (auto i = m_open.size(); i-- > 0;) {
            if (m_open[i] == name) {
                m_open.resize(i);
                return;
            }
        }
    }

    const IStyledText& m_text;
    SGrammarModel& m_model;
    std::vector<std::string> m_open;
    std::set<std::string> m_seen;
};

}  // namespace

std::vector<std::string> AttributeNamesOfTag(const std::string& tag)
{
    std::vector<std::string> names;
    const auto skipBlanks = [&tag](std::size_t pos) {
        const std::size_t next = tag.find_first_not_of(" \t\r\n", pos);
        return next == std::string::npos ? tag.size() : next;
    };
    std::size_t pos = tag.find_first_of(" \t\r\n");  // past the element name
    while (pos < tag.size()) {
        const std::size_t start = pos;
        while (pos < tag.size() && IsNameByte(tag[pos]))
            ++pos;
        if (pos == start) {
            ++pos;
            continue;
        }
        SGrammarModel::AddOnce(names, tag.substr(start, pos - start));
        pos = skipBlanks(pos);
        if (pos >= tag.size() || tag[pos] != '=')
            continue;
        pos = skipBlanks(pos + 1);
        if (pos < tag.size() && (tag[pos] == '"' || tag[pos] == '\'')) {
            const std::size_t close = tag.find(tag[pos], pos + 1);
            pos = close == std::string::npos ? tag.size() : close + 1;
        } else {
            pos = tag.find_first_of(" \t\r\n>", pos);  // an unquoted value
        }
    }
    return names;
}

SDocumentElements ScanDocumentElements(const IStyledText& text, const JobProgress& progress)
{
    SDocumentElements result;
    CElementCollector collector(text, result.model);
    CMarkupScanner scanner(0, &collector);
    std::vector<char> chunk(kChunkBytes);
    const long long nLength = text.Length();
    for (long long offset = 0; offset < nLength;) {
        if (!CarryOn(progress, offset, nLength)) {
            result.bCancelled = true;
            return result;
        }
        const std::size_t nRead = text.Read(offset, chunk.data(), chunk.size());
        if (nRead == 0)
            break;
        scanner.Feed(chunk.data(), nRead, collector);
        offset += static_cast<long long>(nRead);
    }
    CarryOn(progress, nLength, nLength);
    return result;
}
