#include "editor/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Sci = QsciScintillaBase;
using ESource = STextEdit::ESource;

// Keeps what the view announces, with the text as it stood at each announcement.
class CRecorder : public ITextEditObserver
{
public:
    explicit CRecorder(ITextBuffer& text) : m_text(text) { m_text.AddObserver(this); }
    ~CRecorder() { m_text.RemoveObserver(this); }
    void OnTextEdit(const STextEdit& edit) override
    {
        m_edits.push_back(edit);
        m_texts.push_back(m_text.Text(0, m_text.Length()));
    }
    void OnModifiedChanged(bool bModified) override { m_modified.push_back(bModified); }

    ITextBuffer& m_text;
    std::vector<STextEdit> m_edits;
    std::vector<std::string> m_texts;
    std::vector<bool> m_modified;
};

struct SEditCase
{
    const char* name;
    std::function<void(SEditorFixture&)> act;
    std::vector<STextEdit> expected;
};

class EditNotifierTest : public ::testing::Test, public SEditorFixture
{
};

TEST_F(EditNotifierTest, EveryWayOfEditingIsAnnouncedOnceBeforeItIsMade)
{
    const auto type = [](long long at, const char* text) {
        return [at, text](SEditorFixture& f) {
            f.Select(at, at);
            f.view.ReplaceSelection(text);
        };
    };
    const std::vector<SEditCase> cases = {
        {"typing", type(3, "ab"), {{3, 0, 2, ESource::User}}},
        {"replacing the selection",
         [](SEditorFixture& f) {
             f.Select(1, 4);
             f.view.ReplaceSelection("xy");
         },
         {{1, 3, 0, ESource::User}, {1, 0, 2, ESource::User}}},
        {"deleting back",
         [](SEditorFixture& f) {
             f.Select(5, 5);
             f.Send(Sci::SCI_DELETEBACK);
         },
         {{4, 1, 0, ESource::User}}},
        {"undo",
         [type](SEditorFixture& f) {
             type(2, "zz")(f);
             f.view.undo();
         },
         {{2, 0, 2, ESource::User}, {2, 2, 0, ESource::Undo}}},
        {"redo",
         [type](SEditorFixture& f) {
             type(2, "zz")(f);
             f.view.undo();
             f.view.redo();
         },
         {{2, 0, 2, ESource::User}, {2, 2, 0, ESource::Undo}, {2, 0, 2, ESource::Redo}}},
        {"the buffer's replace",
         [](SEditorFixture& f) { f.view.Replace(2, 2, "Q\0", 2); },
         {{2, 2, 0, ESource::User}, {2, 0, 2, ESource::User}}},
        {"loading a whole text", [](SEditorFixture& f) { f.SetText("<b>new</b>"); }, {}},
    };
    for (const SEditCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetText("<a>text</a>");
        CRecorder recorder(view);
        c.act(*this);
        EXPECT_EQ(recorder.m_edits, c.expected);
    }
}

TEST_F(EditNotifierTest, AnInsertionIsReadableByTheNextAnnouncement)
{
    SetText("0123");
    CRecorder recorder(view);
    view.Replace(1, 0, "ab", 2);
    view.Replace(0, 1, "", 0);
    ASSERT_EQ(recorder.m_texts.size(), 2u);
    EXPECT_EQ(recorder.m_texts[0], "0123");
    EXPECT_EQ(recorder.m_texts[1], "0ab123");
}

TEST_F(EditNotifierTest, LeavingAndReachingTheSavePointIsAnnounced)
{
    SetText("<a/>");
    view.SetSavePoint();
    CRecorder recorder(view);
    view.Replace(0, 0, "x", 1);
    view.Replace(1, 0, "y", 1);
    view.undo();
    view.undo();
    EXPECT_EQ(recorder.m_modified, (std::vector<bool>{true, false}));
}

TEST_F(EditNotifierTest, AnObserverRemovedIsToldNothingMore)
{
    SetText("<a/>");
    {
        CRecorder gone(view);
    }
    CRecorder recorder(view);
    view.Replace(0, 0, "x", 1);
    EXPECT_EQ(recorder.m_edits.size(), 1u);
}

TEST_F(EditNotifierTest, ReadCopiesEveryByteOfTheRangeAndNoMore)
{
    const std::string text("ab\0cd", 5);
    view.LoadBytes(QByteArray(text.data(), 5), false);
    struct SRead
    {
        long long position;
        std::size_t count;
        std::string expected;
    };
    const SRead reads[] = {
        {0, 5, text},  {0, 1, "a"}, {2, 2, std::string("\0c", 2)},
        {3, 10, "cd"}, {4, 1, "d"}, {5, 3, ""},
        {0, 0, ""},    {-1, 2, ""},
    };
    for (const SRead& r : reads) {
        SCOPED_TRACE(r.position);
        std::string buffer(r.count + 1, '#');
        const std::size_t nRead = view.Read(r.position, buffer.data(), r.count);
        EXPECT_EQ(buffer.substr(0, nRead), r.expected);
        EXPECT_EQ(buffer.substr(nRead), std::string(r.count + 1 - nRead, '#'));
    }
}

}  // namespace
