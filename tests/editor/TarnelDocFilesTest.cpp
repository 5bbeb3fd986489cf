#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"
#include "files/FileFailureSupport.h"

#include "DocumentReader.h"
#include "EditorSetup.h"
#include "MessageBox.h"
#include "StatusNote.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TarnelDocFilesTest : public ::testing::Test, public SEditorFixture
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        WriteRaw(PathOf(name), bytes);
        return PathOf(name);
    }
    void TypeAt(long long nOffset, const QByteArray& text)
    {
        Select(nOffset, nOffset);
        view.ReplaceSelection(text);
    }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
    CDialogAnswers m_answers{doc};
};

TEST_F(TarnelDocFilesTest, SavingWritesTheTextOnBothSidesOfAnEditExactly)
{
    const QByteArray original = QByteArray("<a>\0", 4) + QByteArray(200000, 'm') + "</a>\n";
    const QString path = Write(QStringLiteral("doc.xml"), original);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    for (const long long nOffset : {100000LL, 0LL, static_cast<long long>(original.size())}) {
        TypeAt(nOffset, QByteArray("<ins>\0</ins>", 12));
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(RawContents(path), Text()) << nOffset;
        EXPECT_FALSE(doc.IsModified());
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TarnelDocFilesTest, AFileTooLongToWrapIsShownUnwrappedWithANote)
{
    const QByteArray longText = QByteArray("<a>word</a>\n").repeated(kLongestWrappedText / 12 + 1);
    for (const QByteArray& bytes : {longText, QByteArray("<a>short</a>\n")}) {
        const bool bLong = bytes.size() > kLongestWrappedText;
        const QString path = Write(QStringLiteral("doc.xml"), bytes);
        CStatusNoteCapture notes;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_EQ(view.WordWrap(), !bLong);
        ASSERT_EQ(notes.Notes().size(), bLong ? 1 : 0);
        if (bLong) {
            EXPECT_TRUE(notes.Notes()[0].startsWith(path + QStringLiteral(" is shown unwrapped")));
        }
    }
}

TEST_F(TarnelDocFilesTest, AFailedSaveSaysWhyKeepsTheFileAndLeavesTheDocumentModified)
{
    const QByteArray original("<original/>\n");
    const QString path = Write(QStringLiteral("doc.xml"), original);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    for (const int nSize : {5000, 700 * 1024}) {
        TypeAt(0, QByteArray(nSize, 'x'));
        bool bSaved = true;
        {
            CFileSizeLimit limit(4096);
            bSaved = doc.OnSaveDocument(path);
        }
        EXPECT_FALSE(bSaved);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(RawContents(path), original);
        EXPECT_EQ(m_messages.Messages(),
                  QStringList{QStringLiteral("Could not save %1: File too large.").arg(path)});
        m_messages.Clear();
    }
}

const QString kChangedQuestion =
    QStringLiteral("%1 has been changed by another program since it was opened. Overwrite it?");

TEST_F(TarnelDocFilesTest, SaveAsksBeforeOverwritingAFileAnotherProgramChanged)
{
    const QString path = Write(QStringLiteral("doc.xml"), "<mine/>");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    TypeAt(0, "typed ");
    ASSERT_TRUE(doc.DoFileSave());  // unchanged on disk: no question
    EXPECT_TRUE(m_answers.m_questions.isEmpty());
    TypeAt(0, "more ");
    ASSERT_TRUE(doc.DoFileSave());  // what we wrote ourselves is no change either
    EXPECT_TRUE(m_answers.m_questions.isEmpty());

    WriteRaw(path, "<theirs>written elsewhere</theirs>");
    TypeAt(0, "again ");
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(m_answers.m_questions, QStringList{kChangedQuestion.arg(path)});
    EXPECT_EQ(RawContents(path), QByteArray("<theirs>written elsewhere</theirs>"));
    EXPECT_TRUE(doc.IsModified());

    m_answers.m_yesNoAnswer = IDocumentQuestions::EAnswer::Yes;
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(RawContents(path), Text());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TarnelDocFilesTest, AWriteProtectedFileIsNotedAndReplacedOnlyWhenTheUserSaysSo)
{
    CStatusNoteCapture notes;
    const QString path = Write(QStringLiteral("locked.xml"), "<locked/>");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(notes.Notes(), QStringList{path
                                         + QStringLiteral(" is write-protected: saving asks before "
                                                          "replacing it.")});
    TypeAt(0, "typed ");
    const QString question = path + QStringLiteral(" is write-protected. Replace it anyway?");
    for (const auto answer : {IDocumentQuestions::EAnswer::No, IDocumentQuestions::EAnswer::Yes}) {
        m_answers.m_yesNoAnswer = answer;
        m_answers.m_questions.clear();
        const bool bYes = answer == IDocumentQuestions::EAnswer::Yes;
        EXPECT_EQ(doc.DoFileSave(), bYes);
        EXPECT_EQ(m_answers.m_questions, QStringList{question});
        EXPECT_TRUE(m_answers.m_discarding.last());
        EXPECT_EQ(RawContents(path), bYes ? QByteArray("typed <locked/>") : "<locked/>");
        EXPECT_EQ(doc.IsModified(), !bYes);
    }
    const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                    | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFileInfo(path).permissions() & mode, QFile::ReadOwner | QFile::ReadGroup);
}

