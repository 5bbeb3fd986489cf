#include "IssueMarks.h"
#include "MessageBox.h"
#include "ProblemListPane.h"
#include "StatusNote.h"
#include "ToolsCommands.h"
#include "editor/EditorTestSupport.h"

#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kDataDir = QStringLiteral(TEST_DATA_DIR "/validate/");

class ToolsCommandsTest : public ::testing::Test
{
protected:
    ToolsCommandsTest()
    {
        m_tools.SetOpeners(
            [this](const QString& path) { return m_opened << path, true; },
            [this](const QString& path) { return m_browsed << path, m_bBrowserFound; });
    }

    void Load(const QString& name)
    {
        ASSERT_TRUE(m_editor.doc.OnOpenDocument(kDataDir + name));
        m_editor.WaitForColours();
    }

    void Finish()
    {
        m_tools.Job().Wait();
        for (int i = 0; i < 1000 && m_tools.Job().IsRunning(); ++i)
            QCoreApplication::processEvents();
    }

    long CaretLine()
    {
        return m_editor.Send(QsciScintillaBase::SCI_LINEFROMPOSITION,
                             m_editor.Send(QsciScintillaBase::SCI_GETCURRENTPOS));
    }

    SEditorFixture m_editor;
    CProblemListPane m_pane;
    CToolsCommands m_tools{m_editor.view, m_editor.doc, m_pane};
    CMessageCapture m_messages;
    CStatusNoteCapture m_notes;
    QStringList m_opened;
    QStringList m_browsed;
    bool m_bBrowserFound = true;
};

struct SHardCheckCase
{
    const char* document;
    const char* note;  // the last status note
    int nIssues;
    const char* message;  // in the message box; empty for none
};

TEST_F(ToolsCommandsTest, HardCheckingsReportsInTheListStatusBarOrMessage)
{
    const SHardCheckCase cases[] = {
        {"dtd-valid.xml", "Everything is valid", 0, ""},
        {"rng-valid.xml", "Everything is valid", 0, ""},
        {"dtd-invalid.xml", "2 validity errors", 2, ""},
        {"xsd-ns-invalid.xml", "1 validity error", 1, ""},
        {"plain.xml", "", 0, "plain.xml names no grammar"},
        {"network-dtd.xml", "", 0, "never fetches"},
    };
    for (const SHardCheckCase& c : cases) {
        m_messages.Clear();
        m_notes.Clear();
        Load(c.document);
        m_tools.HardCheck();
        Finish();
        SCOPED_TRACE(c.document);
        ASSERT_FALSE(m_notes.Notes().isEmpty());
        if (*c.note) {
            EXPECT_TRUE(m_notes.Notes().contains(c.note))
                << m_notes.Notes().join('|').toStdString();
        }
        EXPECT_EQ(m_pane.Issues().size(), c.nIssues);
        EXPECT_EQ(!m_pane.isHidden(), c.nIssues > 0);
        EXPECT_EQ(m_messages.Messages().join('|').contains(c.message), true)
            << m_messages.Messages().join('|').toStdString();
        EXPECT_EQ(m_messages.Messages().isEmpty(), !*c.message);
    }
}

TEST_F(ToolsCommandsTest, ErrorsAreUnderlinedAndF8GoesRoundThem)
{
    Load("dtd-invalid.xml");
    const QByteArray stylesBefore = StyledText(m_editor.view);
    m_tools.HardCheck();
    Finish();
    ASSERT_EQ(m_pane.Issues().size(), 2);
    const long nFirstLine = m_pane.Issues()[0].nLine;
    const long nSecondLine = m_pane.Issues()[1].nLine;
    EXPECT_EQ(CaretLine(), nFirstLine - 1) << "the first error is chosen at once";
    EXPECT_EQ(m_pane.Step(1), 1);
    EXPECT_EQ(CaretLine(), nSecondLine - 1);
    EXPECT_EQ(m_pane.Step(1), 0) << "round the end";
    EXPECT_EQ(m_pane.Step(-1), 1) << "and back";

    CIssueMarks marks(&m_editor.view);
    for (const SValidationIssue& issue : m_pane.Issues()) {
        const long nPosition = marks.PositionOf(issue.nLine, issue.nColumn);
        EXPECT_EQ(m_editor.Send(QsciScintillaBase::SCI_INDICATORVALUEAT, CIssueMarks::kIndicator,
                                nPosition),
                  1)
            << issue.nLine;
    }
    EXPECT_EQ(StyledText(m_editor.view), stylesBefore) << "underlining never touches colours";
    EXPECT_FALSE(m_editor.doc.IsModified());
}

TEST_F(ToolsCommandsTest, APauseInTypingValidatesQuietlyWhenThereIsAGrammar)
{
    Load("dtd-valid.xml");
    const QByteArray broken = "<extra/>";
    m_editor.Select(70, 70);
    m_editor.view.ReplaceSelection(broken);  // inside <note>, before <to>
    const long long nCaret = m_editor.Send(QsciScintillaBase::SCI_GETCURRENTPOS);
    for (int i = 0; i < 1000 && m_pane.Issues().isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(m_pane.Issues().isEmpty());
    EXPECT_FALSE(m_pane.isHidden());
    EXPECT_EQ(m_editor.Send(QsciScintillaBase::SCI_GETCURRENTPOS), nCaret)
        << "the caret stays where the typing is";

    Load("plain.xml");
    m_editor.Select(0, 0);
    m_editor.view.ReplaceSelection("<!-- -->");
    m_tools.ValidateQuietly();
    m_tools.QuietJob().Wait();
    for (int i = 0; i < 100 && m_tools.QuietJob().IsRunning(); ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << "no grammar is no news while typing";
}

TEST_F(ToolsCommandsTest, TransformationOpensItsResultOrListsItsErrors)
{
    Load("styled.xml");
    m_tools.TransformWithXslt();
    Finish();
    ASSERT_EQ(m_opened.size(), 1);
    QFile result(m_opened.first());
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), "Lines: 2");
    EXPECT_EQ(m_tools.LastTransformation(), "Lines: 2");

    Load("plain.xml");
    m_tools.TransformWithXslt();
    Finish();
    EXPECT_EQ(m_opened.size(), 1);
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().first().contains("names no XSLT stylesheet"));
}

TEST_F(ToolsCommandsTest, BrowserViewShowsAPrivateCopyOfTheTextOrTheLastResult)
{
    Load("dtd-valid.xml");
    m_editor.view.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, 4, "<!---->");
    m_tools.ShowInBrowser();
    ASSERT_EQ(m_browsed.size(), 1);
    QFile copy(m_browsed.first());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), m_editor.Text()) << "the text as it is, saved or not";
    struct stat status;
    ASSERT_EQ(stat(QFile::encodeName(copy.fileName()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    ASSERT_EQ(stat(QFile::encodeName(QFileInfo(copy).path()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);

    Load("styled.xml");
    m_tools.TransformWithXslt();
    Finish();
    m_tools.ShowInBrowser();
    QFile shown(m_browsed.last());
    ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
    EXPECT_EQ(shown.readAll(), "Lines: 2");

    m_bBrowserFound = false;
    m_tools.ShowInBrowser();
    ASSERT_FALSE(m_messages.Messages().isEmpty());
    EXPECT_TRUE(m_messages.Messages().last().contains("No web browser"));
}

}  // namespace
