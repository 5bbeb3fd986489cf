#include "ColourPass.h"

#include "StyleRollback.h"

#include <algorithm>

CColourPass::CColourPass(IStyledText& text, const SRestart& from, IMarkupObserver* pObserver)
    : m_text(text), m_from(from),
      m_buffer(kChunkSize, [&text](long long start, const char* styles,
                                   std::size_t length) { text.SetStyles(start, styles, length); }),
      m_scanner(from.nStart, pObserver)
{
}

bool CColourPass::Feed(long long nBytes)
{
    const long long nWant = std::min({nBytes, kChunkSize, m_text.Length() - End()});
    if (nWant <= 0)
        return false;
    m_chunk.resize(static_cast<std::size_t>(nWant));
    const std::size_t nRead = m_text.Read(End(), m_chunk.data(), m_chunk.size());
    m_scanner.Feed(m_chunk.data(), nRead, *m_pSink);
    return nRead > 0;
}

bool CColourPass::Step(long long nBytes)
{
    const long long nUntil = std::min(End() + nBytes, m_text.Length());
    while (End() < nUntil && Feed(nUntil - End())) {
    }
    m_buffer.FlushPending();
    if (End() < m_text.Length())
        return false;
    StyleTail();
    return true;
}

void CColourPass::CompleteTokenAt(long long offset)
{
    constexpr long long kStep = 4096;
    while (Position() <= offset && End() < m_text.Length()) {
        if (!Feed(kStep))
            break;
    }
    m_buffer.FlushPending();
    if (End() >= m_text.Length())
        StyleTail();
}

void CColourPass::ColourTokensTo(long long end)
{
    while (End() < end && Feed(end - End())) {
    }
    m_buffer.FlushPending();
}

void CColourPass::StyleTail()
{
    long long nTail = Position();
    if (m_from.bRunBegunBefore && !InTag() && nTail == m_from.nStart)
        nTail = TextRunStart(m_text, nTail);
    ApplyTail(m_text, nTail);
}

bool CColourPass::ColourAll(IStyledText& text,
                            const std::function<bool(long long, long long)>& progress)
{
    if (!progress) {
        CColourPass(text, SRestart{}).Step(text.Length());
        return true;
    }
    CStyleRollback rollback(text);
    CColourPass pass(rollback, SRestart{});
    while (!pass.Step(kChunkSize)) {
        if (!progress(pass.End(), text.Length())) {
            rollback.Restore();
            return false;
        }
    }
    progress(text.Length(), text.Length());
    return true;
}

void CColourPass::ColourAround(IStyledText& text, long long start, long long end)
{
    CColourPass(text, RestartAt(text, start, false)).CompleteTokenAt(end);
}
