#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"
#include "editor/LongLineText.h"
#include "files/FileFailureSupport.h"

#include "MessageBox.h"
#include "RecoveryTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Sci = QsciScintillaBase;
using EAnswer = CDocRecovery::EAnswer;

const QByteArray kOriginal("<doc>\n  <p>caf\xc3\xa9</p>\n</doc>\n");

QString StateFolder()
{
    return CRecoveryStore::FolderFor(QProcessEnvironment::systemEnvironment());
}

QStringList RecoveryFiles()
{
    return QDir(StateFolder()).entryList({QStringLiteral("*.tarnel-recovery")}, QDir::Files);
}

// One run of the program: a document with its editor view.
struct SSession : SEditorFixture
{
    // Ends as a killed program would: its recovery file stays, unlocked.
    QString Crash()
    {
        doc.Recovery().FlushNow();
        const QString kept = StateFolder() + QStringLiteral("/crashed.tarnel-recovery");
        QFile::copy(doc.Recovery().Journal().FilePath(), kept);
        return kept;
    }
    void Type(long long nAt, const QByteArray& text)
    {
        Select(nAt, nAt);
        view.ReplaceSelection(text);
    }
};

// Edits of every kind the editor makes, some undone and redone.
void EditAtRandom(SSession& session, quint32 nSeed)
{
    QRandomGenerator random(nSeed);
    for (int i = 0; i < 300; ++i) {
        const long long nLength = session.view.TextLength();
        const long long nA = random.bounded(nLength + 1);
        const long long nB = std::min(nLength, nA + random.bounded(6));
        switch (random.bounded(6)) {
        case 0:
            session.Select(nA, nB);
            session.view.ReplaceSelection(QByteArray("\xc3\xa9<x a=\"\0\">", 10));
            break;
        case 1:
            session.Select(nB, nB);
            session.Send(Sci::SCI_DELETEBACK);
            break;
        case 2:
            session.view.undo();
            break;
        case 3:
            session.view.redo();
            break;
        default:
            session.Type(nA, QByteArray(1, static_cast<char>('a' + random.bounded(26))));
        }
        if (random.bounded(40) == 0)
            session.doc.Recovery().FlushNow();
    }
}

class DocRecoveryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strPath = m_dir.filePath(QStringLiteral("doc.xml"));
        WriteRaw(m_strPath, kOriginal);
    }
    void TearDown() override
    {
        for (const QString& name : RecoveryFiles())
            QFile::remove(StateFolder() + QLatin1Char('/') + name);
    }
    // A session that opened the file, typed `typed` at its start and was killed.
    QString CrashedSession(const QByteArray& typed = "<new/>")
    {
        SSession session;
        session.doc.OnOpenDocument(m_strPath);
        session.Type(0, typed);
        return session.Crash();
    }

    QTemporaryDir m_dir;
    QString m_strPath;
    CMessageCapture m_messages;
    CDialogAnswers m_answers;
};

