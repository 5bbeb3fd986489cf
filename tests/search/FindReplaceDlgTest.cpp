#include "FindReplaceDlg.h"

#include "MessageBox.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class FindReplaceDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pEditor = std::make_unique<QsciScintilla>();
        m_pEditor->setText(QStringLiteral("one Two two\nonetwo two\n"));
        Select(0, 0);
    }

    void Select(long nStart, long nEnd)
    {
        m_pEditor->SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(nStart),
                                 nEnd);
    }

    CFindReplaceDlg& Open(bool bReplace, const QString& strFind)
    {
        bReplace ? CFindReplaceDlg::ShowReplace(m_pEditor.get())
                 : CFindReplaceDlg::ShowFind(m_pEditor.get());
        CFindReplaceDlg& dialog = *CFindReplaceDlg::Instance();
        dialog.FindEdit()->setText(strFind);
        dialog.WholeWordCheckBox()->setChecked(false);
        dialog.MatchCaseCheckBox()->setChecked(false);
        dialog.RegexCheckBox()->setChecked(false);
        dialog.DownButton()->setChecked(true);
        return dialog;
    }

    std::pair<long, long> Selection() const
    {
        return {m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART),
                m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND)};
    }

    std::unique_ptr<QsciScintilla> m_pEditor;
    CMessageCapture m_messages;
};

using Range = std::pair<long, long>;

TEST_F(FindReplaceDlgTest, FindNextWrapsRoundAtEitherEndAndSaysSoInTheStatusBar)
{
    QMainWindow window;
    window.setCentralWidget(m_pEditor.release());
    m_pEditor.reset(static_cast<QsciScintilla*>(window.centralWidget()));
    CFindReplaceDlg& dialog = Open(false, QStringLiteral("two"));
    dialog.MatchCaseCheckBox()->setChecked(true);
    const struct
    {
        bool bDown;
        Range expected;
        const char* note;
    } steps[] = {
        {true, {8, 11}, ""},
        {true, {15, 18}, ""},
        {true, {19, 22}, ""},
        {true, {8, 11}, "Passed the end of the text"},
        {false, {19, 22}, "Passed the start of the text"},
        {false, {15, 18}, ""},
    };
    for (const auto& step : steps) {
        window.statusBar()->clearMessage();
        (step.bDown ? dialog.DownButton() : dialog.UpButton())->setChecked(true);
        dialog.FindNextButton()->click();
        EXPECT_EQ(Selection(), step.expected) << step.expected.first;
        EXPECT_EQ(window.statusBar()->currentMessage(), QString::fromLatin1(step.note));
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    (void)m_pEditor.release();  // the window owns it
}

TEST_F(FindReplaceDlgTest, OnlyTheOneMatchOrNoneAtAllIsReportedAsNotFound)
{
    m_pEditor->setText(QStringLiteral("a two b"));
    CFindReplaceDlg& dialog = Open(false, QStringLiteral("two"));
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selection(), Range(2, 5));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selection(), Range(2, 5));
    dialog.FindEdit()->setText(QStringLiteral("three"));
    dialog.FindNextButton()->click();
    EXPECT_EQ(m_messages.Messages(),
              (QStringList{"Cannot find the string 'two'.", "Cannot find the string 'three'."}));
}

TEST_F(FindReplaceDlgTest, WholeWordAndCaseNarrowTheMatch)
{
    CFindReplaceDlg& dialog = Open(false, QStringLiteral("two"));
    dialog.MatchCaseCheckBox()->setChecked(true);
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selection(), Range(8, 11));
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selection(), Range(15, 18));
    dialog.WholeWordCheckBox()->setChecked(true);
    dialog.FindNextButton()->click();
    EXPECT_EQ(Selection(), Range(19, 22));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(FindReplaceDlgTest, OneLineSelectionBecomesFindText)
{
    Select(0, 3);
    CFindReplaceDlg::ShowFind(m_pEditor.get());
    EXPECT_EQ(CFindReplaceDlg::Instance()->FindEdit()->text(), QStringLiteral("one"));
    Select(8, 15);
    CFindReplaceDlg::ShowFind(m_pEditor.get());
    EXPECT_EQ(CFindReplaceDlg::Instance()->FindEdit()->text(), QStringLiteral("one"));
}

TEST_F(FindReplaceDlgTest, ReplaceReplacesMatchAndSelectsNext)
{
    CFindReplaceDlg& dialog = Open(true, QStringLiteral("two"));
    EXPECT_TRUE(dialog.IsReplaceMode());
    dialog.ReplaceEdit()->setText(QStringLiteral("two two"));
    dialog.ReplaceButton()->click();  // nothing selected yet: finds the first
    EXPECT_EQ(Selection(), Range(4, 7));
    dialog.ReplaceButton()->click();
    EXPECT_EQ(m_pEditor->text(), QStringLiteral("one two two two\nonetwo two\n"));
    EXPECT_EQ(Selection(), Range(12, 15));
}

