// One structure pass from a checkpoint: runs the markup scanner over the text and writes each
// line's fold level and the state at its start, until the end of the text or, past
// `mustReach`, a line start or a checkpoint inside a long line whose state the last pass left
// the same.
#pragma once

#include "ElementNames.h"
#include "FoldCheckpoints.h"
#include "LineLevels.h"
#include "MarkupObserver.h"
#include "MarkupScanner.h"
#include "StyledText.h"

#include <vector>

class CFoldScan : private IMarkupObserver, private IStyleSink
{
public:
    enum class EResult
    {
        Running,
        Agreed,  // the lines from here on are as the last pass left them
        Done     // the end of the text
    };

    CFoldScan(const IStyledText& text, ILineLevels& lines, CFoldCheckpoints& checkpoints,
              const CFoldCheckpoints::SCheckpoint& from, long long mustReach);

    // Scans up to `nBytes` more.
    EResult Step(long long nBytes);
    // Offset just after the last byte read.
    long long End() const { return m_scanner.End(); }
    // Checkpoints before this are fresh; a scan restarted before it may start from them.
    long long FreshBefore() const { return m_nLastChecked + 1; }
    void RaiseMustReach(long long position);
    // Tells `names` the name of each start and empty-element tag passed.
    void SetNames(CElementNames* pNames) { m_pNames = pNames; }

    // The line state of a line start outside any tag with `open` elements; 0 inside a tag.
    static int StateFor(const COpenElements& open);

private:
    void TagOpened(long long) override {}
    void TagClosed(const SPassedTag& tag) override;
    void StyleRun(long long, long long, MarkupStyle) override {}

    // Enters every line that starts at or before `position`.
    void EnterLinesTo(long long position, bool bInTag);
    void EnterLine(bool bInTag);
    void FinishLine();
    long long NextLineStart() const;
    int Depth() const { return m_open.Depth() + m_nInComment; }
    void Lower();
    // Just after a tag, outside any: agrees with the last pass's checkpoint there, or records
    // one when a long line has gone far without.
    void AfterTag(long long position);
    bool AgreesWith(const CFoldCheckpoints::SCheckpoint* pPoint) const;

    const IStyledText& m_text;
    ILineLevels& m_lines;
    CFoldCheckpoints& m_checkpoints;
    CElementNames* m_pNames = nullptr;
    CMarkupScanner m_scanner;
    COpenElements m_open;
    long long m_nMustReach;
    long long m_nLastChecked;  // the last line start a checkpoint was offered or found
    long long m_nLine;
    long long m_nNextLineStart;
    long long m_nNextKept;  // the first checkpoint of an earlier pass ahead; -1 for none
    long long m_nAgreedAt = -1;
    int m_nStartDepth = 0;
    int m_nMinDepth = 0;
    int m_nInComment = 0;  // 1 inside a comment or CDATA section spanning lines
    bool m_bAgreed = false;
    std::vector<char> m_chunk;
};
