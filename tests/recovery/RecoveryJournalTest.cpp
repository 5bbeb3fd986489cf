#include "RecoveryJournal.h"
#include "RecoveryTarget.h"

#include "RecoveryOrigins.h"
#include "files/FileFailureSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

const QByteArray kOriginal("<doc>\n  <p a=\"1\">text</p>\n\0\xff\xfe latin-1 bytes</doc>\n", 47);

class CBytesTarget : public IRecoveryTarget
{
public:
    explicit CBytesTarget(QByteArray text) : m_text(std::move(text)) {}
    void Insert(qint64 nPos, const QByteArray& bytes) override { m_text.insert(nPos, bytes); }
    void Delete(qint64 nPos, qint64 nLength) override { m_text.remove(nPos, nLength); }
    QByteArray m_text;
};

// Random edits applied to `text` and recorded in `journal` as the editor would.
void RandomEdit(QRandomGenerator& random, QByteArray& text, CRecoveryJournal& journal)
{
    const qint64 nPos = random.bounded(text.size() + 1);
    if (random.bounded(3) != 0 || text.isEmpty()) {
        QByteArray bytes(1 + random.bounded(random.bounded(8) == 0 ? 300 : 3), '\0');
        for (char& c : bytes)
            c = static_cast<char>(random.bounded(256));
        text.insert(nPos, bytes);
        journal.RecordInsert(nPos, bytes);
    } else {
        const qint64 nLength = random.bounded(std::min<qint64>(text.size() - nPos, 40) + 1);
        text.remove(nPos, nLength);
        journal.RecordDelete(nPos, nLength);
    }
}

class RecoveryJournalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strOriginal = m_dir.filePath(QStringLiteral("doc.xml"));
        WriteRaw(m_strOriginal, kOriginal);
    }
    QString Folder() const { return m_dir.filePath(QStringLiteral("state/tarnel")); }
    SRecoveryOrigin Origin() const { return OriginOf(m_strOriginal); }
    SRecoveryContents ReadBack(const CRecoveryJournal& journal)
    {
        return CRecoveryCodec::Decode(RawContents(journal.FilePath()));
    }
    QByteArray Replayed(const SRecoveryContents& contents, const QByteArray& original = kOriginal)
    {
        CBytesTarget target(original);
        target.Replay(contents.edits);
        return target.m_text;
    }

    QTemporaryDir m_dir;
    QString m_strOriginal;
};

TEST_F(RecoveryJournalTest, ReplayingTheFileGivesTheTextAfterRandomEdits)
{
    struct SRun
    {
        quint32 nSeed;
        int nEdits;
        int nFlushEvery;
    };
    const SRun runs[] = {{1, 1, 1}, {2, 50, 1}, {3, 400, 7}, {4, 400, 400}, {5, 2000, 97}};
    for (const SRun& run : runs) {
        SCOPED_TRACE(run.nSeed);
        QRandomGenerator random(run.nSeed);
        QByteArray text = kOriginal;
        CRecoveryJournal journal(Folder());
        journal.Restart(Origin());
        for (int i = 1; i <= run.nEdits; ++i) {
            RandomEdit(random, text, journal);
            if (i % run.nFlushEvery == 0)
                journal.Flush();
        }
        journal.Flush();
        journal.WaitForWrites();
        const SRecoveryContents contents = ReadBack(journal);
        ASSERT_TRUE(contents.bReadable);
        EXPECT_FALSE(contents.bTornTail);
        EXPECT_EQ(contents.origin.strPath, m_strOriginal);
        EXPECT_TRUE(contents.origin.stamp == SFileStamp::Of(m_strOriginal));
        EXPECT_EQ(Replayed(contents), text);
        EXPECT_EQ(journal.Length(), text.size());
    }
}

TEST_F(RecoveryJournalTest, AnUntitledDocumentIsReplayedOnAnEmptyText)
{
    CRecoveryJournal journal(Folder());
    journal.Restart(SRecoveryOrigin());
    journal.RecordInsert(0, "<new/>");
    journal.RecordInsert(2, "ab");
    journal.RecordDelete(0, 1);
    journal.Flush();
    journal.WaitForWrites();
    const SRecoveryContents contents = ReadBack(journal);
    EXPECT_TRUE(contents.origin.IsUntitled());
    EXPECT_EQ(Replayed(contents, QByteArray()), QByteArray("nabew/>"));
}

TEST_F(RecoveryJournalTest, ATornOrDamagedLastRecordIsLeftOut)
{
    CRecoveryJournal journal(Folder());
    journal.Restart(Origin());
    journal.RecordInsert(0, "first ");
    journal.Flush();
    journal.WaitForWrites();
    const qint64 nFirstSize = QFileInfo(journal.FilePath()).size();
    journal.RecordInsert(3, "second record, lost");
    journal.Flush();
    journal.WaitForWrites();
    const QByteArray whole = RawContents(journal.FilePath());
    const QByteArray expected = "first " + kOriginal;

    std::vector<std::pair<std::string, QByteArray>> damages;
    for (qint64 nCut = nFirstSize + 1; nCut < whole.size(); ++nCut)
        damages.emplace_back("cut at " + std::to_string(nCut), whole.left(nCut));
    damages.emplace_back("zero-filled tail",
                         whole.left(nFirstSize) + QByteArray(whole.size() - nFirstSize, '\0'));
    QByteArray flipped = whole;
    flipped[flipped.size() - 12] = static_cast<char>(flipped[flipped.size() - 12] ^ 0x20);
    damages.emplace_back("a changed byte", flipped);
    for (const auto& [name, bytes] : damages) {
        SCOPED_TRACE(name);
        const SRecoveryContents contents = CRecoveryCodec::Decode(bytes);
        ASSERT_TRUE(contents.bReadable);
        EXPECT_TRUE(contents.bTornTail);
        ASSERT_EQ(contents.edits.size(), 1u);
        EXPECT_EQ(Replayed(contents), expected);
    }
    EXPECT_FALSE(CRecoveryCodec::Decode(whole.left(20)).bReadable);
}

