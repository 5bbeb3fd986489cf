#include "LiveCheck.h"
#include "StatusNote.h"
#include "WellFormedCheck.h"
#include "editor/EditorTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LiveCheckTest : public ::testing::Test
{
protected:
    void CheckAndWait()
    {
        m_check.CheckNow();
        Finish();
    }
    void Finish()
    {
        for (int i = 0; i < 100000 && m_check.IsBusy(); ++i) {
            m_check.Job().Wait();
            QCoreApplication::processEvents();
        }
    }
    void Append(const char* bytes)
    {
        m_editor.view.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, qstrlen(bytes), bytes);
    }

    SEditorFixture m_editor;
    CLiveCheck m_check{m_editor.view};
    CStatusNoteCapture m_notes;
};

TEST_F(LiveCheckTest, MarksTheFirstErrorWhereTheCheckFindsIt)
{
    struct SCase
    {
        QByteArray text;
        const char* error;  // empty when well-formed
        long long nMarked;
    };
    const SCase cases[] = {
        {"<r><a></r>", "mismatched tag at line 1", 8},
        {"<r>\n  <a x='1' x='2'/>\n</r>", "duplicate attribute at line 2", 15},
        {QByteArray(kCheckChunkSize, ' ') + "<r>&bad;</r>", "undefined entity at line 1",
         kCheckChunkSize + 3},
        {"<r/>", "", -1},
        {"", "no element found at line 1", -1},  // nothing to underline
    };
    for (const SCase& c : cases) {
        m_editor.SetText(c.text);
        CheckAndWait();
        SCOPED_TRACE(c.text.right(30).toStdString());
        EXPECT_EQ(m_check.LastError(), QString::fromLatin1(c.error));
        EXPECT_EQ(m_editor.view.ErrorMarker().Position(), c.nMarked);
    }
}

QByteArray Utf16Le(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), 2 * text.size());
}

// Read as its file's bytes, as the declaration says; the mark goes on the character shown.
TEST_F(LiveCheckTest, ADecodedDocumentIsCheckedAsItsFileAndMarkedInTheTextShown)
{
    const QByteArray files[] = {
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\x81\xe9<a></r>",
        "\xff\xfe"
            + Utf16Le(QStringLiteral("<?xml version='1.0' encoding='UTF-16'?>"
                                     "<r>\u20ac<a></r>")),
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("coded.xml"));
    for (const QByteArray& file : files) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        ASSERT_TRUE(m_editor.doc.OnOpenDocument(path));
        CheckAndWait();
        EXPECT_EQ(m_check.LastError(), QStringLiteral("mismatched tag at line 1"));
        EXPECT_EQ(m_editor.view.ErrorMarker().Position(), m_editor.Text().indexOf("</r>") + 2);
    }
}

TEST_F(LiveCheckTest, AFixClearsTheMarkAndTheStatusNote)
{
    m_editor.SetText("<r><a></r>");
    CheckAndWait();
    ASSERT_FALSE(m_check.LastError().isEmpty());
    ASSERT_EQ(m_notes.Notes().last(), m_check.LastError());
    m_editor.SetText("<r><a/></r>");
    EXPECT_EQ(m_editor.view.ErrorMarker().Position(), -1);
    CheckAndWait();
    EXPECT_TRUE(m_check.LastError().isEmpty());
    EXPECT_EQ(m_notes.Notes().last(), QString());
}

TEST_F(LiveCheckTest, ACheckOfAnOlderTextIsDropped)
{
    m_editor.SetText("<r>");
    m_check.CheckNow();
    Append("</r>");
    Finish();
    EXPECT_TRUE(m_check.LastError().isEmpty());
    EXPECT_EQ(m_editor.view.ErrorMarker().Position(), -1);
}

TEST_F(LiveCheckTest, ABigTextIsCopiedBetweenKeysAndAnEditStartsTheCopyOver)
{
    const QByteArray line = QByteArray(63, ' ') + '\n';
    QByteArray text = "<r>" + line.repeated(2 * CTextSnapshot::kSliceBytes / 64) + "<a></r>";
    m_editor.SetText(text);
    m_check.CheckNow();
    EXPECT_TRUE(m_check.IsBusy());
    EXPECT_FALSE(m_check.Job().IsRunning()) << "the copy takes more than one turn";
    QCoreApplication::processEvents();                                      // a slice copied
    m_editor.Send(QsciScintillaBase::SCI_DELETERANGE, text.size() - 7, 3);  // "<a>" gone
    EXPECT_FALSE(m_check.IsBusy()) << "the edit dropped the copy";
    CheckAndWait();
    EXPECT_TRUE(m_check.LastError().isEmpty()) << m_check.LastError().toStdString();
    Append("<");
    CheckAndWait();
    EXPECT_EQ(m_editor.view.ErrorMarker().Position(), text.size() - 3);
}

TEST_F(LiveCheckTest, RunsAfterAPauseInTypingUnlessTurnedOff)
{
    m_editor.SetText("<r>");
    Append("<a>");
    for (int i = 0; i < 1000 && m_check.LastError().isEmpty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(m_check.LastError(), "no element found at line 1");
    EXPECT_EQ(m_editor.view.ErrorMarker().Position(), 5);

    m_check.SetOn(false);
    Append("<");
    QTest::qWait(3 * CLiveCheck::kPauseMs);
    Finish();
    EXPECT_EQ(m_editor.view.ErrorMarker().Position(), -1) << "nothing checked the new text";
    m_check.SetOn(true);
}

}  // namespace
