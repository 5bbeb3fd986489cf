#include "support/StringTextBuffer.h"

#include "DocRecovery.h"
#include "MessageBox.h"
#include "RecoveryTarget.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Replays into a string.
class CStringTarget : public IRecoveryTarget
{
public:
    void Insert(qint64 nPos, const QByteArray& bytes) override
    {
        m_text.insert(static_cast<std::size_t>(nPos), bytes.constData(),
                      static_cast<std::size_t>(bytes.size()));
    }
    void Delete(qint64 nPos, qint64 nLength) override
    {
        m_text.erase(static_cast<std::size_t>(nPos), static_cast<std::size_t>(nLength));
    }
    std::string m_text;
};

SRecoveryContents ReadJournal(CDocRecovery& recovery)
{
    recovery.FlushNow();
    QFile file(recovery.Journal().FilePath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return CRecoveryCodec::Decode(file.readAll());
}

class DocRecoveryBufferTest : public ::testing::Test
{
protected:
    CMessageCapture m_messages;
    QTemporaryDir m_dir;
    CDocRecovery m_recovery{m_dir.path()};
    CStringTextBuffer m_text;
};

TEST_F(DocRecoveryBufferTest, TheJournalReplaysToTheTextWhateverTheEditsAndSavePoints)
{
    m_recovery.Attach(&m_text);
    m_recovery.Restart(QString(), SFileStamp());
    QRandomGenerator random(7);
    for (int i = 0; i < 400; ++i) {
        const long long nLength = m_text.Length();
        const long long nAt = random.bounded(nLength + 1);
        const long long nRemoved = std::min<long long>(random.bounded(4), nLength - nAt);
        const char inserted[] = {'<', '\0', static_cast<char>('a' + random.bounded(26)), '>'};
        m_text.Replace(nAt, nRemoved, inserted, random.bounded(5));
        if (random.bounded(30) == 0)
            m_text.MarkSaved();
        if (random.bounded(50) == 0)
            m_recovery.FlushNow();
    }
    const SRecoveryContents contents = ReadJournal(m_recovery);
    ASSERT_TRUE(contents.bReadable) << contents.strError.toStdString();
    EXPECT_FALSE(contents.bTornTail);
    CStringTarget target;
    target.Replay(contents.edits);
    EXPECT_EQ(target.m_text, m_text.TextNow());
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(DocRecoveryBufferTest, AnInsertionMadeJustBeforeDetachIsKept)
{
    m_recovery.Attach(&m_text);
    m_recovery.Restart(QString(), SFileStamp());
    m_text.Replace(0, 0, "<a/>", 4);
    m_recovery.Detach();
    m_text.Replace(0, 0, "x", 1);
    CStringTarget target;
    target.Replay(ReadJournal(m_recovery).edits);
    EXPECT_EQ(target.m_text, "<a/>");
}

TEST_F(DocRecoveryBufferTest, EditsNotHeardLeaveTheJournalAbandonedNotWrong)
{
    m_recovery.Attach(&m_text);
    m_recovery.Restart(QString(), SFileStamp());
    m_recovery.Detach();
    m_text.Replace(0, 0, "missed", 6);
    m_recovery.Attach(&m_text);
    QSignalSpy problems(&m_recovery, &CDocRecovery::problem);
    m_text.Replace(0, 0, "<a/>", 4);
    m_text.Replace(0, 0, "<b/>", 4);
    EXPECT_FALSE(m_recovery.Journal().IsRecording());
    ASSERT_EQ(problems.size(), 1);  // said once
    EXPECT_TRUE(problems.at(0).at(0).toString().contains(QStringLiteral("an edit was missed")));
}

}  // namespace
