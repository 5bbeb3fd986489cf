// Colours the markup of a byte stream fed in pieces: tags, their double-quoted values and the
// text between tags, one complete token at a time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class IMarkupObserver;

// Scintilla style numbers of the colouring roles.
enum MarkupStyle : unsigned char
{
    STYLE_UNCOLOURED = 0,
    STYLE_TEXT = 1,
    STYLE_TAG_BRACKET = 2,
    STYLE_TAG_TEXT = 3,
    STYLE_QUOTED = 4,
    STYLE_TAIL = 5,
    STYLE_TAIL_BOLD = 6
};

// Receives the styled runs of a scan.
class IStyleSink
{
public:
    virtual ~IStyleSink() = default;
    // Runs arrive in increasing offset order, never overlapping; zero-length runs are not sent.
    virtual void StyleRun(long long start, long long length, MarkupStyle style) = 0;
};

// Colours complete tokens of a byte stream fed in pieces; the runs do not depend on how the
// stream is cut. Keeps no text: only the unfinished token's start and its quoted values.
class CMarkupScanner
{
public:
    // `startOffset`: the offset of the first byte that will be fed. `pObserver`, when given, is
    // told of every tag passed.
    explicit CMarkupScanner(long long startOffset, IMarkupObserver* pObserver = nullptr);

    // Continues where the last Feed ended.
    void Feed(const char* data, std::size_t length, IStyleSink& sink);

    // Offset of the first byte of the unfinished token; everything before it is coloured.
    long long Position() const { return m_nPosition; }

    // Offset just after the last byte fed.
    long long End() const { return m_nEnd; }

    // Whether the unfinished token is a tag (else a text run, possibly empty).
    bool InTag() const { return m_eToken == Token::Tag; }

private:
    enum class Token
    {
        None,
        Text,
        Tag
    };

    struct QuotedValue
    {
        long long nStart;  // the opening quote
        long long nEnd;    // just after the closing quote
    };

    std::size_t ScanText(const char* data, std::size_t length, IStyleSink& sink);
    std::size_t ScanTag(const char* data, std::size_t length, IStyleSink& sink);
    void StartTag(long long offset);
    void EmitTag(long long closer, IStyleSink& sink);
    // Notes the name and kind of the tag being passed from its bytes after the "<".
    void NoteTagBytes(const char* data, std::size_t length);
    void TellTagClosed(long long closer);

    long long m_nPosition;
    long long m_nEnd;
    Token m_eToken = Token::None;
    bool m_bInQuote = false;
    long long m_nQuoteStart = 0;
    std::vector<QuotedValue> m_quotes;  // of the current tag, in order

    // Kept only for an observer.
    IMarkupObserver* m_pObserver;
    std::string m_tagName;
    bool m_bNameDone = false;
    char m_cFirst = 0;  // the byte after "<"; 0 while there is none
    char m_cLast = 0;   // the last byte before ">"
    int m_nDepth = 0;
};