TEST_F(TarnelDocFilesTest, ADeletedFileIsSavedAgainWithoutAQuestion)
{
    const QString path = Write(QStringLiteral("doc.xml"), "<mine/>");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    QFile::remove(path);
    TypeAt(0, "typed ");
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(m_answers.m_questions.isEmpty());
    EXPECT_EQ(RawContents(path), QByteArray("typed <mine/>"));
}

struct SReloadCase
{
    const char* name;
    bool bModifiedHere;
    IDocumentQuestions::EAnswer answer;
    const char* question;
    bool bReloaded;
};

TEST_F(TarnelDocFilesTest, ActivationOffersToReloadAChangedFileAndNeverReloadsUnasked)
{
    const SReloadCase cases[] = {
        {"unmodified, yes", false, IDocumentQuestions::EAnswer::Yes,
         "%1 has been changed by another program. Reload it?", true},
        {"unmodified, no", false, IDocumentQuestions::EAnswer::No,
         "%1 has been changed by another program. Reload it?", false},
        {"modified, yes", true, IDocumentQuestions::EAnswer::Yes,
         "%1 has been changed by another program. Reload it and lose the changes made here?", true},
        {"modified, no", true, IDocumentQuestions::EAnswer::No,
         "%1 has been changed by another program. Reload it and lose the changes made here?",
         false},
    };
    for (const SReloadCase& c : cases) {
        const QString path = Write(QStringLiteral("doc.xml"), "<mine/>");
        ASSERT_TRUE(doc.OnOpenDocument(path));
        if (c.bModifiedHere)
            TypeAt(0, "typed ");
        const QByteArray before = Text();
        doc.CheckDiskChanges();
        EXPECT_TRUE(m_answers.m_questions.isEmpty()) << c.name;
        WriteRaw(path, "<theirs/>");
        m_answers.m_yesNoAnswer = c.answer;
        doc.CheckDiskChanges();
        EXPECT_EQ(m_answers.m_questions, QStringList{QString::fromLatin1(c.question).arg(path)})
            << c.name;
        EXPECT_EQ(m_answers.m_discarding.last(), c.bModifiedHere) << c.name;
        EXPECT_EQ(Text(), c.bReloaded ? QByteArray("<theirs/>") : before) << c.name;
        EXPECT_EQ(doc.IsModified(), c.bModifiedHere && !c.bReloaded) << c.name;
        doc.CheckDiskChanges();  // told once
        EXPECT_EQ(m_answers.m_questions.size(), 1) << c.name;
        m_answers.m_questions.clear();
        if (c.bReloaded && c.bModifiedHere) {
            // A reload over edits is one undo step: the edits come back, still unsaved.
            view.undo();
            EXPECT_EQ(Text(), before) << c.name;
            EXPECT_TRUE(doc.IsModified()) << c.name;
            view.redo();
            EXPECT_FALSE(doc.IsModified()) << c.name;
        }
        if (c.bReloaded)
            continue;
        // Keeping the text here does not make their change ours to overwrite unasked.
        m_answers.m_yesNoAnswer = IDocumentQuestions::EAnswer::No;
        EXPECT_FALSE(doc.DoSave(path)) << c.name;
        EXPECT_EQ(m_answers.m_questions, QStringList{kChangedQuestion.arg(path)}) << c.name;
        EXPECT_TRUE(m_answers.m_discarding.last()) << c.name;
        EXPECT_EQ(RawContents(path), QByteArray("<theirs/>")) << c.name;
        m_answers.m_questions.clear();
    }
}

TEST_F(TarnelDocFilesTest, AReloadOverEditsDecodesAFileThatBecameWindows1252)
{
    const QByteArray kTheirs = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><t>\x80</t>";
    const QString path = Write(QStringLiteral("doc.xml"), "<mine/>");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    TypeAt(0, "typed ");
    const QByteArray before = Text();
    WriteRaw(path, kTheirs);
    m_answers.m_yesNoAnswer = IDocumentQuestions::EAnswer::Yes;
    doc.CheckDiskChanges();
    EXPECT_EQ(Text(), "<?xml version=\"1.0\" encoding=\"windows-1252\"?><t>\xe2\x82\xac</t>");
    EXPECT_FALSE(doc.IsModified());
    view.undo();
    EXPECT_EQ(Text(), before);
    view.redo();
    ASSERT_TRUE(doc.DoSave(path));
    EXPECT_EQ(RawContents(path), kTheirs);
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TarnelDocFilesTest, ActivationSaysOnceThatTheFileWasDeleted)
{
    const QString path = Write(QStringLiteral("doc.xml"), "<mine/>");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    QFile::remove(path);
    doc.CheckDiskChanges();
    doc.CheckDiskChanges();
    EXPECT_EQ(
        m_messages.Messages(),
        QStringList{QStringLiteral("%1 has been deleted by another program. Save the document "
                                   "to keep its text.")
                        .arg(path)});
    EXPECT_EQ(Text(), QByteArray("<mine/>"));
}