TEST_F(RecoveryJournalTest, ARecordThatDoesNotFitTheTextEndsTheReplay)
{
    SRecoveryOrigin origin = Origin();
    QByteArray bytes = CRecoveryCodec::EncodeHeader(origin);
    CRecoveryCodec::AppendRecord({SRecoveryEdit::EKind::Insert, 0, 2, "ok"}, bytes);
    CRecoveryCodec::AppendRecord({SRecoveryEdit::EKind::Delete, 40, 100, {}}, bytes);
    CRecoveryCodec::AppendRecord({SRecoveryEdit::EKind::Insert, 0, 5, "later"}, bytes);
    const SRecoveryContents contents = CRecoveryCodec::Decode(bytes);
    EXPECT_TRUE(contents.bTornTail);
    EXPECT_EQ(Replayed(contents), "ok" + kOriginal);
}

TEST_F(RecoveryJournalTest, EditsAreWrittenOnlyWhenFlushedAfterTypingStops)
{
    CRecoveryJournal journal(Folder());
    journal.Restart(Origin());
    for (int i = 0; i < 100; ++i)
        journal.RecordInsert(i, "x");
    for (int i = 99; i > 96; --i)
        journal.RecordDelete(i, 1);  // Backspace
    journal.RecordDelete(0, 1);      // Delete
    journal.RecordDelete(0, 1);
    EXPECT_TRUE(AllEntries(Folder()).isEmpty());
    EXPECT_TRUE(journal.HasPending());
    journal.Flush();
    journal.WaitForWrites();
    const SRecoveryContents contents = ReadBack(journal);
    // Typing, Backspace held down and Delete held down: one record each.
    EXPECT_EQ(contents.edits.size(), 3u);
    EXPECT_EQ(Replayed(contents), QByteArray(95, 'x') + kOriginal);
}

TEST_F(RecoveryJournalTest, TheFileAndItsFolderAreOnlyTheUsers)
{
    const mode_t previous = ::umask(0);
    CRecoveryJournal journal(Folder());
    journal.Restart(Origin());
    journal.RecordInsert(0, "secret");
    journal.Flush();
    journal.WaitForWrites();
    ::umask(previous);
    struct stat file
    {
    };
    struct stat folder
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(journal.FilePath()).constData(), &file), 0);
    ASSERT_EQ(::stat(QFile::encodeName(Folder()).constData(), &folder), 0);
    EXPECT_EQ(file.st_mode & 07777, 0600u);
    EXPECT_EQ(folder.st_mode & 07777, 0700u);
}

TEST_F(RecoveryJournalTest, TheFileIsRemovedWhenTheTextIsSavedDiscardedOrClosed)
{
    const std::pair<const char*, std::function<void(std::unique_ptr<CRecoveryJournal>&)>> ends[] = {
        {"saved (a new original)", [&](auto& j) { j->Restart(Origin()); }},
        {"discarded", [](auto& j) { j->Discard(); }},
        {"closed", [](auto& j) { j.reset(); }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        auto pJournal = std::make_unique<CRecoveryJournal>(Folder());
        pJournal->Restart(Origin());
        pJournal->RecordInsert(0, "unsaved");
        pJournal->Flush();
        pJournal->WaitForWrites();
        ASSERT_EQ(AllEntries(Folder()).size(), 1);
        end(pJournal);
        EXPECT_TRUE(AllEntries(Folder()).isEmpty());
    }
}

TEST_F(RecoveryJournalTest, OnlyATextBackAtTheOriginalHasNothingToRecover)
{
    const struct
    {
        const char* name;
        std::function<void(CRecoveryJournal&)> marks;
        bool bChanges;
    } cases[] = {
        {"edited", [](CRecoveryJournal&) {}, true},
        {"undone to the original", [](CRecoveryJournal& j) { j.RecordClean(); }, false},
        {"then marked modified", [](CRecoveryJournal& j) { j.RecordClean(), j.RecordDirty(); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecoveryJournal journal(Folder());
        journal.Restart(Origin());
        journal.RecordInsert(0, "x");
        journal.RecordDelete(0, 1);
        c.marks(journal);
        journal.Flush();
        journal.WaitForWrites();
        EXPECT_EQ(ReadBack(journal).HasChanges(), c.bChanges);
    }
}

TEST_F(RecoveryJournalTest, AFailedWriteStopsRecordingRemovesTheFileAndSaysWhy)
{
    CRecoveryJournal journal(Folder());
    QSignalSpy failures(&journal, &CRecoveryJournal::failed);
    journal.Restart(Origin());
    journal.RecordInsert(0, "fits");
    journal.Flush();
    journal.WaitForWrites();
    {
        CFileSizeLimit limit(QFileInfo(journal.FilePath()).size() + 10);
        journal.RecordInsert(0, QByteArray(100, 'y'));
        journal.Flush();
        journal.WaitForWrites();
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(
        failures.at(0).at(0).toString(),
        QStringLiteral("Unsaved changes to %1 can no longer be kept for recovery: File too large.")
            .arg(m_strOriginal));
    EXPECT_FALSE(journal.IsRecording());
    EXPECT_TRUE(AllEntries(Folder()).isEmpty());
}

}  // namespace
