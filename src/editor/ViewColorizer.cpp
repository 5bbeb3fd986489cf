#include "ViewColorizer.h"

#include "MarkupScanner.h"
#include "StyleRollback.h"
#include "TarnelView.h"

#include <algorithm>
#include <vector>

CStyleBuffer CViewColorizer::MakeStyleBuffer()
{
    return CStyleBuffer(kChunkSize, [this](long long start, const char* styles, std::size_t n) {
        ApplyStyles(start, styles, n);
    });
}

void CViewColorizer::ApplyStyles(long long start, const char* styles, std::size_t length)
{
    if (m_pRollback && !m_pRollback->Remember(start, styles, length))
        return;  // unchanged
    m_view.SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(start),
                         0xffL);
    m_view.SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length),
                         styles);
}

void CViewColorizer::ColorMarkup(long long& position, const QByteArray& text)
{
    CStyleBuffer buffer = MakeStyleBuffer();
    CMarkupScanner scanner(position);
    scanner.Feed(text.constData(), static_cast<std::size_t>(text.size()), buffer);
    buffer.FlushPending();
    position = scanner.Position();
}

void CViewColorizer::ColorAll()
{
    ColorAll(JobProgress());
}

bool CViewColorizer::ColorAll(const JobProgress& progress)
{
    CStyleRollback rollback(m_view);
    if (progress)
        m_pRollback = &rollback;
    CMarkupScanner scanner(0);
    const long long nLength = m_view.TextLength();
    bool bCarryOn = true;
    while (bCarryOn && !ColorOn(scanner, kChunkSize))
        bCarryOn = CarryOn(progress, scanner.End(), nLength);
    if (!bCarryOn)
        rollback.Restore();
    m_pRollback = nullptr;
    if (bCarryOn)
        CarryOn(progress, nLength, nLength);
    return bCarryOn;
}

long long CViewColorizer::RestartBefore(long long offset)
{
    std::vector<char> chunk(kStepSize + 1);
    for (long long nTo = offset; nTo > 0;) {
        const long long nFrom = std::max(nTo - kStepSize, 0LL);
        const int nRead = m_view.ReadTextChunk(chunk.data(), nFrom, static_cast<int>(nTo - nFrom));
        for (int i = nRead - 1; i >= 0; --i) {
            if (chunk[static_cast<std::size_t>(i)] == '>')
                return nFrom + i + 1;
        }
        nTo = nFrom;
    }
    return 0;
}

void CViewColorizer::ColorAround(long long start, long long end)
{
    const long long nLength = m_view.TextLength();
    const long long nFrom = RestartBefore(start);
    CStyleBuffer buffer = MakeStyleBuffer();
    CMarkupScanner scanner(nFrom);
    std::vector<char> chunk(kStepSize + 1);
    long long nOffset = nFrom;
    // Until the token holding the byte at `end` is complete, so a token the change ended or
    // began is coloured too.
    while (nOffset < nLength && scanner.Position() <= end) {
        const int nRead = m_view.ReadTextChunk(chunk.data(), nOffset, kStepSize);
        scanner.Feed(chunk.data(), static_cast<std::size_t>(nRead), buffer);
        nOffset += nRead;
    }
    buffer.FlushPending();
    if (nOffset >= nLength)
        ApplyTailStyle(scanner.Position(), nLength);
}

bool CViewColorizer::ColorOn(CMarkupScanner& scanner, long long nBytes)
{
    CStyleBuffer buffer = MakeStyleBuffer();
    std::vector<char> chunk(kChunkSize + 1);
    const long long nLength = m_view.TextLength();
    const long long nUntil = std::min(scanner.End() + nBytes, nLength);
    while (scanner.End() < nUntil) {
        const int nWant = static_cast<int>(std::min<long long>(nUntil - scanner.End(), kChunkSize));
        const int nRead = m_view.ReadTextChunk(chunk.data(), scanner.End(), nWant);
        if (nRead <= 0)
            break;
        scanner.Feed(chunk.data(), static_cast<std::size_t>(nRead), buffer);
    }
    buffer.FlushPending();
    if (scanner.End() < nLength)
        return false;
    ApplyTailStyle(scanner.Position(), nLength);
    return true;
}

void CViewColorizer::ApplyTailStyle(long long start, long long end)
{
    // SCI_GETSTYLEDTEXT gives (byte, style) pairs plus two NULs.
    std::vector<char> styled(2 * static_cast<std::size_t>(kChunkSize) + 2);
    std::vector<char> styles(kChunkSize);
    for (long long nFrom = start; nFrom < end;) {
        const long long nTo = std::min(nFrom + kChunkSize, end);
        m_view.SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, static_cast<long>(nFrom),
                             static_cast<long>(nTo), styled.data());
        const std::size_t nCount = static_cast<std::size_t>(nTo - nFrom);
        for (std::size_t i = 0; i < nCount; ++i) {
            const auto existing = static_cast<MarkupStyle>(styled[2 * i + 1]);
            styles[i] = static_cast<char>(TailStyleFor(existing));
        }
        ApplyStyles(nFrom, styles.data(), nCount);
        nFrom = nTo;
    }
}
