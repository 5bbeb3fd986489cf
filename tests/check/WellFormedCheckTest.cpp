#include "WellFormedCheck.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Read
{
    long long nOffset;
    int nCount;
    int nReturned;
    bool operator==(const Read& other) const
    {
        return nOffset == other.nOffset && nCount == other.nCount && nReturned == other.nReturned;
    }
};

void PrintTo(const Read& read, std::ostream* os)
{
    *os << "(" << read.nOffset << ", " << read.nCount << " -> " << read.nReturned << ")";
}

// A reader over a text in memory that records every read.
class CFakeText
{
public:
    explicit CFakeText(QByteArray text) : m_text(std::move(text)) {}

    CheckOutcome Check(int nChunkSize = kCheckChunkSize, const CheckCarryOn& carryOn = {})
    {
        return RunWellFormedCheck(
            [this](char* buffer, long long offset, int count) {
                const long long nLeft = std::max<long long>(0, m_text.size() - offset);
                const int nCopied = static_cast<int>(std::min<long long>(count, nLeft));
                std::memcpy(buffer, m_text.constData() + offset, nCopied);
                m_reads.push_back({offset, count, nCopied});
                return nCopied;
            },
            nChunkSize, carryOn);
    }

    std::vector<Read> m_reads;

private:
    QByteArray m_text;
};

// A well-formed text of exactly `nSize` bytes.
QByteArray WellFormedOfSize(int nSize)
{
    QByteArray text = "<a>";
    text += QByteArray(nSize - 7, 'x');
    text += "</a>";
    return text;
}

TEST(WellFormedCheckTest, EmptyTextIsOneEmptyFinalChunkAndAnErrorAtLineOne)
{
    CFakeText text("");
    const CheckOutcome outcome = text.Check();
    EXPECT_EQ(text.m_reads, (std::vector<Read>{{0, 10240, 0}}));
    EXPECT_TRUE(outcome.parserCreated);
    EXPECT_FALSE(outcome.wellFormed);
    EXPECT_EQ(outcome.line, 1);
    EXPECT_EQ(outcome.errorText, "no element found");
}

TEST(WellFormedCheckTest, ShortWellFormedTextIsOneFinalChunk)
{
    CFakeText text("<?xml version=\"1.0\"?>\n<r a=\"1\">\n  <e/>\n</r>\n");
    EXPECT_TRUE(text.Check().wellFormed);
    EXPECT_EQ(text.m_reads.size(), 1u);
}

TEST(WellFormedCheckTest, FirstShortReadIsTheFinalChunkEvenWhenEmpty)
{
    CFakeText exact(WellFormedOfSize(10240));
    EXPECT_TRUE(exact.Check().wellFormed);
    EXPECT_EQ(exact.m_reads, (std::vector<Read>{{0, 10240, 10240}, {10240, 10240, 0}}));
    CFakeText oneOver(WellFormedOfSize(10241));
    EXPECT_TRUE(oneOver.Check().wellFormed);
    EXPECT_EQ(oneOver.m_reads, (std::vector<Read>{{0, 10240, 10240}, {10240, 10240, 1}}));
    CFakeText oneShort(WellFormedOfSize(10239));
    EXPECT_TRUE(oneShort.Check().wellFormed);
    EXPECT_EQ(oneShort.m_reads, (std::vector<Read>{{0, 10240, 10239}}));
    CFakeText twoChunks(WellFormedOfSize(20480));
    EXPECT_TRUE(twoChunks.Check().wellFormed);
    EXPECT_EQ(twoChunks.m_reads,
              (std::vector<Read>{{0, 10240, 10240}, {10240, 10240, 10240}, {20480, 10240, 0}}));
}

// Caught by the sanitizer build and the memory check: a buffer of exactly one chunk takes the
// NUL one byte past its end.
TEST(WellFormedCheckTest, ReaderMayEndAFullChunkWithANul)
{
    const QByteArray text = WellFormedOfSize(3 * 10240 + 5);
    std::vector<int> nulTerminated;
    const CheckOutcome outcome = RunWellFormedCheck([&](char* buffer, long long offset, int count) {
        const int nCopied = static_cast<int>(
            std::min<long long>(count, std::max<long long>(0, text.size() - offset)));
        std::memcpy(buffer, text.constData() + offset, nCopied);
        buffer[nCopied] = '\0';
        nulTerminated.push_back(nCopied);
        return nCopied;
    });
    EXPECT_TRUE(outcome.wellFormed);
    EXPECT_EQ(nulTerminated, (std::vector<int>{10240, 10240, 10240, 5}));
}

TEST(WellFormedCheckTest, CarryOnIsToldAfterEachFullChunkAndNoStopsTheReadingWithoutAVerdict)
{
    struct SCase
    {
        int nStopAt;  // the call that answers no; 0: none does
        std::vector<long long> told;
        std::size_t nReads;
    };
    const std::vector<SCase> cases = {
        {0, {10240, 20480}, 3},
        {1, {10240}, 1},
        {2, {10240, 20480}, 2},
    };
    for (const SCase& c : cases) {
        CFakeText text(WellFormedOfSize(25000));
        std::vector<long long> told;
        const CheckOutcome outcome = text.Check(kCheckChunkSize, [&](long long nFed) {
            told.push_back(nFed);
            return static_cast<int>(told.size()) != c.nStopAt;
        });
        EXPECT_EQ(told, c.told) << c.nStopAt;
        EXPECT_EQ(text.m_reads.size(), c.nReads) << c.nStopAt;
        EXPECT_EQ(outcome.cancelled, c.nStopAt != 0) << c.nStopAt;
        EXPECT_EQ(outcome.wellFormed, c.nStopAt == 0) << c.nStopAt;
    }
}

