#include "EditRecolorer.h"

#include "ColourPass.h"
#include "ColourRules.h"

#include <algorithm>

namespace {

constexpr long long kFirstPiece = 256;

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

}  // namespace

void CEditRecolorer::Recolor(long long editStart, long long editEnd)
{
    CColourPass pass(m_text, RestartAt(m_text, editStart, true));
    CBoundaryWatch watch(m_text, pass.Styles(), editEnd);
    pass.SetSink(watch);
    // Small pieces past the edit: most edits agree again within a few bytes.
    long long nPiece = kFirstPiece;
    for (;;) {
        const long long nUntilEdit = editEnd - pass.End();
        if (pass.Step(nUntilEdit > 0 ? nUntilEdit : nPiece))
            return;
        if (watch.Found() || StopsAt(pass, pass.End(), editEnd)) {
            pass.Flush();
            return;
        }
        if (pass.End() >= editEnd)
            nPiece = std::min(nPiece * 2, CColourPass::kChunkSize);
    }
}

bool CEditRecolorer::StopsAt(CColourPass& pass, long long position, long long editEnd) const
{
    if (position < editEnd || pass.InTag() || !AgreesAsText(position))
        return false;
    pass.Styles().StyleRun(pass.Position(), position - pass.Position(), STYLE_TEXT);
    return true;
}

bool CEditRecolorer::AgreesAsText(long long position) const
{
    // The old pass was in a complete text run here, or about to open a tag: the same "<" ends
    // the new run.
    const MarkupStyle style = m_text.StyleAt(position);
    return style == STYLE_TEXT || (style == STYLE_TAG_BRACKET && m_text.ByteAt(position) == '<');
}
