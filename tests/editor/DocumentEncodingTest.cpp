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
    QByteArray typedE;  // what typing "é" at the start adds to the text, empty when refused
    QByteArray savedE;  // and to the file
};

TEST_F(DocumentEncodingTest, TheDeclaredEncodingChoosesTheModeAndUtf32IsReadOnly)
{
    const QByteArray kLatin1Declared = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a/>\n";
    const QByteArray kUtf8Declared = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<a/>\n";
    const QByteArray kUtf16 = ReadFile(QStringLiteral(TEST_DATA_DIR "/roundtrip/utf16le-bom.xml"));
    const QByteArray kUtf32("\xff\xfe\0\0<\0\0\0", 8);
    const SModeCase cases[] = {
        {kLatin1Declared, false, false, "\xe9", "\xe9"},
        {"<?xml version='1.0' encoding='windows-1252'?><a/>", true, false, "\xc3\xa9", "\xe9"},
        {kUtf8Declared, true, false, "\xc3\xa9", "\xc3\xa9"},
        {"<a/>", true, false, "\xc3\xa9", "\xc3\xa9"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xe9</a>", false, false, "\xe9", "\xe9"},
        {kUtf32, false, true, "", ""},
    };
    int nCase = 0;
    for (const SModeCase& test : cases) {
        const QString path = WriteFile(QStringLiteral("in%1.xml").arg(nCase), test.bytes);
        ASSERT_TRUE(doc.OnOpenDocument(path)) << nCase;
        EXPECT_EQ(IsUtf8Mode(), test.bUtf8) << nCase;
        EXPECT_EQ(view.isReadOnly(), test.bReadOnly) << nCase;
        m_notes.Clear();
        Type(QStringLiteral("\u00e9"));
        EXPECT_TRUE(Text().startsWith(test.typedE + test.bytes.left(2))) << nCase;
        EXPECT_EQ(m_notes.Beeps(), test.bReadOnly ? 1 : 0) << nCase;
        ASSERT_TRUE(doc.OnSaveDocument(path)) << nCase;
        EXPECT_EQ(ReadFile(path), test.savedE + test.bytes) << nCase;
        ++nCase;
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

struct SCodedCase
{
    const char* name;
    QByteArray bytes;    // a file in a declared encoding or UTF-16
    QByteArray text;     // as the editor shows it
    QString typed;       // typed at the start...
    QByteArray saved;    // ...and saved, after the byte order mark
    QString unheld;      // a character its encoding cannot hold; empty when none
    QByteArray invalid;  // bytes it could not write back as they are
};

const QByteArray kDecl1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>";
const QByteArray kDecl88592 = "<?xml version=\"1.0\" encoding=\"iso-8859-2\"?>";
const QByteArray kDecl88597 = "<?xml version=\"1.0\" encoding=\"ISO-8859-7\"?>";

const SCodedCase kCodedCases[] = {
    {"windows-1252", kDecl1252 + "<a>\x80\x8d</a>", kDecl1252 + "<a>\xe2\x82\xac\xc2\x8d</a>",
     QStringLiteral("\u0152"), "\x8c", QStringLiteral("\u0394"), ""},
    {"ISO-8859-2", kDecl88592 + "<a>\xa1</a>", kDecl88592 + "<a>\xc4\x84</a>",
     QStringLiteral("\u0142"), "\xb3", QStringLiteral("\u20ac"), ""},
    {"ISO-8859-7", kDecl88597 + "<a>\xe1</a>", kDecl88597 + "<a>\xce\xb1</a>",
     QStringLiteral("\u03a9"), "\xd9", QStringLiteral("\u00e9"), kDecl88597 + "<a>\xff</a>"},
    {"UTF-16LE BOM", QByteArray("\xff\xfe<\0a\0/\0>\0", 10), "<a/>", QStringLiteral("\u00e9"),
     QByteArray("\xe9\0", 2), QString(), QByteArray("\xff\xfe<\0a", 5)},
    {"UTF-16BE BOM", QByteArray("\xfe\xff\0<\0a\0/\0>", 10), "<a/>", QStringLiteral("\u4e2d"),
     QByteArray("\x4e\x2d", 2), QString(), QByteArray("\xfe\xff\xdc\0", 4)},
    {"UTF-16LE", QByteArray("<\0?\0x\0m\0l\0 \0?\0>\0<\0a\0/\0>\0", 24), "<?xml ?><a/>",
     QStringLiteral("\u00e9"), QByteArray("\xe9\0", 2), QString(), QByteArray("<\0?\0\0", 5)},
    {"UTF-16BE", QByteArray("\0<\0?\0x\0m\0l\0 \0?\0>\0<\0a\0/\0>", 24), "<?xml ?><a/>",
     QStringLiteral("\u00e9"), QByteArray("\0\xe9", 2), QString(), QByteArray("\0<\0?\0", 5)},
};

// The part of `file` after its byte order mark, if any.
QByteArray AfterMark(const QByteArray& file)
{
    return file.startsWith("\xff\xfe") || file.startsWith("\xfe\xff") ? file.mid(2) : file;
}

TEST_F(DocumentEncodingTest, ADecodedFileIsSavedByteForByteWhenUnchangedAndInItsEncodingWhenEdited)
{
    for (const SCodedCase& c : kCodedCases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QStringLiteral("coded.xml"), c.bytes);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(IsUtf8Mode());
        EXPECT_FALSE(view.isReadOnly());
        EXPECT_EQ(Text(), c.text);
        const QString copy = PathOf(QStringLiteral("copy.xml"));
        ASSERT_TRUE(doc.OnSaveDocument(copy));
        EXPECT_EQ(ReadFile(copy), c.bytes);
        Type(c.typed);
        EXPECT_EQ(Text(), c.typed.toUtf8() + c.text);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        const QByteArray mark = c.bytes.left(c.bytes.size() - AfterMark(c.bytes).size());
        EXPECT_EQ(ReadFile(path), mark + c.saved + AfterMark(c.bytes));
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(DocumentEncodingTest, CharactersTheFilesEncodingCannotHoldAreRefused)
{
    for (const SCodedCase& c : kCodedCases) {
        if (c.unheld.isEmpty())
            continue;
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(doc.OnOpenDocument(WriteFile(QStringLiteral("coded.xml"), c.bytes)));
        m_notes.Clear();
        Type(c.unheld);
        EXPECT_EQ(Text(), c.text);
        ASSERT_EQ(m_notes.Notes().size(), 1);
        EXPECT_TRUE(m_notes.Notes()[0].contains(
            QStringLiteral("%1 document cannot store it").arg(QString::fromLatin1(c.name))))
            << m_notes.Notes()[0].toStdString();
    }
}

TEST_F(DocumentEncodingTest, BytesThatCouldNotBeWrittenBackOpenReadOnlyWithTheReason)
{
    for (const SCodedCase& c : kCodedCases) {
        if (c.invalid.isEmpty())
            continue;
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QStringLiteral("bad.xml"), c.invalid);
        m_notes.Clear();
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(view.isReadOnly());
        EXPECT_EQ(Text(), c.invalid);
        ASSERT_EQ(m_notes.Notes().size(), 1);
        EXPECT_TRUE(m_notes.Notes()[0].startsWith(path + QStringLiteral(" cannot be edited as ")))
            << m_notes.Notes()[0].toStdString();
        EXPECT_TRUE(m_notes.Notes()[0].endsWith(
            QStringLiteral(": it is shown byte for byte, read-only, and saved unchanged.")));
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(ReadFile(path), c.invalid);
    }
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(view.isReadOnly());
}

// Little-endian UTF-16, as QString holds it on this machine.
QByteArray Utf16Le(const QByteArray& utf8)
{
    const QString text = QString::fromUtf8(utf8);
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), 2 * text.size());
}

TEST_F(DocumentEncodingTest, F5ChecksTheFilesBytesAndPointsIntoTheTextAsShown)
{
    const QByteArray kBody = "<a>\n\xe2\x82\xac\xc3\xa9\xf0\x9d\x84\x9e</b>\n";  // "€é𝄞</b>"
    const struct
    {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"UTF-16LE BOM", "\xff\xfe" + Utf16Le(kBody)},
        {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a>\n\x80\xe9</b>\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(doc.OnOpenDocument(WriteFile(QStringLiteral("f5.xml"), c.file)));
        m_messages.Clear();
        doc.CheckWellFormed();
        ASSERT_EQ(m_messages.Messages().size(), 1);
        const bool bUtf16 = c.file.startsWith("\xff\xfe");
        EXPECT_TRUE(
            m_messages.Messages()[0].endsWith(QStringLiteral(" at line %1\n").arg(bUtf16 ? 2 : 3)))
            << m_messages.Messages()[0].toStdString();
        // Expat points into "</b>", two characters on.
        EXPECT_EQ(view.ErrorMarker().Position(), Text().indexOf("</b>") + 2);
    }
}

}  // namespace