struct SDocumentState
{
    QByteArray text;
    bool bModified;
    QString strPath;
    bool operator==(const SDocumentState& o) const
    {
        return text == o.text && bModified == o.bModified && strPath == o.strPath;
    }
};

SDocumentState StateOf(CTarnelDoc& doc, SEditorFixture& editor)
{
    return {editor.Text(), doc.IsModified(), doc.GetPathName()};
}

// A named pipe without a writer would hang an ordinary open: getting past it is the test.
TEST_F(TarnelDocFilesTest, OpeningSomethingOtherThanAFileSaysSoAndLeavesTheDocumentAlone)
{
    ASSERT_TRUE(doc.OnOpenDocument(Write(QStringLiteral("keep.xml"), "<keep/>")));
    TypeAt(0, "typed ");
    const SDocumentState before = StateOf(doc, *this);
    const QString fifo = PathOf(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(m_messages.Messages(),
                  QStringList{QStringLiteral("Could not open %1: not a regular file.").arg(path)});
        EXPECT_TRUE(StateOf(doc, *this) == before);
        m_messages.Clear();
    }
    doc.LoadTemplate(fifo);
    EXPECT_EQ(doc.m_pTemplateRoot, nullptr);
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

TEST_F(TarnelDocFilesTest, AFileLargerThanMemoryIsRefusedAndTheDocumentStays)
{
    ASSERT_TRUE(doc.OnOpenDocument(Write(QStringLiteral("keep.xml"), "<keep/>")));
    TypeAt(0, "typed ");
    const SDocumentState before = StateOf(doc, *this);
    const QString path = PathOf(QStringLiteral("huge.xml"));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    if (!huge.resize(CDocumentReader::LargestEditableSize() + 1))
        GTEST_SKIP() << "this file system cannot hold so large a sparse file";
    huge.close();
    EXPECT_FALSE(doc.OnOpenDocument(path));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().constFirst().startsWith(
        QStringLiteral("Could not open %1: at ").arg(path)));
    EXPECT_TRUE(StateOf(doc, *this) == before);
}

// The address-space limit makes the control's allocation for the text fail for real.
TEST_F(TarnelDocFilesTest, RunningOutOfMemoryWhileOpeningSaysSoAndKeepsTheText)
{
    if (!AddressSpaceLimitsWork())
        GTEST_SKIP() << "an address-space limit cannot work under a memory checker";
    ASSERT_TRUE(doc.OnOpenDocument(Write(QStringLiteral("keep.xml"), "<keep/>")));
    TypeAt(0, "typed ");
    const SDocumentState before = StateOf(doc, *this);
    const QString path = PathOf(QStringLiteral("big.xml"));
    QFile big(path);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(qint64(1) << 30));
    big.close();
    bool bOpened = true;
    {
        CAddressSpaceLimit limit(256 << 20);
        bOpened = doc.OnOpenDocument(path);
    }
    EXPECT_FALSE(bOpened);
    EXPECT_EQ(
        m_messages.Messages(),
        QStringList{
            QStringLiteral("Could not open %1: there is not enough memory to hold it.").arg(path)});
    EXPECT_TRUE(StateOf(doc, *this) == before);
}

TEST_F(TarnelDocFilesTest, OpeningOffersBackWhatAnUnfinishedSaveLeft)
{
    for (const auto answer : {IDocumentQuestions::EAnswer::No, IDocumentQuestions::EAnswer::Yes}) {
        const QString path = Write(QStringLiteral("doc.xml"), "<torn>new and o");
        const QString copy = Write(QStringLiteral(".doc.xml.tarnel-copy-Ab12Cd"), "<old/>");
        m_answers.m_yesNoAnswer = answer;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        ASSERT_EQ(m_answers.m_questions.size(), 1);
        EXPECT_TRUE(m_answers.m_questions[0].contains(copy));
        EXPECT_FALSE(m_answers.m_discarding.last());
        const bool bPutBack = answer == IDocumentQuestions::EAnswer::Yes;
        EXPECT_EQ(Text(), bPutBack ? QByteArray("<old/>") : QByteArray("<torn>new and o"));
        EXPECT_EQ(QFile::exists(copy), !bPutBack);
        m_answers.m_questions.clear();
    }
}

}  // namespace