TEST_F(DocRecoveryTest, RecoveredTextIsByteForByteWhatWasTyped)
{
    for (const quint32 nSeed : {1u, 2u, 3u}) {
        SCOPED_TRACE(nSeed);
        QByteArray typed;
        QString kept;
        {
            SSession first;
            ASSERT_TRUE(first.doc.OnOpenDocument(m_strPath));
            EditAtRandom(first, nSeed);
            typed = first.Text();
            kept = first.Crash();
        }
        SSession second;
        ASSERT_TRUE(second.doc.OnOpenDocument(m_strPath));
        m_answers.m_recoveryAnswer = EAnswer::Recover;
        m_answers.AnswerFor(second.doc);
        EXPECT_EQ(second.doc.OfferRecovery(), typed != kOriginal);
        EXPECT_EQ(second.Text(), typed);
        EXPECT_EQ(second.doc.IsModified(), typed != kOriginal);
        EXPECT_FALSE(QFile::exists(kept));
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

// The journal counts in the text as the editor holds it (UTF-8) and knows the file by its bytes.
TEST_F(DocRecoveryTest, EditsOnADecodedFileAreRecoveredIntoTheTextAsShown)
{
    const QByteArray kFiles[] = {
        QByteArray("\xff\xfe<\0d\0>\0\xe9\0\x34\xd8\x1e\xdd<\0/\0d\0>\0\n\0", 26),
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<doc>\x80\x81\xe9</doc>\n",
    };
    for (const QByteArray& file : kFiles) {
        SCOPED_TRACE(file.size());
        WriteRaw(m_strPath, file);
        QByteArray typed;
        {
            SSession first;
            ASSERT_TRUE(first.doc.OnOpenDocument(m_strPath));
            ASSERT_FALSE(first.view.isReadOnly());
            EditAtRandom(first, 4);
            typed = first.Text();
            first.Crash();
        }
        SSession second;
        ASSERT_TRUE(second.doc.OnOpenDocument(m_strPath));
        m_answers.m_recoveryAnswer = EAnswer::Recover;
        m_answers.AnswerFor(second.doc);
        EXPECT_TRUE(second.doc.OfferRecovery());
        EXPECT_EQ(second.Text(), typed);
        TearDown();
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(DocRecoveryTest, TheRecoveredTextIsKeptForRecoveryAgain)
{
    CrashedSession("<again/>");
    SSession session;
    session.doc.OnOpenDocument(m_strPath);
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    m_answers.AnswerFor(session.doc);
    ASSERT_TRUE(session.doc.OfferRecovery());
    const SRecoveryContents contents =
        CRecoveryCodec::Decode(RawContents(session.doc.Recovery().Journal().FilePath()));
    QByteArray replayed = kOriginal;
    struct STarget : IRecoveryTarget
    {
        QByteArray& text;
        explicit STarget(QByteArray& t) : text(t) {}
        void Insert(qint64 n, const QByteArray& b) override { text.insert(n, b); }
        void Delete(qint64 n, qint64 l) override { text.remove(n, l); }
    } target(replayed);
    target.Replay(contents.edits);
    EXPECT_EQ(replayed, session.Text());
}

TEST_F(DocRecoveryTest, EachAnswerDoesWhatItSays)
{
    const struct
    {
        EAnswer answer;
        QByteArray text;
        bool bModified;
        bool bFileKept;
    } cases[] = {
        {EAnswer::Recover, "<new/>" + kOriginal, true, false},
        {EAnswer::Discard, kOriginal, false, false},
        {EAnswer::Later, kOriginal, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        const QString kept = CrashedSession();
        SSession session;
        session.doc.OnOpenDocument(m_strPath);
        m_answers.m_recoveryAnswer = c.answer;
        m_answers.AnswerFor(session.doc);
        session.doc.OfferRecovery();
        EXPECT_EQ(session.Text(), c.text);
        EXPECT_EQ(session.doc.IsModified(), c.bModified);
        EXPECT_EQ(QFile::exists(kept), c.bFileKept);
        QFile::remove(kept);
    }
    EXPECT_EQ(m_answers.m_questions.size(), 3);
    EXPECT_TRUE(m_answers.m_questions.at(0).startsWith(
        QStringLiteral("Tarnel ended without saving the changes to %1, last changed ")
            .arg(m_strPath)));
}

// Decided by the bytes: a touched file takes its edits back; a changed one never has them
// replayed on it, but what was typed goes to a new document, so it is never out of reach.
TEST_F(DocRecoveryTest, EditsFollowTheOriginalsBytesNotItsTimeStamp)
{
    const struct
    {
        const char* name;
        QByteArray onDisk;
        bool bReplayed;
    } cases[] = {
        {"touched", kOriginal, true},
        {"changed", "<changed by=\"another program\"/>\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString kept = CrashedSession("<typed/>");
        WriteRaw(m_strPath, c.onDisk);  // a new time stamp whatever the bytes
        SSession session;
        session.doc.OnOpenDocument(m_strPath);
        int nNewWindows = 0;
        session.doc.Recovery().SetNewDocumentOpener([&nNewWindows] { ++nNewWindows; });
        m_answers.m_recoveryAnswer = EAnswer::Recover;
        m_answers.AnswerFor(session.doc);
        EXPECT_EQ(session.doc.OfferRecovery(), c.bReplayed);
        EXPECT_EQ(m_answers.m_recoverable, QList<bool>{c.bReplayed});
        EXPECT_EQ(session.Text(), c.bReplayed ? "<typed/>" + kOriginal : c.onDisk);
        EXPECT_FALSE(QFile::exists(kept));
        EXPECT_EQ(nNewWindows, c.bReplayed ? 0 : 1);
        if (!c.bReplayed) {
            EXPECT_TRUE(m_answers.m_questions.at(0).contains(QStringLiteral("has been changed")));
            // The next new document offers what was typed.
            SSession next;
            next.doc.OnNewDocument();
            CDialogAnswers answers(next.doc);
            answers.m_recoveryAnswer = EAnswer::Recover;
            EXPECT_TRUE(next.doc.OfferRecovery());
            EXPECT_EQ(next.Text(), "<typed/>");
        }
        m_answers.m_recoverable.clear();
        m_answers.m_questions.clear();
        session.doc.OnNewDocument();
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

// A file-size limit too small for any journal stands for a full state folder.
TEST_F(DocRecoveryTest, TheOldJournalStaysUntilItsSuccessorIsOnDisk)
{
    const QString kept = CrashedSession("<typed/>");
    SSession session;
    session.doc.OnOpenDocument(m_strPath);
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    m_answers.AnswerFor(session.doc);
    {
        const CFileSizeLimit limit(64);
        EXPECT_TRUE(session.doc.OfferRecovery());
    }
    EXPECT_EQ(session.Text(), "<typed/>" + kOriginal);
    EXPECT_TRUE(QFile::exists(kept));  // the only copy on disk
    ASSERT_TRUE(session.doc.OnSaveDocument(m_strPath));
    EXPECT_FALSE(QFile::exists(kept));  // saved: no longer needed
}

TEST_F(DocRecoveryTest, AFileOpenedThroughALinkedFolderFindsItsJournal)
{
    const QString linked = m_dir.filePath(QStringLiteral("linked"));
    ASSERT_TRUE(QFile::link(m_dir.path(), linked));
    {
        SSession first;
        ASSERT_TRUE(first.doc.OnOpenDocument(linked + QStringLiteral("/doc.xml")));
        first.Type(0, "<via-link/>");
        first.Crash();
    }
    SSession second;
    ASSERT_TRUE(second.doc.OnOpenDocument(m_strPath));
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    m_answers.AnswerFor(second.doc);
    EXPECT_TRUE(second.doc.OfferRecovery());
    EXPECT_EQ(second.Text(), "<via-link/>" + kOriginal);
}

TEST_F(DocRecoveryTest, ANewDocumentsTextIsOfferedAtStartUp)
{
    {
        SSession first;
        first.doc.OnNewDocument();
        first.Type(first.view.TextLength(), "<root>unsaved</root>");
        first.Crash();
    }
    // As at start-up: the first document is made before the editor registers.
    CTarnelDoc doc;
    CTarnelView view(&doc);
    doc.OnNewDocument();
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    m_answers.AnswerFor(doc);
    EXPECT_TRUE(doc.OfferRecovery());
    EXPECT_EQ(view.TextBytes(), CTarnelDoc::HeaderComment() + "<root>unsaved</root>");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
}

// The long line typed in the crashed session is asked about as on opening; Cancel leaves the
// file as it was and keeps the edits for another time.
TEST_F(DocRecoveryTest, ALongLineTheEditsBringIsShownOnlyAsTheUserChooses)
{
    const QByteArray feed = OneLineXml(true).mid(OneLineXml(true).indexOf("<feed>"));
    const QByteArray typed = kOriginal.left(5) + feed + kOriginal.mid(5);
    const struct
    {
        const char* name;
        ELongLineChoice choice;
        bool bRecovered;
    } cases[] = {
        {"format", ELongLineChoice::Format, true},
        {"as it is", ELongLineChoice::AsItIs, true},
        {"cancel", ELongLineChoice::NotOpened, false},
    };
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString kept;
        {
            SSession first;
            ASSERT_TRUE(first.doc.OnOpenDocument(m_strPath));
            // Neither wrapped nor typed: either would lay the line out.
            first.view.SetWordWrap(false);
            first.view.Replace(5, 0, feed.constData(), static_cast<std::size_t>(feed.size()));
            kept = first.Crash();
        }
        for (const bool bAgain : {false, true}) {
            SSession session;
            ASSERT_TRUE(session.doc.OnOpenDocument(m_strPath));
            m_answers.AnswerFor(session.doc);
            m_answers.m_questions.clear();
            // Kept by Cancel, the edits are recovered as they were the next time.
            m_answers.m_longLineChoice = bAgain ? ELongLineChoice::AsItIs : c.choice;
            EXPECT_EQ(session.doc.OfferRecovery(), bAgain || c.bRecovered);
            ASSERT_EQ(m_answers.m_questions.size(), 2);
            EXPECT_TRUE(m_answers.m_questions[1].startsWith(
                QStringLiteral("The longest line of %1 is").arg(m_strPath)));
            EXPECT_TRUE(session.view.updatesEnabled());
            if (!bAgain && c.choice == ELongLineChoice::Format) {
                EXPECT_GT(session.Send(Sci::SCI_GETLINECOUNT), 1000);
                EXPECT_EQ(WithoutWhitespace(session.Text()), WithoutWhitespace(typed));
            } else if (!bAgain && c.choice == ELongLineChoice::NotOpened) {
                EXPECT_EQ(session.Text(), kOriginal);
                EXPECT_FALSE(session.doc.IsModified());
                EXPECT_FALSE(session.view.isRedoAvailable());
                EXPECT_EQ(session.SelEnd(), 0);
                session.doc.Recovery().FlushNow();
                EXPECT_EQ(RecoveryFiles(), QStringList{QFileInfo(kept).fileName()});
                EXPECT_TRUE(QFile::exists(kept));
                continue;
            } else {
                EXPECT_EQ(session.Text(), typed);
            }
            EXPECT_TRUE(session.doc.IsModified());
            EXPECT_FALSE(QFile::exists(kept));
            break;
        }
        QFile::remove(kept);
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(DocRecoveryTest, ALongLineChosenAtOpeningIsNotAskedAboutAgain)
{
    const QByteArray file = OneLineXml(true);
    WriteRaw(m_strPath, file);
    m_answers.m_longLineChoice = ELongLineChoice::AsItIs;
    m_answers.m_recoveryAnswer = EAnswer::Recover;
    {
        SSession first;
        m_answers.AnswerFor(first.doc);
        ASSERT_TRUE(first.doc.OnOpenDocument(m_strPath));
        first.Type(0, "\n");
        first.Crash();
    }
    SSession second;
    m_answers.AnswerFor(second.doc);
    m_answers.m_questions.clear();
    ASSERT_TRUE(second.doc.OnOpenDocument(m_strPath));
    EXPECT_TRUE(second.doc.OfferRecovery());
    EXPECT_EQ(second.Text(), "\n" + file);
    ASSERT_EQ(m_answers.m_questions.size(), 2);
    EXPECT_TRUE(m_answers.m_questions[0].startsWith(QStringLiteral("The longest line")));
}

TEST_F(DocRecoveryTest, TheFileGoesWhenTheDocumentIsSavedReplacedOrClosed)
{
    const std::pair<const char*, std::function<void(std::unique_ptr<SSession>&)>> ends[] = {
        {"saved", [&](auto& s) { s->doc.OnSaveDocument(m_strPath); }},
        {"replaced by New", [](auto& s) { s->doc.OnNewDocument(); }},
        {"reopened", [&](auto& s) { s->doc.OnOpenDocument(m_strPath); }},
        {"closed", [](auto& s) { s.reset(); }},
    };
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        auto pSession = std::make_unique<SSession>();
        pSession->doc.OnOpenDocument(m_strPath);
        pSession->Type(0, "<unsaved/>");
        pSession->doc.Recovery().FlushNow();
        ASSERT_EQ(RecoveryFiles().size(), 1);
        end(pSession);
        EXPECT_TRUE(RecoveryFiles().isEmpty());
    }
}

}  // namespace