TEST_F(FindReplaceDlgTest, ReplaceAllIsOneUndoStep)
{
    CFindReplaceDlg& dialog = Open(true, QStringLiteral("two"));
    dialog.ReplaceEdit()->setText(QStringLiteral("twotwo"));
    dialog.ReplaceAllButton()->click();
    EXPECT_EQ(m_pEditor->text(), QStringLiteral("one twotwo twotwo\nonetwotwo twotwo\n"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
    m_pEditor->undo();
    EXPECT_EQ(m_pEditor->text(), QStringLiteral("one Two two\nonetwo two\n"));
}

TEST_F(FindReplaceDlgTest, ReplaceAllWithoutMatchReportsOnlyNotFound)
{
    CFindReplaceDlg& dialog = Open(true, QStringLiteral("three"));
    dialog.ReplaceAllButton()->click();
    EXPECT_EQ(m_messages.Messages(), QStringList{"Cannot find the string 'three'."});
    EXPECT_FALSE(m_pEditor->isUndoAvailable());
}

TEST_F(FindReplaceDlgTest, FindNextAgainRepeatsAfterDialogClosed)
{
    CFindReplaceDlg& dialog = Open(false, QStringLiteral("one"));
    dialog.FindNextButton()->click();
    dialog.CancelButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(CFindReplaceDlg::HasFindText());
    EXPECT_TRUE(CFindReplaceDlg::FindNextAgain(m_pEditor.get()));
    EXPECT_EQ(Selection(), Range(12, 15));
    EXPECT_TRUE(CFindReplaceDlg::FindNextAgain(m_pEditor.get()));
    EXPECT_EQ(Selection(), Range(0, 3));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(FindReplaceDlgTest, FindsNonAsciiTextInUtf8AndLatin1Editors)
{
    for (const bool bUtf8 : {true, false}) {
        m_pEditor->setUtf8(bUtf8);
        m_pEditor->setText(QString::fromUtf8("caf\xc3\xa9 and caf\xc3\xa9"));
        Select(1, 1);
        Open(false, QString::fromUtf8("caf\xc3\xa9")).FindNextButton()->click();
        const long nBytes = bUtf8 ? 5 : 4;
        EXPECT_EQ(Selection(), Range(nBytes + 5, 2 * nBytes + 5)) << bUtf8;
    }
}

}  // namespace

namespace {

struct SLatinSearchCase
{
    const char* name;
    bool bReplace;
    bool bAll;
    QString strFind;
    QString strReplace;
    QByteArray expected;  // the text afterwards
    bool bRefused;
};

TEST_F(FindReplaceDlgTest, TextAnEightBitDocumentCannotHoldIsNeitherFoundNorWritten)
{
    const QString kEuro = QStringLiteral("\u20ac");
    const SLatinSearchCase cases[] = {
        {"find", false, false, kEuro, {}, "caf\xe9 ? ?", true},
        {"replace all", true, true, kEuro, QStringLiteral("EUR"), "caf\xe9 ? ?", true},
        {"replace all into", true, true, QStringLiteral("?"), kEuro, "caf\xe9 ? ?", true},
        {"replace into", true, false, QStringLiteral("?"), kEuro, "caf\xe9 ? ?", true},
        {"latin find", false, false, QStringLiteral("\u00e9"), {}, "caf\xe9 ? ?", false},
        {"latin replace all", true, true, QStringLiteral("?"), QStringLiteral("\u00e0"),
         "caf\xe9 \xe0 \xe0", false},
    };
    CMessageCapture messages;
    for (const SLatinSearchCase& test : cases) {
        m_pEditor->setUtf8(false);
        m_pEditor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, "caf\xe9 ? ?");
        Select(0, 0);
        messages.Clear();
        CFindReplaceDlg& dialog = Open(test.bReplace, test.strFind);
        dialog.ReplaceEdit()->setText(test.strReplace);
        if (!test.bReplace)
            dialog.OnFindNext();
        else if (test.bAll)
            dialog.OnReplaceAll();
        else
            dialog.OnReplace();
        QByteArray text(
            static_cast<int>(m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)), 0);
        m_pEditor->SendScintilla(QsciScintillaBase::SCI_GETTEXT, text.size() + 1, text.data());
        EXPECT_EQ(text, test.expected) << test.name;
        EXPECT_EQ(messages.Messages().size(), test.bRefused ? 1 : 0) << test.name;
        if (test.bRefused) {
            EXPECT_TRUE(messages.Messages().value(0).contains(QStringLiteral("8-bit (Latin-1)")))
                << test.name;
            EXPECT_EQ(Selection(), std::make_pair(0L, 0L)) << test.name;
        }
        dialog.close();
    }
}

}  // namespace

