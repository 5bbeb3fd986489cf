#include "RecoveryJournal.h"
#include "RecoveryStore.h"

#include "RecoveryOrigins.h"
#include "files/FileFailureSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using EApplies = CRecoveryStore::EApplies;

class RecoveryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strDoc = m_dir.filePath(QStringLiteral("doc.xml"));
        WriteRaw(m_strDoc, "<doc/>\n");
    }
    QString Folder() const { return m_dir.filePath(QStringLiteral("tarnel")); }

    // Records `edit` for `origin` in a process that then dies without cleaning up.
    void LeaveFromKilledSession(const SRecoveryOrigin& origin, const QByteArray& inserted)
    {
        const pid_t pid = ::fork();
        if (pid == 0) {
            CRecoveryJournal journal(Folder());
            journal.Restart(origin);
            journal.RecordInsert(0, inserted);
            journal.Flush();
            journal.WaitForWrites();
            ::_exit(0);
        }
        int nStatus = 0;
        ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
        ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    }

    QTemporaryDir m_dir;
    QString m_strDoc;
};

TEST_F(RecoveryStoreTest, FindsTheFilesLeftForADocumentButNotThoseOfARunningTarnel)
{
    const SRecoveryOrigin doc = OriginOf(m_strDoc);
    LeaveFromKilledSession(doc, "for doc");
    LeaveFromKilledSession(SRecoveryOrigin(), "untitled");
    CRecoveryJournal running(Folder());
    running.Restart(doc);
    running.RecordInsert(0, "still being edited");
    running.Flush();
    running.WaitForWrites();

    const CRecoveryStore store(Folder());
    const struct
    {
        QString path;
        std::vector<QByteArray> expected;
    } lookups[] = {
        {m_strDoc, {"for doc"}},
        {QString(), {"untitled"}},
        {m_dir.filePath(QStringLiteral("other.xml")), {}},
    };
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(lookup.path.toStdString());
        std::vector<QByteArray> found;
        for (const SRecoveryCandidate& candidate : store.LeftFor(lookup.path))
            found.push_back(candidate.contents.edits.at(0).data);
        EXPECT_EQ(found, lookup.expected);
    }
}

// Decided by the bytes: a touched or remounted file still takes its edits; old journals, which
// carry no digest, are decided by the file's stamp as before.
TEST_F(RecoveryStoreTest, AJournalAppliesToTheTextItWasRecordedOn)
{
    const QByteArray header = "<!-- header -->\n";
    const auto journal = [](const SRecoveryOrigin& origin, bool bUndone = false) {
        SRecoveryContents contents;
        contents.origin = origin;
        contents.edits.push_back({SRecoveryEdit::EKind::Insert, 0, 1, "x"});
        if (bUndone)
            contents.edits.push_back({SRecoveryEdit::EKind::Clean, 0, 0, {}});
        return contents;
    };
    const SRecoveryOrigin doc = OriginOf(m_strDoc);
    SRecoveryOrigin withoutDigest = doc;
    withoutDigest.nLength = -1;
    withoutDigest.digest = SContentDigest();
    SRecoveryOrigin touched = doc;
    touched.stamp.nModifiedNs += 1000;
    touched.stamp.nDevice += 1;
    const QString other = m_dir.filePath(QStringLiteral("other.xml"));
    WriteRaw(other, "<cod/>\n");
    SRecoveryOrigin sameSizeOtherBytes = OriginOf(other);
    sameSizeOtherBytes.strPath = m_strDoc;
    SRecoveryOrigin deleted;
    deleted.strPath = m_strDoc;
    const struct
    {
        const char* name;
        SRecoveryContents contents;
        SRecoveryOrigin current;
        EApplies expected;
    } cases[] = {
        {"unchanged", journal(doc), doc, EApplies::Yes},
        {"touched, remounted: same bytes", journal(doc), touched, EApplies::Yes},
        {"other bytes of the same size", journal(doc), sameSizeOtherBytes, EApplies::OriginChanged},
        {"deleted", journal(doc), deleted, EApplies::OriginGone},
        {"old journal, same stamp", journal(withoutDigest), doc, EApplies::Yes},
        {"old journal, touched", journal(withoutDigest), touched, EApplies::OriginChanged},
        {"new document, same header", journal(UntitledOrigin(header)), UntitledOrigin(header),
         EApplies::Yes},
        {"new document, another header", journal(UntitledOrigin(header)),
         UntitledOrigin("<!-- other -->\n"), EApplies::OriginChanged},
        {"undone to the original", journal(doc, true), doc, EApplies::NothingToRecover},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CRecoveryStore::Check(c.contents, c.current), c.expected);
    }
}

// Sparse files: they take no disk, but reading one whole would take 6 GB of memory.
TEST_F(RecoveryStoreTest, StrayAndHugeFilesCostNoMoreThanTheirHeader)
{
    const SRecoveryOrigin doc = OriginOf(m_strDoc);
    LeaveFromKilledSession(doc, "for doc");
    const qint64 nHuge = qint64(6) << 30;
    const auto huge = [&](const QString& name, const QByteArray& start) {
        QFile file(Folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(start);
        ASSERT_TRUE(file.resize(nHuge));
    };
    huge(QStringLiteral("zeros.tarnel-recovery"), QByteArray());
    const QString other = m_dir.filePath(QStringLiteral("other.xml"));
    huge(QStringLiteral("other.tarnel-recovery"), CRecoveryCodec::EncodeHeader(OriginOf(other)));
    const std::vector<SRecoveryCandidate> found = CRecoveryStore(Folder()).LeftFor(m_strDoc);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().contents.edits.size(), 1u);
    // One for this very document that is too large to hold is left out, never fatal.
    if (AddressSpaceLimitsWork()) {
        huge(QStringLiteral("mine.tarnel-recovery"), CRecoveryCodec::EncodeHeader(doc));
        const CAddressSpaceLimit limit(qint64(1) << 30);
        EXPECT_EQ(CRecoveryStore(Folder()).LeftFor(m_strDoc).size(), 1u);
    }
}

TEST_F(RecoveryStoreTest, TheFolderFollowsTheXdgStateHome)
{
    const struct
    {
        const char* state;
        QString expected;
    } cases[] = {
        {"/x/state", QStringLiteral("/x/state/tarnel")},
        {"", QStringLiteral("/home/u/.local/state/tarnel")},
        {"relative/state", QStringLiteral("/home/u/.local/state/tarnel")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/u"));
        if (*c.state)
            environment.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromLatin1(c.state));
        EXPECT_EQ(CRecoveryStore::FolderFor(environment), c.expected);
    }
}

}  // namespace
