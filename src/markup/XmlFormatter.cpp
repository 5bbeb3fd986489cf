#include "XmlFormatter.h"

#include <optional>
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

// Each start tag's end tag, by token index; npos when it has none.
std::vector<std::size_t> Partners(const std::vector<SToken>& tokens)
{
    std::vector<std::size_t> partner(tokens.size(), std::string_view::npos);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].eKind == EToken::Start) {
            open.push_back(i);
        } else if (tokens[i].eKind == EToken::End && !open.empty()) {
            partner[open.back()] = i;
            open.pop_back();
        }
    }
    return partner;
}

// Which elements' content may be re-indented: no text but whitespace among their children, no
// CDATA, not in a preserved subtree. Index: the start tag's token.
std::vector<char> FixedContent(std::string_view text, const std::vector<SToken>& tokens)
{
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
    return fixed;
}

struct SRegion
{
    std::size_t nFirst = 0;  // token indices of the first and last node formatted
    std::size_t nLast = 0;
    bool bWhole = true;
};

// The nodes a selection covers: among the children of the deepest element whose content holds
// [start, end), those the selection overlaps, whitespace aside. Empty (nFirst > nLast) if none.
SRegion CoveredNodes(std::string_view text, const std::vector<SToken>& tokens,
                     const std::vector<std::size_t>& partner, std::size_t start, std::size_t end)
{
    std::size_t nFrom = 0;
    std::size_t nTo = tokens.size();  // the container's children lie in [nFrom, nTo)
    for (std::size_t i = 0; i < tokens.size() && tokens[i].nStart < end; ++i) {
        const std::size_t p = partner[i];
        if (tokens[i].eKind == EToken::Start && p != std::string_view::npos
            && tokens[i].nEnd <= start && end <= tokens[p].nStart)
            nFrom = i + 1, nTo = p;
    }
    SRegion region{1, 0, false};
    for (std::size_t j = nFrom; j < nTo;) {
        const std::size_t nNodeEnd =
            tokens[j].eKind == EToken::Start && partner[j] != std::string_view::npos ? partner[j]
                                                                                     : j;
        const bool bBlank =
            tokens[j].eKind == EToken::Text
            && AllSpace(text.substr(tokens[j].nStart, tokens[j].nEnd - tokens[j].nStart));
        if (!bBlank && tokens[j].nStart < end && start < tokens[nNodeEnd].nEnd) {
            if (region.nFirst > region.nLast)
                region.nFirst = j;
            region.nLast = nNodeEnd;
        }
        j = nNodeEnd + 1;
    }
    return region;
}

// The indentation before the token at `at` when only spaces and tabs precede it on its line.
std::optional<std::string_view> LineIndent(std::string_view text, std::size_t at)
{
    const std::size_t nLineStart = text.find_last_of("\r\n", at == 0 ? 0 : at - 1);
    const std::size_t nFrom = nLineStart == std::string_view::npos || at == 0 ? 0 : nLineStart + 1;
    const std::string_view indent = text.substr(nFrom, at - nFrom);
    if (indent.find_first_not_of(" \t") != std::string_view::npos)
        return std::nullopt;
    return indent;
}

struct SLayout
{
    std::string_view unit;
    std::string_view between;  // between pieces of markup, before the indentation
    std::string_view last;     // after the document's last markup when whitespace followed it
};

// False when the progress stopped it.
bool Layout(std::string_view text, const std::vector<SToken>& tokens, const SLayout& layout,
            const SRegion& region, const XmlFormatter::Progress& progress, std::string& out)
{
    constexpr std::size_t kTokensPerStep = 1 << 16;
    const std::vector<char> fixed = FixedContent(text, tokens);
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    std::vector<std::size_t> open;
    std::string base;  // the region's own indentation, and the depth it stands for
    std::size_t nBaseDepth = 0;
    const auto formattable = [&] { return open.empty() || !fixed[open.back()]; };
    const auto newLine = [&](std::size_t nDepth) {
        out += layout.between;
        out += base;
        for (std::size_t d = nBaseDepth; d < nDepth; ++d)
            out += layout.unit;
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SToken& token = tokens[i];
        if (progress && i % kTokensPerStep == 0
            && !progress(static_cast<long long>(token.nStart), static_cast<long long>(text.size())))
            return false;
        const std::string_view bytes = text.substr(token.nStart, token.nEnd - token.nStart);
        const bool bInside = region.bWhole || (i > region.nFirst && i <= region.nLast);
        if (!region.bWhole && i == region.nFirst && !layout.between.empty()) {
            nBaseDepth = open.size();
            const auto indent = LineIndent(text, token.nStart);
            base = indent ? std::string(*indent) : std::string();
            for (std::size_t d = 0; !indent && d < nBaseDepth; ++d)
                base += layout.unit;
        }
        if (token.eKind == EToken::Text && bInside && formattable() && AllSpace(bytes)) {
            if (i + 1 == tokens.size() && !open.empty())
                out += bytes;  // unfinished: not ours to change
            else if (i + 1 == tokens.size())
                out += layout.last;
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
        if (bInside && token.eKind != EToken::Text && (bMarkupBefore || bSpaceBefore)
            && bFormattable && !bAfterOwnStart && !out.empty())
            newLine(open.size());
        out += bytes;
        if (token.eKind == EToken::Start)
            open.push_back(i);
    }
    return true;
}

}  // namespace

XmlFormatter::EOutcome XmlFormatter::Run(std::string_view text, const SJob& job, std::string& out)
{
    const std::vector<SToken> tokens = Tokens(text);
    SRegion region;
    if (job.nEnd > job.nStart) {
        region = CoveredNodes(text, tokens, Partners(tokens), job.nStart, job.nEnd);
        if (region.nFirst > region.nLast)
            return EOutcome::NothingCovered;
    }
    const SLayout layout = job.eMode == EMode::Join ? SLayout{{}, {}, job.lineEnd}
                                                    : SLayout{job.unit, job.lineEnd, job.lineEnd};
    return Layout(text, tokens, layout, region, job.progress, out) ? EOutcome::Done
                                                                   : EOutcome::Stopped;
}

std::string XmlFormatter::Format(std::string_view text, std::string_view unit,
                                 std::string_view lineEnd)
{
    std::string out;
    Run(text, SJob{EMode::Indent, unit, lineEnd, 0, 0, {}}, out);
    return out;
}
