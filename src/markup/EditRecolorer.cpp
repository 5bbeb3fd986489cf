#include "EditRecolorer.h"

#include "StyleBuffer.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kFirstPiece = 256;
constexpr std::size_t kLargestPiece = 65536;

// Passes runs on and notes a tag closed at or past `from` where the old styles closed one too:
// from just after it on, the new pass and the old agree.
class CBoundaryWatch : public IStyleSink
{
public:
    CBoundaryWatch(const IStyledText& text, IStyleSink& next, long long from)
        : m_text(text), m_next(next), m_nFrom(from)
    {
    }

    void StyleRun(long long start, long long length, MarkupStyle style) override
    {
        // Checked before the run is passed on: the old style is still there.
        if (!m_bFound && style == STYLE_TAG_BRACKET && start >= m_nFrom
            && m_text.ByteAt(start) == '>' && m_text.StyleAt(start) == STYLE_TAG_BRACKET)
            m_bFound = true;
        m_next.StyleRun(start, length, style);
    }

    bool Found() const { return m_bFound; }

private:
    const IStyledText& m_text;
    IStyleSink& m_next;
    long long m_nFrom;
    bool m_bFound = false;
};

bool IsTagInside(MarkupStyle style)
{
    return style == STYLE_TAG_TEXT || style == STYLE_QUOTED;
}

}  // namespace

void CEditRecolorer::Recolor(long long editStart, long long editEnd)
{
    bool bInTextRun = false;
    long long nStart = RestartPoint(editStart, bInTextRun);
    if (nStart < 0) {
        nStart = 0;  // styles not a pass's: colour it all
        bInTextRun = false;
        editEnd = m_text.Length();
    }
    ScanFrom(nStart, editEnd, bInTextRun);
}

long long CEditRecolorer::RestartPoint(long long editStart, bool& bInTextRun) const
{
    if (editStart <= 0)
        return 0;
    const long long nBefore = editStart - 1;
    switch (m_text.StyleAt(nBefore)) {
    case STYLE_TAG_BRACKET:
        return m_text.ByteAt(nBefore) == '>' ? editStart : nBefore;
    case STYLE_TEXT:
        // Inside a complete text run: its bytes before the edit stay text unless it becomes the
        // unfinished last token, which ScanFrom finds out at the end.
        bInTextRun = true;
        return editStart;
    case STYLE_TAG_TEXT:
    case STYLE_QUOTED:
        return TagOpenerBefore(nBefore);
    case STYLE_TAIL:
    case STYLE_TAIL_BOLD:
        return StartOfRun(editStart, STYLE_TAIL, STYLE_TAIL_BOLD);
    default:
        return -1;
    }
}

long long CEditRecolorer::StartOfRun(long long position, MarkupStyle a, MarkupStyle b) const
{
    while (position > 0) {
        const MarkupStyle style = m_text.StyleAt(position - 1);
        if (style != a && style != b)
            break;
        --position;
    }
    return position;
}

long long CEditRecolorer::TagOpenerBefore(long long position) const
{
    for (; position >= 0; --position) {
        const MarkupStyle style = m_text.StyleAt(position);
        if (style == STYLE_TAG_BRACKET)
            return m_text.ByteAt(position) == '<' ? position : -1;
        if (!IsTagInside(style))
            return -1;
    }
    return -1;
}

bool CEditRecolorer::AgreesAsText(long long position) const
{
    // The old pass was in a complete text run here, or about to open a tag: the same "<" ends
    // the new run.
    const MarkupStyle style = m_text.StyleAt(position);
    return style == STYLE_TEXT || (style == STYLE_TAG_BRACKET && m_text.ByteAt(position) == '<');
}

void CEditRecolorer::ScanFrom(long long start, long long editEnd, bool bInTextRun)
{
    CStyleBuffer buffer(kLargestPiece, [this](long long from, const char* styles, std::size_t n) {
        m_text.SetStyles(from, styles, n);
    });
    CBoundaryWatch watch(m_text, buffer, editEnd);
    CMarkupScanner scanner(start);
    std::vector<char> piece(kLargestPiece);
    const long long nLength = m_text.Length();
    // Small pieces past the edit: most edits agree again within a few bytes.
    std::size_t nPiece = kFirstPiece;
    for (long long nPos = start; nPos < nLength;) {
        const long long nUntilEdit = editEnd - nPos;
        const std::size_t nWant =
            nUntilEdit > 0
                ? static_cast<std::size_t>(std::min<long long>(nUntilEdit, kLargestPiece))
                : nPiece;
        const std::size_t nRead =
            m_text.Read(nPos, piece.data(), std::min<long long>(nWant, nLength - nPos));
        if (nRead == 0)
            break;
        scanner.Feed(piece.data(), nRead, watch);
        nPos += static_cast<long long>(nRead);
        if (watch.Found()) {
            buffer.FlushPending();
            return;
        }
        if (nPos >= editEnd && nPos < nLength && !scanner.InTag() && AgreesAsText(nPos)) {
            buffer.StyleRun(scanner.Position(), nPos - scanner.Position(), STYLE_TEXT);
            buffer.FlushPending();
            return;
        }
        if (nPos >= editEnd)
            nPiece = std::min(nPiece * 2, kLargestPiece);
    }
    buffer.FlushPending();
    long long nTail = scanner.Position();
    if (bInTextRun && !scanner.InTag() && nTail == start)
        nTail = StartOfRun(start, STYLE_TEXT, STYLE_TEXT);
    ApplyTail(nTail);
}

void CEditRecolorer::ApplyTail(long long start)
{
    const long long nLength = m_text.Length();
    std::vector<char> styles;
    for (long long nFrom = start; nFrom < nLength;) {
        const long long nTo = std::min<long long>(nFrom + kLargestPiece, nLength);
        styles.resize(static_cast<std::size_t>(nTo - nFrom));
        for (long long i = nFrom; i < nTo; ++i)
            styles[static_cast<std::size_t>(i - nFrom)] =
                static_cast<char>(TailStyleFor(m_text.StyleAt(i)));
        m_text.SetStyles(nFrom, styles.data(), styles.size());
        nFrom = nTo;
    }
}
