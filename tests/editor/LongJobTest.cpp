// Alt+R, F5 and Replace All as long jobs: what they report while they run, what a Cancel leaves
// behind, and that nothing starts another job in the middle of one.
#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"

#include "JobProgressDlg.h"
#include "MessageBox.h"
#include "TextSearch.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

// Several chunks of every job, with a fault on its last line for the check.
QByteArray LongText()
{
    QByteArray text = "<list>\n";
    for (int i = 0; text.size() < 300000; ++i)
        text += "<item key=\"" + QByteArray::number(i) + "\">text " + QByteArray::number(i)
                + "</item>\n";
    return text + "</lisst>\n";
}

SSearch& ItemSearch()
{
    static SSearch search{QStringLiteral("item"), QStringLiteral("entry"), false, true, true};
    return search;
}

struct SJob
{
    const char* name;
    std::function<void(SEditorFixture&, const JobProgress&)> run;
    int nMessages;                // when it runs to its end
    bool bStopsOnlyWhileFinding;  // in the first half of its progress
};

const std::vector<SJob>& Jobs()
{
    static const std::vector<SJob> jobs = {
        {"Alt+R", [](SEditorFixture& fx, const JobProgress& p) { fx.view.ColorAll(p); }, 0, false},
        {"F5", [](SEditorFixture& fx, const JobProgress& p) { fx.doc.CheckWellFormed(p); }, 1,
         false},
        {"Replace All",
         [](SEditorFixture& fx, const JobProgress& p) {
             CTextSearch(fx.view, ItemSearch()).ReplaceAll(p);
         },
         0, true},
    };
    return jobs;
}

// Everything a job could change, the undo history as the texts that undoing all and redoing
// all go through.
struct SState
{
    QByteArray text;
    std::vector<char> styled;
    long long nAnchor = 0;
    long long nCaret = 0;
    long long nFirstLine = 0;
    bool bModified = false;
    std::vector<QByteArray> history;
    QStringList messages;

    bool operator==(const SState& o) const
    {
        return text == o.text && styled == o.styled && nAnchor == o.nAnchor && nCaret == o.nCaret
               && nFirstLine == o.nFirstLine && bModified == o.bModified && history == o.history
               && messages == o.messages;
    }
};

// A long text, coloured, then edited so that its styles are not all a whole pass's, with one
// step to undo and one to redo, and a backwards selection scrolled into view.
struct SJobFixture : SEditorFixture
{
    SJobFixture()
    {
        const QByteArray text = LongText();
        SetText(text);
        view.ColorAll();
        const long long nTyped = text.indexOf('\n', 2000) + 1;
        Select(nTyped, nTyped);
        view.ReplaceSelection("<typed x=\"1\"/>");
        const long long nUndone = text.indexOf('\n', 90000) + 1;
        Select(nUndone, nUndone);
        view.ReplaceSelection("<undone/>");
        Send(Sci::SCI_UNDO);
        const std::vector<char> plain(70000, 0);
        Send(Sci::SCI_STARTSTYLING, 100000, 0xff);
        view.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(plain.size()),
                           plain.data());
        Send(Sci::SCI_SETSEL, 150000, 120000);
        Send(Sci::SCI_SETFIRSTVISIBLELINE, 3000);
    }

    std::vector<QByteArray> History()
    {
        std::vector<QByteArray> texts;
        int nUndone = 0;
        for (; Send(Sci::SCI_CANUNDO); ++nUndone) {
            Send(Sci::SCI_UNDO);
            texts.push_back(Text());
        }
        int nRedone = 0;
        for (; Send(Sci::SCI_CANREDO); ++nRedone) {
            Send(Sci::SCI_REDO);
            texts.push_back(Text());
        }
        for (int i = nUndone; i < nRedone; ++i)  // back where it was
            Send(Sci::SCI_UNDO);
        texts.push_back(QByteArray::number(nUndone));
        return texts;
    }

    // The history last: walking it restyles what it brings back.
    SState State()
    {
        SState state;
        const long long nLength = view.TextLength();
        state.text = Text();
        state.styled.resize(2 * static_cast<std::size_t>(nLength) + 2);
        view.SendScintilla(Sci::SCI_GETSTYLEDTEXT, 0L, static_cast<long>(nLength),
                           state.styled.data());
        state.nAnchor = Send(Sci::SCI_GETANCHOR);
        state.nCaret = Send(Sci::SCI_GETCURRENTPOS);
        state.nFirstLine = Send(Sci::SCI_GETFIRSTVISIBLELINE);
        state.bModified = view.IsTextModified();
        state.messages = messages.Messages();
        state.history = History();
        return state;
    }

    CMessageCapture messages;
};

// Counts the calls and stops at the `nStopAt`-th (never when 0).
struct SProgressLog
{
    int nStopAt = 0;
    std::vector<std::pair<long long, long long>> calls;

    JobProgress Callback()
    {
        return [this](long long nDone, long long nTotal) {
            calls.emplace_back(nDone, nTotal);
            return nStopAt == 0 || static_cast<int>(calls.size()) < nStopAt;
        };
    }
};

