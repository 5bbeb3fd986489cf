#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"
#include "editor/LongLineText.h"
#include "files/FileFailureSupport.h"

#include "MessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;
using EAnswer = IDocumentQuestions::EAnswer;

const QByteArray kMine("<feed>\n  <item/>\n</feed>\n");

class LongLineReplaceTest : public ::testing::Test, public SEditorFixture
{
protected:
    QString Write(const QByteArray& bytes) const
    {
        const QString path = m_dir.filePath(QStringLiteral("feed.xml"));
        WriteRaw(path, bytes);
        return path;
    }
    void ExpectShownAsChosen(ELongLineChoice choice, const QByteArray& file, const char* name)
    {
        EXPECT_TRUE(view.updatesEnabled()) << name;
        if (choice == ELongLineChoice::Format) {
            EXPECT_GT(Send(Sci::SCI_GETLINECOUNT), 1000) << name;
            EXPECT_EQ(WithoutWhitespace(Text()), WithoutWhitespace(file)) << name;
        } else {
            EXPECT_EQ(Text(), file) << name;
        }
    }

    QTemporaryDir m_dir;
    CMessageCapture m_messages;
    CDialogAnswers m_answers{doc};
};

const struct SChoiceCase
{
    const char* name;
    ELongLineChoice choice;
} kChoices[] = {
    {"format", ELongLineChoice::Format},
    {"as it is", ELongLineChoice::AsItIs},
    {"cancel", ELongLineChoice::NotOpened},
};

TEST_F(LongLineReplaceTest, AReloadAsksFirstAndCancelKeepsTheTextAsItWas)
{
    const QByteArray theirs = OneLineXml(true);
    for (const bool bModifiedHere : {false, true}) {
        for (const SChoiceCase& c : kChoices) {
            const std::string name = std::string(c.name) + (bModifiedHere ? ", modified" : "");
            const QString path = Write(kMine);
            ASSERT_TRUE(doc.OnOpenDocument(path)) << name;
            if (bModifiedHere)
                view.ReplaceSelection("<typed/>");
            const QByteArray before = Text();
            WriteRaw(path, theirs);
            m_answers.m_questions.clear();
            m_answers.m_yesNoAnswer = EAnswer::Yes;
            m_answers.m_longLineChoice = c.choice;
            doc.CheckDiskChanges();
            ASSERT_EQ(m_answers.m_questions.size(), 2) << name;
            EXPECT_TRUE(m_answers.m_questions[1].startsWith(
                QStringLiteral("The longest line of %1 is").arg(path)))
                << name;
            if (c.choice != ELongLineChoice::NotOpened) {
                ExpectShownAsChosen(c.choice, theirs, name.c_str());
                // Formatted is an edit not saved yet.
                EXPECT_EQ(doc.IsModified(), c.choice == ELongLineChoice::Format) << name;
                continue;
            }
            EXPECT_TRUE(view.updatesEnabled()) << name;
            EXPECT_EQ(Text(), before) << name;
            EXPECT_EQ(doc.IsModified(), bModifiedHere) << name;
            EXPECT_EQ(doc.GetPathName(), path) << name;
            // Their change is still theirs: saving over it asks.
            m_answers.m_questions.clear();
            m_answers.m_yesNoAnswer = EAnswer::No;
            EXPECT_FALSE(doc.DoSave(path)) << name;
            EXPECT_EQ(m_answers.m_questions.size(), 1) << name;
            EXPECT_EQ(RawContents(path), theirs) << name;
        }
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(LongLineReplaceTest, AReloadOverEditsIsStillOneUndoStepAfterTheQuestion)
{
    const QString path = Write(kMine);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    view.ReplaceSelection("<typed/>");
    const QByteArray typed = Text();
    WriteRaw(path, OneLineXml(true));
    m_answers.m_yesNoAnswer = EAnswer::Yes;
    m_answers.m_longLineChoice = ELongLineChoice::AsItIs;
    doc.CheckDiskChanges();
    ASSERT_EQ(Text(), OneLineXml(true));
    view.undo();
    EXPECT_EQ(Text(), typed);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(LongLineReplaceTest, EditsAReloadLeftForRecoveryAreSaidToBeKeptWhenItsLineIsRefused)
{
    const QString path = Write(kMine);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    view.ReplaceSelection("<typed/>");
    const QByteArray typed = Text();
    // UTF-32 opens read-only, which a reload could not undo: the edits go to recovery first.
    QByteArray utf32("\xff\xfe\0\0", 4);
    for (const char c : OneLineXml(true))
        utf32 += QByteArray(1, c) + QByteArray(3, '\0');
    WriteRaw(path, utf32);
    m_answers.m_yesNoAnswer = EAnswer::Yes;
    m_answers.m_longLineChoice = ELongLineChoice::NotOpened;
    doc.CheckDiskChanges();
    EXPECT_EQ(m_answers.m_questions.size(), 2);  // the reload, the long line
    EXPECT_EQ(m_messages.Messages(),
              QStringList{QStringLiteral(
                  "The text it replaced is kept: File > New offers to recover it.")});
    m_answers.m_recoveryAnswer = CDocRecovery::EAnswer::Recover;
    ASSERT_TRUE(doc.OfferRecovery());
    EXPECT_EQ(Text(), typed);
}

TEST_F(LongLineReplaceTest, AnUntitledTextAsksFirstAndCancelLeavesItInItsFile)
{
    const QByteArray given = OneLineXml(true);
    for (const SChoiceCase& c : kChoices) {
        doc.OnNewDocument();
        const QString path = Write(given);
        m_answers.m_questions.clear();
        m_answers.m_longLineChoice = c.choice;
        const bool bTaken = c.choice != ELongLineChoice::NotOpened;
        EXPECT_EQ(doc.TakeUntitledText(path), bTaken) << c.name;
        ASSERT_EQ(m_answers.m_questions.size(), 1) << c.name;
        EXPECT_EQ(QFile::exists(path), !bTaken) << c.name;
        if (bTaken) {
            ExpectShownAsChosen(c.choice, given, c.name);
            EXPECT_TRUE(doc.IsModified()) << c.name;
        } else {
            EXPECT_EQ(RawContents(path), given) << c.name;
            EXPECT_TRUE(view.updatesEnabled()) << c.name;
        }
    }
    m_answers.m_questions.clear();
    ASSERT_TRUE(doc.TakeUntitledText(Write(kMine)));
    EXPECT_TRUE(m_answers.m_questions.isEmpty());
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

}  // namespace
