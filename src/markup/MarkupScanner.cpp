#include "MarkupScanner.h"

#include "MarkupObserver.h"

#include <cstring>

CMarkupScanner::CMarkupScanner(long long startOffset, IMarkupObserver* pObserver)
    : m_nPosition(startOffset), m_nEnd(startOffset), m_pObserver(pObserver)
{
}

void CMarkupScanner::Feed(const char* data, std::size_t length, IStyleSink& sink)
{
    while (length > 0) {
        const std::size_t nUsed =
            m_eToken == Token::Tag ? ScanTag(data, length, sink) : ScanText(data, length, sink);
        data += nUsed;
        length -= nUsed;
    }
}

// Consumes text up to and including the next "<", which completes the text run.
std::size_t CMarkupScanner::ScanText(const char* data, std::size_t length, IStyleSink& sink)
{
    const void* pOpener = std::memchr(data, '<', length);
    if (!pOpener) {
        m_nEnd += static_cast<long long>(length);
        return length;
    }
    const std::size_t nIndex = static_cast<const char*>(pOpener) - data;
    const long long nOpener = m_nEnd + static_cast<long long>(nIndex);
    if (nOpener > m_nPosition)
        sink.StyleRun(m_nPosition, nOpener - m_nPosition, STYLE_TEXT);
    StartTag(nOpener);
    m_nEnd = nOpener + 1;
    return nIndex + 1;
}

// Consumes tag bytes up to and including the ">" that completes the tag.
std::size_t CMarkupScanner::ScanTag(const char* data, std::size_t length, IStyleSink& sink)
{
    for (std::size_t i = 0; i < length; ++i) {
        const char c = data[i];
        if (c == '"') {
            const long long nOffset = m_nEnd + static_cast<long long>(i);
            if (m_bInQuote)
                m_quotes.push_back({m_nQuoteStart, nOffset + 1});
            else
                m_nQuoteStart = nOffset;
            m_bInQuote = !m_bInQuote;
        } else if (c == '>') {
            const long long nCloser = m_nEnd + static_cast<long long>(i);
            if (m_pObserver)
                NoteTagBytes(data, i);
            EmitTag(nCloser, sink);
            m_nEnd = nCloser + 1;
            m_nPosition = m_nEnd;
            m_eToken = Token::Text;
            return i + 1;
        }
    }
    if (m_pObserver)
        NoteTagBytes(data, length);
    m_nEnd += static_cast<long long>(length);
    return length;
}

void CMarkupScanner::StartTag(long long offset)
{
    m_nPosition = offset;
    m_eToken = Token::Tag;
    m_bInQuote = false;  // a quote still open at the last ">" was dropped with its tag
    m_quotes.clear();
    if (m_pObserver) {
        m_tagName.clear();
        m_bNameDone = false;
        m_cFirst = m_cLast = 0;
        m_pObserver->TagOpened(offset);
    }
}

void CMarkupScanner::EmitTag(long long closer, IStyleSink& sink)
{
    sink.StyleRun(m_nPosition, 1, STYLE_TAG_BRACKET);
    long long nFrom = m_nPosition + 1;
    for (const QuotedValue& quote : m_quotes) {
        if (quote.nStart > nFrom)
            sink.StyleRun(nFrom, quote.nStart - nFrom, STYLE_TAG_TEXT);
        sink.StyleRun(quote.nStart, quote.nEnd - quote.nStart, STYLE_QUOTED);
        nFrom = quote.nEnd;
    }
    if (closer > nFrom)
        sink.StyleRun(nFrom, closer - nFrom, STYLE_TAG_TEXT);
    sink.StyleRun(closer, 1, STYLE_TAG_BRACKET);
    if (m_pObserver)
        TellTagClosed(closer);
}

void CMarkupScanner::NoteTagBytes(const char* data, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        const char c = data[i];
        m_cLast = c;
        if (m_cFirst == 0) {
            m_cFirst = c;
            if (c == '/')
                continue;
        }
        if (m_bNameDone)
            continue;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '"')
            m_bNameDone = true;
        else
            m_tagName += c;
    }
}

void CMarkupScanner::TellTagClosed(long long closer)
{
    TagKind eKind = TagKind::Start;
    if (m_cFirst == 0 || m_cFirst == '?' || m_cFirst == '!')
        eKind = TagKind::Other;
    else if (m_cFirst == '/')
        eKind = TagKind::End;
    else if (m_cLast == '/')
        eKind = TagKind::Empty;
    if (eKind == TagKind::Start)
        ++m_nDepth;
    else if (eKind == TagKind::End)
        --m_nDepth;
    m_pObserver->TagClosed({m_nPosition, closer + 1, eKind, m_tagName, m_nDepth});
}