TEST(LongJobTest, ACancelledJobLeavesEverythingAsItWas)
{
    for (const SJob& job : Jobs()) {
        SProgressLog full;
        SState before;
        {
            SJobFixture fx;
            before = fx.State();
        }
        {
            SJobFixture fx;
            job.run(fx, full.Callback());
        }
        // The calls at which a Cancel still stops the job.
        int nStoppable = 0;
        for (const auto& [nDone, nTotal] : full.calls) {
            if (job.bStopsOnlyWhileFinding ? 2 * nDone > nTotal : nDone >= nTotal)
                break;
            ++nStoppable;
        }
        ASSERT_GT(nStoppable, 2) << job.name;
        for (int nStopAt : {1, nStoppable / 2, nStoppable}) {
            SJobFixture fx;
            SProgressLog log{nStopAt, {}};
            job.run(fx, log.Callback());
            EXPECT_EQ(log.calls.size(), static_cast<std::size_t>(nStopAt)) << job.name;
            EXPECT_TRUE(fx.State() == before) << job.name << " stopped at call " << nStopAt;
        }
    }
}

TEST(LongJobTest, AJobReportsProgressUpToItsEndAndEndsAsWithoutIt)
{
    for (const SJob& job : Jobs()) {
        SState without;
        {
            SJobFixture fx;
            job.run(fx, JobProgress());
            without = fx.State();
        }
        SJobFixture fx;
        SProgressLog log;
        job.run(fx, log.Callback());
        ASSERT_GT(log.calls.size(), 2u) << job.name;
        for (std::size_t i = 1; i < log.calls.size(); ++i) {
            EXPECT_GE(log.calls[i].first, log.calls[i - 1].first) << job.name << " call " << i;
            EXPECT_EQ(log.calls[i].second, log.calls[0].second) << job.name << " call " << i;
        }
        EXPECT_EQ(log.calls.back().first, log.calls.back().second) << job.name;
        EXPECT_TRUE(fx.State() == without) << job.name;
        EXPECT_EQ(without.messages.size(), job.nMessages) << job.name;
    }
}

TEST(LongJobTest, NothingStartsAnotherJobOrReloadsTheFileWhileOneRuns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    struct SInner
    {
        const char* name;
        std::function<void(SJobFixture&)> run;
    };
    const std::vector<SInner> inners = {
        {"Alt+R", [](SJobFixture& fx) { EXPECT_FALSE(fx.view.ColorAll(JobProgress())); }},
        {"F5", [](SJobFixture& fx) { fx.doc.CheckWellFormed(); }},
        {"disk check", [](SJobFixture& fx) { fx.doc.CheckDiskChanges(); }},
    };
    for (const SJob& outer : Jobs()) {
        for (const SInner& inner : inners) {
            SJobFixture fx;
            CDialogAnswers answers(fx.doc);
            answers.m_yesNoAnswer = IDocumentQuestions::EAnswer::Yes;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(LongText());
            file.close();
            ASSERT_TRUE(fx.doc.OnOpenDocument(path));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));  // changed by another program
            file.write("<theirs/>");
            file.close();
            bool bNested = false;
            outer.run(fx, [&](long long, long long) {
                if (!bNested) {
                    bNested = true;
                    inner.run(fx);
                }
                return true;
            });
            EXPECT_TRUE(bNested);
            EXPECT_TRUE(answers.m_questions.isEmpty()) << outer.name << " / " << inner.name;
            EXPECT_EQ(fx.messages.Messages().size(), outer.nMessages)
                << outer.name << " / " << inner.name;
        }
    }
}

TEST(LongJobTest, AfterCancelOnlyTheStageThatCannotStopCarriesOn)
{
    QWidget window;
    CJobProgressDlg dialog(QStringLiteral("Working..."), &window);
    dialog.Dialog().setMinimumDuration(0);  // else showing again would depend on the clock
    EXPECT_TRUE(dialog.Step(1, 10));
    dialog.Dialog().cancel();
    EXPECT_FALSE(dialog.Step(2, 10));
    EXPECT_FALSE(dialog.Dialog().isVisible());
    dialog.EnterFinalStage(QStringLiteral("Replacing..."));
    EXPECT_TRUE(dialog.Step(3, 10));
}

TEST(LongJobTest, ReplaceAllFindsMatchesAcrossItsSearchSteps)
{
    // Each text puts a match across the boundary of the first 1 MB searched.
    struct SCase
    {
        const char* name;
        long long nMatchAt;
        QByteArray find;
        QByteArray replace;
    };
    const std::vector<SCase> cases = {
        {"across", (1 << 20) - 2, "needle", "pin"},
        {"just before", (1 << 20) - 6, "needle", "longer needle"},
        {"just after", 1 << 20, "needle", ""},
    };
    for (const SCase& c : cases) {
        SEditorFixture fx;
        QByteArray text = QByteArray(63, 'x').append('\n').repeated(3 << 14);
        text.replace(c.nMatchAt, c.find.size(), c.find);
        text.replace(10, c.find.size(), c.find);
        fx.SetText(text);
        const SSearch search{QString::fromLatin1(c.find), QString::fromLatin1(c.replace), false,
                             true, true};
        EXPECT_EQ(CTextSearch(fx.view, search).ReplaceAll(), 2) << c.name;
        EXPECT_EQ(fx.Text(), QByteArray(text).replace(c.find, c.replace)) << c.name;
        fx.Send(Sci::SCI_UNDO);
        EXPECT_EQ(fx.Text(), text) << c.name;
    }
}

}  // namespace
