// The lines of a CStringText with a fold level and a state kept per line, moved with the lines
// as an edit inserts and removes them, as the editor keeps them.
#pragma once

#include "LineLevels.h"

#include "markup/StringText.h"

#include <algorithm>
#include <string>
#include <vector>

class CStringLines : public ILineLevels
{
public:
    explicit CStringLines(const CStringText& text) : m_text(text)
    {
        m_starts = StartsOf(text.m_text);
        m_levels.assign(m_starts.size(), FoldLevel::kBase);
        m_states.assign(m_starts.size(), 0);
    }

    long long LineCount() const override { return static_cast<long long>(m_starts.size()); }
    long long LineStart(long long line) const override { return m_starts.at(line); }
    long long LineOfPosition(long long position) const override
    {
        return std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin() - 1;
    }
    int FoldLevel(long long line) const override { return m_levels.at(line); }
    void SetFoldLevel(long long line, int level) override { m_levels.at(line) = level; }
    int LineState(long long line) const override { return m_states.at(line); }
    void SetLineState(long long line, int state) override { m_states.at(line) = state; }

    // After the text changed at `position`, `nRemoved` bytes giving way to `nInserted`: lines
    // before it keep their values, lines after it move, new lines copy the line it lies in.
    void Edited(long long position, long long nRemoved, long long nInserted)
    {
        const std::vector<long long> fresh = StartsOf(m_text.m_text);
        std::size_t nPrefix = 0;
        while (nPrefix < m_starts.size() && nPrefix < fresh.size() && m_starts[nPrefix] <= position
               && m_starts[nPrefix] == fresh[nPrefix])
            ++nPrefix;
        std::size_t nSuffix = static_cast<std::size_t>(
            m_starts.end()
            - std::upper_bound(m_starts.begin(), m_starts.end(), position + nRemoved));
        nSuffix = std::min(nSuffix, fresh.size() - nPrefix);
        const std::size_t nNew = fresh.size() - nPrefix - nSuffix;
        const std::size_t nCopied = nPrefix > 0 ? nPrefix - 1 : 0;
        Splice(m_levels, nPrefix, nSuffix, nNew, m_levels[nCopied]);
        Splice(m_states, nPrefix, nSuffix, nNew, m_states[nCopied]);
        m_starts = fresh;
        (void)nInserted;
    }

    // One entry per line: the level's depth, "h" after it on a header line.
    std::string Rendered() const
    {
        std::string out;
        for (const int level : m_levels) {
            out += std::to_string((level & FoldLevel::kNumberMask) - FoldLevel::kBase);
            out += (level & FoldLevel::kHeader) ? "h " : " ";
        }
        if (!out.empty())
            out.pop_back();
        return out;
    }

    std::vector<int> m_levels;
    std::vector<int> m_states;

private:
    static std::vector<long long> StartsOf(const std::string& text)
    {
        std::vector<long long> starts{0};
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool bEnd = text[i] == '\n'
                              || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
            if (bEnd)
                starts.push_back(static_cast<long long>(i + 1));
        }
        return starts;
    }
    static void Splice(std::vector<int>& values, std::size_t nPrefix, std::size_t nSuffix,
                       std::size_t nNew, int copy)
    {
        std::vector<int> out(values.begin(), values.begin() + static_cast<long>(nPrefix));
        out.insert(out.end(), nNew, copy);
        out.insert(out.end(), values.end() - static_cast<long>(nSuffix), values.end());
        values = out;
    }

    const CStringText& m_text;
    std::vector<long long> m_starts;
};