TEST(WellFormedCheckTest, CharacterSplitAcrossAChunkBoundaryIsJoinedByTheParser)
{
    // "é" is two bytes; the first ends the first chunk, the second starts the next.
    QByteArray text = "<a>" + QByteArray(10240 - 4, 'x') + "\xc3\xa9</a>";
    ASSERT_EQ(text.at(10239), '\xc3');
    CFakeText split(text);
    EXPECT_TRUE(split.Check().wellFormed);
    EXPECT_EQ(split.m_reads.size(), 2u);
}

TEST(WellFormedCheckTest, ErrorInTheFirstChunkStopsTheReading)
{
    CFakeText text("<a>\n<b></c>\n" + QByteArray(30000, ' ') + "</a>");
    const CheckOutcome outcome = text.Check();
    EXPECT_FALSE(outcome.wellFormed);
    EXPECT_EQ(outcome.line, 2);
    EXPECT_EQ(outcome.errorText, "mismatched tag");
    EXPECT_EQ(text.m_reads.size(), 1u);
}

TEST(WellFormedCheckTest, MissingRootEndTagIsFoundAtTheFinalChunk)
{
    QByteArray body = "<a>\n";
    for (int i = 0; i < 5000; ++i)
        body += "<b/>\n";
    CFakeText text(body);
    const CheckOutcome outcome = text.Check();
    EXPECT_FALSE(outcome.wellFormed);
    EXPECT_EQ(outcome.errorText, "no element found");
    EXPECT_EQ(outcome.line, 5002);
    EXPECT_EQ(text.m_reads.size(), 3u);
}

TEST(WellFormedCheckTest, NulByteIsCheckedLikeAnyOtherByte)
{
    CFakeText afterRoot(QByteArray("<a/>\0", 5));
    EXPECT_FALSE(afterRoot.Check().wellFormed);
    CFakeText inContent(QByteArray("<a>\n\0</a>", 9));
    const CheckOutcome outcome = inContent.Check();
    EXPECT_FALSE(outcome.wellFormed);
    EXPECT_EQ(outcome.line, 2);
}

TEST(WellFormedCheckTest, DeclaredEncodingDecidesHowBytesAreRead)
{
    CFakeText latin1("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xe9</a>");
    EXPECT_TRUE(latin1.Check().wellFormed);
    CFakeText undeclaredLatin1("<a>caf\xe9</a>");
    EXPECT_FALSE(undeclaredLatin1.Check().wellFormed);
    CFakeText unsupported("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a/>");
    const CheckOutcome outcome = unsupported.Check();
    EXPECT_FALSE(outcome.wellFormed);
    EXPECT_EQ(outcome.errorText, "unknown encoding");
}

TEST(WellFormedCheckTest, SingleByteEncodingsExpatLacksAreReadFromTheEditorsTables)
{
    const struct
    {
        const char* name;
        QByteArray body;
        bool bWellFormed;
    } cases[] = {
        {"windows-1252", "<a>\x80\x81\x9f</a>", true},  // 0x81 stands for U+0081
        {"cp1250", "<a>\x8a</a>", true},
        {"ISO-8859-2", "<a \xb3=\"\xa1\"/>", true},  // a letter may start a name
        {"ISO-8859-7", "<a>\xff</a>", false},        // stands for no character
        {"windows-1252", "<a>\x80</b>", false},
    };
    for (const auto& c : cases) {
        CFakeText text(QByteArray("<?xml version=\"1.0\" encoding=\"") + c.name + "\"?>" + c.body);
        EXPECT_EQ(text.Check().wellFormed, c.bWellFormed) << c.name << " " << c.body.constData();
    }
}

TEST(WellFormedCheckTest, ErrorPositionDoesNotDependOnTheChunkSize)
{
    const QByteArray texts[] = {
        "<r>\n  <a x=\"1\" x=\"2\"/>\n</r>",
        "<r>\n\xc3\xa9\xc3\xa9<b>\n</r>",
        "<r>\n<!-- unclosed",
        "<r><a></r>",
        "\n\n   <r/><s/>",
    };
    for (const QByteArray& bytes : texts) {
        const CheckOutcome whole = CFakeText(bytes).Check(1 << 20);
        for (int nChunk : {1, 2, 5, 10240}) {
            const CheckOutcome chunked = CFakeText(bytes).Check(nChunk);
            EXPECT_FALSE(chunked.wellFormed);
            EXPECT_EQ(chunked.line, whole.line) << bytes.constData() << " chunk " << nChunk;
            EXPECT_EQ(chunked.column, whole.column) << bytes.constData() << " chunk " << nChunk;
            EXPECT_EQ(chunked.byteIndex, whole.byteIndex)
                << bytes.constData() << " chunk " << nChunk;
            EXPECT_EQ(chunked.errorText, whole.errorText);
        }
    }
}

TEST(WellFormedCheckTest, ErrorMessageIsTheParserTextAndLineEndingInANewline)
{
    CheckOutcome outcome;
    outcome.errorText = "mismatched tag";
    outcome.line = 12;
    EXPECT_EQ(FormatCheckError(outcome), QStringLiteral("mismatched tag at line 12\n"));
}

}  // namespace
