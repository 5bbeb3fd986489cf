#include "editor/EditorTestSupport.h"

#include "MessageBox.h"
#include "StatusNote.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

class DocumentEncodingTest : public ::testing::Test, public SEditorFixture, public STestFolder
{
protected:
    void Type(const QString& text)
    {
        QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(&view, &event);
    }
    bool IsUtf8Mode() { return Send(Sci::SCI_GETCODEPAGE) == Sci::SC_CP_UTF8; }

    CMessageCapture m_messages;
    CStatusNoteCapture m_notes;
};

struct SModeCase
{
    QByteArray bytes;
    bool bUtf8;
    bool bReadOnly;
    QByteArray typedE;  // what typing "é" at the start adds, empty when refused
};

TEST_F(DocumentEncodingTest, TheDeclaredEncodingChoosesTheModeAndUtf16IsReadOnly)
{
    const QByteArray kLatin1Declared = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a/>\n";
    const QByteArray kUtf8Declared = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<a/>\n";
    const QByteArray kUtf16 = ReadFile(QStringLiteral(TEST_DATA_DIR "/roundtrip/utf16le-bom.xml"));
    const SModeCase cases[] = {
        {kLatin1Declared, false, false, "\xe9"},
        {"<?xml version='1.0' encoding='windows-1252'?><a/>", false, false, "\xe9"},
        {kUtf8Declared, true, false, "\xc3\xa9"},
        {"<a/>", true, false, "\xc3\xa9"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xe9</a>", false, false, "\xe9"},
        {kUtf16, false, true, ""},
    };
    int nCase = 0;
    for (const SModeCase& test : cases) {
        const QString path = WriteFile(QStringLiteral("in%1.xml").arg(nCase), test.bytes);
        ASSERT_TRUE(doc.OnOpenDocument(path)) << nCase;
        EXPECT_EQ(IsUtf8Mode(), test.bUtf8) << nCase;
        EXPECT_EQ(view.isReadOnly(), test.bReadOnly) << nCase;
        m_notes.Clear();
        Type(QStringLiteral("\u00e9"));
        EXPECT_EQ(Text(), test.typedE + test.bytes) << nCase;
        EXPECT_EQ(m_notes.Beeps(), test.bReadOnly ? 1 : 0) << nCase;
        ASSERT_TRUE(doc.OnSaveDocument(path)) << nCase;
        EXPECT_EQ(ReadFile(path), test.typedE + test.bytes) << nCase;
        ++nCase;
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(DocumentEncodingTest, AUtf16FileWithOrWithoutAMarkSaysItIsReadOnlyAndANewDocumentIsEditable)
{
    const QByteArray kForms[] = {
        QByteArray("\xff\xfe<\0a\0/\0>\0", 10),
        QByteArray("\xfe\xff\0<\0a\0/\0>", 10),
        QByteArray("<\0?\0x\0m\0l\0 \0?\0>\0<\0a\0/\0>\0", 22),
        QByteArray("\0<\0?\0x\0m\0l\0 \0?\0>\0<\0a\0/\0>", 22),
    };
    int nCase = 0;
    for (const QByteArray& bytes : kForms) {
        const QString path = WriteFile(QStringLiteral("wide%1.xml").arg(nCase), bytes);
        m_notes.Clear();
        ASSERT_TRUE(doc.OnOpenDocument(path)) << nCase;
        EXPECT_TRUE(view.isReadOnly()) << nCase;
        ASSERT_EQ(m_notes.Notes().size(), 1) << nCase;
        EXPECT_TRUE(m_notes.Notes()[0].startsWith(path + QStringLiteral(" is UTF-16 text")));
        EXPECT_TRUE(m_notes.Notes()[0].contains(QStringLiteral("read-only")));
        ASSERT_TRUE(doc.OnSaveDocument(path)) << nCase;
        EXPECT_EQ(ReadFile(path), bytes) << nCase;
        ++nCase;
    }
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(view.isReadOnly());
    EXPECT_EQ(Text(), CTarnelDoc::HeaderComment());
}

}  // namespace
