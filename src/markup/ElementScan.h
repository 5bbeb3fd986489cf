// Scans forward from a point outside any tag, with the elements open there, telling each tag
// passed and keeping the open elements up to date by the same rules as the fold levels.
#pragma once

#include "MarkupObserver.h"
#include "MarkupScanner.h"
#include "OpenElements.h"
#include "StyledText.h"

#include <functional>
#include <string>
#include <vector>

// A complete tag of the text.
struct STagSpan
{
    long long nStart = -1;  // the "<"
    long long nEnd = -1;    // just after the ">"
    TagKind eKind = TagKind::Other;
    std::string name;

    bool IsValid() const { return nStart >= 0; }
};

class CElementScan : private IMarkupObserver, private IStyleSink
{
public:
    // Told each tag with the elements open before it; false stops the scan at once.
    using TagHandler = std::function<bool(const STagSpan& tag, const COpenElements& before)>;

    CElementScan(const IStyledText& text, long long from, const COpenElements& open);

    // Scans until the handler says stop, `nBytes` more are read, or the text ends. True when the
    // handler stopped it.
    bool Run(long long nBytes, const TagHandler& handler);
    long long End() const { return m_scanner.End(); }
    bool AtTextEnd() const { return End() >= m_text.Length(); }
    const COpenElements& Open() const { return m_open; }

    // Applies a tag to `open` as every structure pass does; for an end tag, whether it closed
    // an element.
    static bool Apply(const STagSpan& tag, COpenElements& open);

private:
    void TagOpened(long long) override {}
    void TagClosed(const SPassedTag& tag) override;
    void StyleRun(long long, long long, MarkupStyle) override {}

    const IStyledText& m_text;
    CMarkupScanner m_scanner;
    COpenElements m_open;
    const TagHandler* m_pHandler = nullptr;
    bool m_bStopped = false;
    std::vector<char> m_chunk;
};