namespace {

enum class EAction
{
    FindNext,
    Replace,
    ReplaceAll
};

struct SRegexCase
{
    const char* name;
    const char* text;
    long nCaret;
    const char* find;
    const char* replace;
    std::vector<EAction> actions;
    const char* expected;  // the text afterwards
    Range selection;
    const char* note;     // the status bar's, afterwards
    const char* message;  // the one message box, if any
};

TEST_F(FindReplaceDlgTest, RegularExpressionsFindAndReplaceWithGroups)
{
    using A = EAction;
    const SRegexCase cases[] = {
        {"groups in replace all",
         "<a id=\"1\"/>\n<bb id=\"22\"/>",
         0,
         "<(\\w+) id=\"(\\d+)\"",
         "<\\1 n=\"\\2\"",
         {A::ReplaceAll},
         "<a n=\"1\"/>\n<bb n=\"22\"/>",
         {0, 0},
         "Replaced 2 occurrences",
         ""},
        {"caret stays on its text",
         "x1 x2 x3",
         3,
         "x(\\d)",
         "\\1\\1\\1",
         {A::ReplaceAll},
         "111 222 333",
         {4, 4},
         "Replaced 3 occurrences",
         ""},
        {"caret inside a match",
         "x1 x2",
         4,
         "x\\d",
         "y",
         {A::ReplaceAll},
         "y y",
         {3, 3},
         "Replaced 2 occurrences",
         ""},
        {"one replaced",
         "ab",
         0,
         "b$",
         "c",
         {A::ReplaceAll},
         "ac",
         {0, 0},
         "Replaced 1 occurrence",
         ""},
        {"case-blind class",
         "one Two two",
         0,
         "t.o",
         "",
         {A::FindNext},
         "one Two two",
         {4, 7},
         "",
         ""},
        {"empty matches",
         "a\nb",
         0,
         "^",
         "> ",
         {A::ReplaceAll},
         "> a\n> b",
         {0, 0},
         "Replaced 2 occurrences",
         ""},
        {"empty match moves on",
         "a\nb",
         0,
         "^",
         "",
         {A::FindNext, A::FindNext},
         "a\nb",
         {0, 0},
         "Passed the end of the text",
         ""},
        {"replace one with groups",
         "me@home x@y",
         0,
         "(\\w+)@(\\w+)",
         "\\2 at \\1",
         {A::Replace, A::Replace},
         "home at me x@y",
         {11, 14},
         "",
         ""},
        {"looking ahead",
         "ab ab",
         0,
         "a(?=b)",
         "X",
         {A::Replace, A::Replace},
         "Xb ab",
         {3, 4},
         "",
         ""},
        {"invalid pattern",
         "a(b",
         1,
         "(",
         "x",
         {A::ReplaceAll},
         "a(b",
         {1, 1},
         "",
         "Cannot search the document for '(': it is not a valid regular expression"},
    };
    QMainWindow window;
    window.setCentralWidget(m_pEditor.release());
    m_pEditor.reset(static_cast<QsciScintilla*>(window.centralWidget()));
    for (const SRegexCase& test : cases) {
        m_pEditor->setText(QString::fromUtf8(test.text));
        Select(test.nCaret, test.nCaret);
        m_messages.Clear();
        window.statusBar()->clearMessage();
        CFindReplaceDlg& dialog = Open(true, QString::fromUtf8(test.find));
        dialog.RegexCheckBox()->setChecked(true);
        dialog.ReplaceEdit()->setText(QString::fromUtf8(test.replace));
        for (EAction action : test.actions) {
            if (action == A::FindNext)
                dialog.OnFindNext();
            else if (action == A::Replace)
                dialog.OnReplace();
            else
                dialog.OnReplaceAll();
        }
        EXPECT_EQ(m_pEditor->text().toStdString(), test.expected) << test.name;
        EXPECT_EQ(Selection(), test.selection) << test.name;
        EXPECT_EQ(window.statusBar()->currentMessage().toStdString(), test.note) << test.name;
        EXPECT_EQ(m_messages.Messages().size(), *test.message ? 1 : 0) << test.name;
        const QString message = QString::fromUtf8(test.message);
        EXPECT_EQ(m_messages.Messages().value(0).left(message.size()), message) << test.name;
        dialog.close();
    }
    (void)m_pEditor.release();  // the window owns it
}

}  // namespace
