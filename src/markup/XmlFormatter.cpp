#include "XmlFormatter.h"

#include <vector>

namespace {

enum class EToken
{
    Text,
    Start,
    End,
    Empty,
    Other  // comment, CDATA, processing instruction, declaration
};

struct SToken
{
    EToken eKind;
    std::size_t nStart;
    std::size_t nEnd;
    bool bCdata = false;
};

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool AllSpace(std::string_view bytes)
{
    for (const char c : bytes)
        if (!IsSpace(c))
            return false;
    return true;
}

// Where the markup starting at `at` ends, just after its last byte.
std::size_t MarkupEnd(std::string_view text, std::size_t at, SToken& token)
{
    const auto endOf = [&](std::string_view closer) {
        const std::size_t n = text.find(closer, at);
        return n == std::string_view::npos ? text.size() : n + closer.size();
    };
    if (text.compare(at, 4, "<!--") == 0)
        return token.eKind = EToken::Other, endOf("-->");
    if (text.compare(at, 9, "<![CDATA[") == 0)
        return token.eKind = EToken::Other, token.bCdata = true, endOf("]]>");
    if (text.compare(at, 2, "<?") == 0)
        return token.eKind = EToken::Other, endOf("?>");
    char cQuote = 0;
    int nBrackets = 0;  // a DOCTYPE's internal subset
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (cQuote) {
            cQuote = c == cQuote ? 0 : cQuote;
        } else if (c == '"' || c == '\'') {
            cQuote = c;
        } else if (c == '[') {
            ++nBrackets;
        } else if (c == ']') {
            --nBrackets;
        } else if (c == '>' && nBrackets <= 0) {
            if (text[at + 1] == '!')
                token.eKind = EToken::Other;
            else if (text[at + 1] == '/')
                token.eKind = EToken::End;
            else
                token.eKind = text[i - 1] == '/' ? EToken::Empty : EToken::Start;
            return i + 1;
        }
    }
    token.eKind = EToken::Other;
    return text.size();
}

std::vector<SToken> Tokens(std::string_view text)
{
    std::vector<SToken> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        SToken token{EToken::Text, at, at};
        if (text[at] == '<') {
            token.nEnd = MarkupEnd(text, at, token);
        } else {
            const std::size_t n = text.find('<', at);
            token.nEnd = n == std::string_view::npos ? text.size() : n;
        }
        tokens.push_back(token);
        at = token.nEnd;
    }
    return tokens;
}

bool Preserves(std::string_view tag)
{
    for (const std::string_view value : {"xml:space=\"preserve\"", "xml:space='preserve'"})
        if (tag.find(value) != std::string_view::npos)
            return true;
    return false;
}

}  // namespace

std::string XmlFormatter::Format(std::string_view text, std::string_view unit,
                                 std::string_view lineEnd)
{
    const std::vector<SToken> tokens = Tokens(text);
    // Which elements' content may be re-indented: no text but whitespace among their children,
    // no CDATA, not in a preserved subtree. Index: the start tag's token.
    std::vector<char> fixed(tokens.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SToken& token = tokens[i];
        const std::string_view bytes = text.substr(token.nStart, token.nEnd - token.nStart);
        if (token.eKind == EToken::Start) {
            fixed[i] = (!open.empty() && fixed[open.back()]) || Preserves(bytes);
            open.push_back(i);
        } else if (token.eKind == EToken::End && !open.empty()) {
            open.pop_back();
        } else if (!open.empty()
                   && (token.bCdata || (token.eKind == EToken::Text && !AllSpace(bytes)))) {
            fixed[open.back()] = 1;
        }
    }
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    open.clear();
    const auto formattable = [&] { return open.empty() || !fixed[open.back()]; };
    const auto newLine = [&](std::size_t nDepth) {
        out += lineEnd;
        for (std::size_t d = 0; d < nDepth; ++d)
            out += unit;
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SToken& token = tokens[i];
        const std::string_view bytes = text.substr(token.nStart, token.nEnd - token.nStart);
        if (token.eKind == EToken::Text && formattable() && AllSpace(bytes)) {
            if (i + 1 == tokens.size() && !open.empty())
                out += bytes;  // unfinished: not ours to change
            else if (i + 1 == tokens.size())
                out += lineEnd;
            continue;
        }
        const bool bMarkupBefore = i > 0 && tokens[i - 1].eKind != EToken::Text;
        const bool bSpaceBefore =
            i > 0 && tokens[i - 1].eKind == EToken::Text
            && AllSpace(
                text.substr(tokens[i - 1].nStart, tokens[i - 1].nEnd - tokens[i - 1].nStart));
        // An end tag's whitespace before it is its own element's content.
        bool bFormattable = formattable();
        if (token.eKind == EToken::End && !open.empty()) {
            bFormattable = !fixed[open.back()];
            open.pop_back();
        }
        // Between two pieces of markup in re-indentable content: a new line at its depth. An
        // element with no children keeps its end tag on the start tag's line.
        const bool bAfterOwnStart =
            token.eKind == EToken::End && i > 0
            && (tokens[i - 1].eKind == EToken::Start
                || (bSpaceBefore && i > 1 && tokens[i - 2].eKind == EToken::Start));
        if (token.eKind != EToken::Text && (bMarkupBefore || bSpaceBefore) && bFormattable
            && !bAfterOwnStart && !out.empty())
            newLine(open.size());
        out += bytes;
        if (token.eKind == EToken::Start)
            open.push_back(i);
    }
    return out;
}
