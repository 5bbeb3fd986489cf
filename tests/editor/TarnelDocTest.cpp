#include "editor/DialogAnswers.h"
#include "editor/EditorTestSupport.h"

#include "CmdUI.h"
#include "CommandIds.h"
#include "DocumentCodec.h"
#include "DocumentReader.h"
#include "MessageBox.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

const QByteArray kHeader =
    "<!-- Document edited with Tarnelix: \"http://tarnel.example.org/\" for updates -->\n";

class TarnelDocTest : public ::testing::Test, public SEditorFixture, public STestFolder
{
protected:
    TarnelDocTest()
    {
        QObject::connect(&doc, &CTarnelDoc::documentChanged, [this] { ++m_nChanges; });
    }

    CMessageCapture m_messages;
    CDialogAnswers m_answers{doc};
    int m_nChanges = 0;
};

TEST(TarnelDocStartTest, TheFirstDocumentBeforeTheViewRegistersIsEmpty)
{
    CTarnelDoc doc;
    EXPECT_EQ(g_pDocument, &doc);
    CTarnelView view(&doc);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(view.TextLength(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_FALSE(doc.IsEditViewRegistered());
}

TEST_F(TarnelDocTest, NewGivesExactlyTheColouredHeaderUnmodified)
{
    SetText("old text");
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(Text(), kHeader);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.SaveModified());  // nothing to ask
    EXPECT_TRUE(m_answers.m_questions.isEmpty());
    EXPECT_EQ(SelStart(), kHeader.size());
    EXPECT_EQ(SelEnd(), kHeader.size());
    EXPECT_EQ(StyleAt(0), STYLE_TAG_BRACKET);
    EXPECT_EQ(StyleAt(1), STYLE_TAG_TEXT);
    EXPECT_EQ(StyleAt(kHeader.indexOf('"')), STYLE_QUOTED);
    EXPECT_EQ(StyleAt(kHeader.size() - 1), STYLE_TAIL);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
    view.undo();
    EXPECT_EQ(Text(), kHeader);  // neither the header nor the old text is an edit to undo
}

TEST_F(TarnelDocTest, OpenAndSaveKeepEveryByte)
{
    QList<QByteArray> samples = {
        "<a>\r\n<b/>\r\n</a>\r\n",        "<a>caf\xe9 na\xefve</a>\n", "<a>\xc3\x28 \xff\xfe</a>",
        QByteArray("<a>\0x\0</a>\n", 11), "<a>no final line feed</a>", QByteArray(),
    };
    // Files as they come from other programs: byte order marks, UTF-16, mixed line ends.
    for (const QFileInfo& info :
         QDir(QStringLiteral(TEST_DATA_DIR "/roundtrip")).entryInfoList(QDir::Files))
        samples.append(ReadFile(info.filePath()));
    ASSERT_GT(samples.size(), 6);
    int nSample = 0;
    for (const QByteArray& bytes : samples) {
        const QString source = WriteFile(QStringLiteral("in%1.xml").arg(nSample), bytes);
        ASSERT_TRUE(doc.OnOpenDocument(source)) << nSample;
        if (!DocumentCodec(view)) {  // else decoded: UTF-16, windows-1252...
            EXPECT_EQ(Text(), bytes) << nSample;
        }
        EXPECT_FALSE(doc.IsModified()) << nSample;
        EXPECT_EQ(SelStart(), 0);
        EXPECT_EQ(SelEnd(), 0);
        const QString target = PathOf(QStringLiteral("out%1.xml").arg(nSample));
        ASSERT_TRUE(doc.OnSaveDocument(target)) << nSample;
        EXPECT_EQ(ReadFile(target), bytes) << nSample;
        ++nSample;
    }
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(TarnelDocTest, OpenChoosesUtf8ModeOnlyForValidUtf8AndColoursTheText)
{
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("u.xml", "<a k=\"\xc3\xa9\">x</a>")));
    EXPECT_EQ(Send(Sci::SCI_GETCODEPAGE), Sci::SC_CP_UTF8);
    WaitForColours();
    EXPECT_EQ(StyleAt(0), STYLE_TAG_BRACKET);
    EXPECT_EQ(StyleAt(5), STYLE_QUOTED);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("u.xml"));
    EXPECT_EQ(doc.GetPathName(), PathOf("u.xml"));
    EXPECT_GE(m_nChanges, 1);

    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("l.xml", "<a>\xe9</a>")));
    EXPECT_EQ(Send(Sci::SCI_GETCODEPAGE), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TarnelDocTest, AFailedOpenNamesTheFileAndLeavesTheDocumentAlone)
{
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("keep.xml", "<keep/>")));
    const QString missing = PathOf("missing.xml");
    EXPECT_FALSE(doc.OnOpenDocument(missing));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().constFirst().contains(missing));
    EXPECT_EQ(Text(), QByteArray("<keep/>"));
    EXPECT_EQ(doc.GetPathName(), PathOf("keep.xml"));
}

TEST_F(TarnelDocTest, AFailedSaveNamesTheFileAndLeavesTheDocumentModified)
{
    doc.OnNewDocument();
    view.ReplaceSelection("<a/>");
    const QString target = PathOf("no-such-folder/doc.xml");
    EXPECT_FALSE(doc.OnSaveDocument(target));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().constFirst().contains(target));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("Untitled"));
}

TEST_F(TarnelDocTest, SaveWithoutAPathAsksForOneAndACancelWritesNothing)
{
    doc.OnNewDocument();
    view.ReplaceSelection("<a/>");
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(m_answers.m_nSaveDialogs, 1);
    EXPECT_TRUE(m_answers.m_strFilter.startsWith(QStringLiteral("XML files (*.xml *.xsd *.xsl ")));
    EXPECT_TRUE(m_answers.m_strFilter.endsWith(QStringLiteral(");;All Files (*)")));
    EXPECT_TRUE(doc.IsModified());

    m_answers.m_strSavePath = PathOf("chosen.xml");
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_SAVE, nullptr));
    EXPECT_EQ(ReadFile(PathOf("chosen.xml")), kHeader + "<a/>");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("chosen.xml"));

    // With a path, Save writes there without asking; Save As always asks.
    Select(0, 0);
    view.ReplaceSelection("x");
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(m_answers.m_nSaveDialogs, 2);
    EXPECT_TRUE(doc.OnCmdMsg(ID_FILE_SAVE_AS, nullptr));
    EXPECT_EQ(m_answers.m_nSaveDialogs, 3);
}

TEST_F(TarnelDocTest, SaveModifiedAsksWithTheTitleAndFollowsTheAnswer)
{
    doc.OnNewDocument();
    view.ReplaceSelection("<a/>");
    EXPECT_FALSE(doc.SaveModified());  // Cancel
    ASSERT_EQ(m_answers.m_questions.size(), 1);
    EXPECT_EQ(m_answers.m_questions.constFirst(), QStringLiteral("Save changes to Untitled?"));

    m_answers.m_answer = IDocumentQuestions::EAnswer::No;
    EXPECT_TRUE(doc.SaveModified());

    m_answers.m_answer = IDocumentQuestions::EAnswer::Yes;
    EXPECT_FALSE(doc.SaveModified());  // the Save As dialog was cancelled
    m_answers.m_strSavePath = PathOf("yes.xml");
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());

    m_answers.m_questions.clear();
    EXPECT_TRUE(doc.SaveModified());  // not modified: nothing asked
    EXPECT_TRUE(m_answers.m_questions.isEmpty());
}

TEST_F(TarnelDocTest, ComposeElementUsesTheTreesSelectedNode)
{
    EXPECT_EQ(doc.ComposeElement("Hello", false), QByteArray("<UNKNOWN>Hello"));
    TemplateNode node;
    node.name = node.endName = "p";
    node.attributes = "class=\"note\" ";
    CFakeTree tree;
    tree.m_pSelected = &node;
    doc.m_pTreeView = &tree;
    EXPECT_EQ(doc.ComposeElement("Hello", false), QByteArray("<p class=\"note\" >Hello</p>"));
    EXPECT_EQ(doc.ComposeElement(QByteArray("a\0b", 3), true),
              QByteArray("\n<p class=\"note\" >\na") + '\0' + "b\n</p>\n");
    doc.FocusTree();
    EXPECT_EQ(tree.m_nFocus, 1);
    doc.m_pTreeView = nullptr;
}

TEST_F(TarnelDocTest, LoadTemplateReplacesTheOldTreeAndACancelOrAFailureKeepsIt)
{
    CFakeTree tree;
    doc.m_pTreeView = &tree;
    const QString first = WriteFile("t1.xml", "<root><b/><i/></root>");
    const QString second = WriteFile("t2.xml", "<other><p/></other>");
    doc.LoadTemplate(first);
    ASSERT_NE(doc.m_pTemplateRoot, nullptr);
    EXPECT_EQ(tree.m_nDeleteAll, 1);

    m_answers.m_strOpenPath = second;
    doc.LoadTemplate(QString());  // the old tree is freed: ASan would see a leak otherwise
    ASSERT_NE(doc.m_pTemplateRoot, nullptr);
    EXPECT_EQ(doc.m_pTemplateRoot->children[0]->name, "other");
    EXPECT_EQ(tree.m_nDeleteAll, 2);
    EXPECT_EQ(m_answers.m_strDefaultExt, QStringLiteral("xml"));
    EXPECT_EQ(m_answers.m_strFilter,
              QStringLiteral("XML Files (*.xml);;Grammars (*.dtd *.xsd *.rng);;"
                             "Text Files (*.txt *);;All Files (*)"));

    TemplateNode* pKept = doc.m_pTemplateRoot;
    const int nItems = tree.m_nItems;
    m_answers.m_strOpenPath.clear();
    doc.LoadTemplate(QString());
    const QString broken = WriteFile("broken.xml", "<a>\n<b>\n</a>");
    doc.LoadTemplate(broken);
    EXPECT_EQ(doc.m_pTemplateRoot, pKept);
    EXPECT_EQ(tree.m_nDeleteAll, 2);
    EXPECT_EQ(tree.m_nItems, nItems);
    EXPECT_EQ(m_messages.Messages(), QStringList{broken + ": mismatched tag at line 3\n"});
    doc.m_pTreeView = nullptr;
}

TEST_F(TarnelDocTest, ASuccessfulCheckKeepsTheSelectionAndSaysSo)
{
    SetText("<a>\n  <b x=\"1\"/>\n</a>\n");
    Select(8, 3);
    doc.CheckWellFormed();
    EXPECT_EQ(m_messages.Messages(), QStringList{QStringLiteral("Everything is fine!")});
    EXPECT_EQ(Send(Sci::SCI_GETANCHOR), 8);
    EXPECT_EQ(Send(Sci::SCI_GETCURRENTPOS), 3);
    EXPECT_EQ(view.ErrorMarker().Position(), -1);
}

TEST_F(TarnelDocTest, AFailedCheckPutsTheCaretOnTheParsersLineAndMarksTheError)
{
    view.show();
    QByteArray text = "<a>\n";
    for (int i = 0; i < 20; ++i)
        text += QByteArray("word ").repeated(300) + "\n";
    text += "<b>\n</c>\n</a>\n";  // the error is on line 23 (from 1)
    SetText(text);
    Select(0, 5);
    doc.CheckWellFormed();

    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().constFirst().endsWith(QStringLiteral(" at line 23\n")));
    const long long nLineStart = Send(Sci::SCI_POSITIONFROMLINE, 22);
    EXPECT_EQ(SelStart(), nLineStart);
    EXPECT_EQ(SelEnd(), nLineStart);
    EXPECT_EQ(view.ErrorMarker().Position(), nLineStart + 2);  // expat points into "</c>"
    EXPECT_NE(Send(Sci::SCI_INDICATORVALUEAT, CErrorMarker::kIndicator, nLineStart + 2), 0);

    view.ReplaceSelection("x");
    EXPECT_EQ(view.ErrorMarker().Position(), -1);
    EXPECT_EQ(Send(Sci::SCI_INDICATORVALUEAT, CErrorMarker::kIndicator, nLineStart + 3), 0);
}

TEST_F(TarnelDocTest, AnUnclosedElementIsMarkedOnItsLastVisibleCharacter)
{
    SetText("<a>\n<b/>\n");
    doc.CheckWellFormed();
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_EQ(view.ErrorMarker().Position(), 7);
}

void Type(QWidget& widget, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

TEST_F(TarnelDocTest, OpeningLeavesNoUndoStepAndTheFirstKeystrokeMarksTheDocumentModified)
{
    SetText("old");
    Send(Sci::SCI_ADDTEXT, 1, reinterpret_cast<long long>("x"));
    ASSERT_TRUE(doc.IsModified());
    const QByteArray text = "<a>\n  <b>text</b>\n</a>\n";
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("load.xml", text)));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(view.isUndoAvailable());
    EXPECT_EQ(Send(Sci::SCI_GETWRAPMODE), Sci::SC_WRAP_WORD);

    m_nChanges = 0;
    Select(3, 3);
    Type(view, Qt::Key_Z, QStringLiteral("z"));
    EXPECT_EQ(Text(), "<a>z" + text.mid(3));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(m_nChanges, 1);

    view.undo();
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(view.isUndoAvailable());
}

// Pretends an assistive technology comes and goes, as the platform announces it.
class CAssistiveTechnology
{
public:
    explicit CAssistiveTechnology(bool bActive) { QAccessible::setActive(bActive); }
    ~CAssistiveTechnology() { QAccessible::setActive(false); }
};

TEST_F(TarnelDocTest, AKeystrokeClearsTheErrorSquiggleWithOrWithoutAScreenReader)
{
    for (bool bActive : {false, true}) {
        CAssistiveTechnology at(bActive);
        SetText("<a>\n</b>\n");
        doc.CheckWellFormed();
        const long long nMarked = view.ErrorMarker().Position();
        ASSERT_GE(nMarked, 1) << bActive;
        Select(0, 0);
        Type(view, Qt::Key_Delete);
        EXPECT_EQ(view.ErrorMarker().Position(), -1) << bActive;
        EXPECT_EQ(Send(Sci::SCI_INDICATORVALUEAT, CErrorMarker::kIndicator, nMarked - 1), 0)
            << bActive;
    }
}

TEST_F(TarnelDocTest, TheEditorOffersItsTextToAScreenReaderOnlyWhileOneIsActive)
{
    SetText("h\xc3\xa9llo");
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(pInterface, nullptr);
    EXPECT_EQ(pInterface->textInterface(), nullptr);
    EXPECT_EQ(Send(Sci::SCI_GETMODEVENTMASK) & Sci::SC_MOD_INSERTTEXT, 0);
    {
        CAssistiveTechnology at(true);
        pInterface = QAccessible::queryAccessibleInterface(&view);
        ASSERT_NE(pInterface, nullptr);
        ASSERT_NE(pInterface->textInterface(), nullptr);
        EXPECT_EQ(pInterface->textInterface()->characterCount(), 5);
        SetText("abc");  // loading keeps the full notifications
        EXPECT_EQ(Send(Sci::SCI_GETMODEVENTMASK), Sci::SC_MODEVENTMASKALL);
        EXPECT_EQ(pInterface->textInterface()->text(0, 3), QStringLiteral("abc"));
    }
    pInterface = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(pInterface, nullptr);
    EXPECT_EQ(pInterface->textInterface(), nullptr);
    EXPECT_EQ(Send(Sci::SCI_GETMODEVENTMASK) & Sci::SC_MOD_DELETETEXT, 0);
}

TEST_F(TarnelDocTest, AFileThatCannotBeReadLeavesTheModifiedDocumentAlone)
{
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("keep.xml", "<keep/>")));
    Select(0, 0);
    Type(view, Qt::Key_X, QStringLiteral("x"));
    ASSERT_TRUE(doc.IsModified());
    const QString unreadable = QStringLiteral("/proc/self/mem");  // opens, but cannot be read
    EXPECT_FALSE(doc.OnOpenDocument(unreadable));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages().constFirst().contains(unreadable));
    EXPECT_EQ(Text(), QByteArray("x<keep/>"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("keep.xml"));
}

TEST_F(TarnelDocTest, OpeningABigFileColoursItWhileIdleAsColorAllAndKeepsEveryByte)
{
    // Over three read pieces of 1 MB, with a tag, a quoted value, a letter and NULs astride
    // the boundaries, and a tag left unfinished at the end.
    QByteArray text;
    const QByteArray record("<r k=\"v\xc3\xa9\">t\0xt</r>\n", 20);
    while (text.size() < 3 * 1024 * 1024 + 100)
        text += record;
    text += "<open k=\"v";
    const QString path = WriteFile("big.xml", text);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(Send(Sci::SCI_GETCODEPAGE), Sci::SC_CP_UTF8);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view.ColoursPending());
    WaitForColours();
    const QByteArray opened = StyledText(view);
    view.ColorAll();
    EXPECT_TRUE(StyledText(view) == opened);
}

}  // namespace

TEST_F(TarnelDocTest, AShownTextIsWrappedToItsEndWhenOpenedSoNoLaterKeyWaitsForIt)
{
    view.show();
    QByteArray text;
    for (int i = 0; i < 6000; ++i)
        text += i % 100 == 50 ? QByteArray(400, 'w').replace('w', "w ") + "\n"
                              : QByteArray("<line/>\n");
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("long.xml", text)));
    // No events yet: the control has had no time of its own to wrap the long lines far below, and
    // its display rows count them as one row each until it does.
    EXPECT_GT(Send(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, 5999), 5999 + 60);
}

TEST_F(TarnelDocTest, CancellingAnOpenLeavesThePreviousTextAsItWas)
{
    ASSERT_TRUE(doc.OnOpenDocument(WriteFile("old.xml", "<old/>")));
    view.ReplaceSelection("typed ");
    const QString path = WriteFile("big.xml", QByteArray(3 << 20, 'x'));
    CDocumentReader reader(path);
    QString error;
    ASSERT_TRUE(reader.Open(error));
    int nCalls = 0;
    EXPECT_FALSE(view.LoadFile(reader, true, error,
                               [&nCalls](long long, long long) { return ++nCalls < 2; }));
    EXPECT_EQ(nCalls, 2);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(Text(), QByteArray("typed <old/>"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), PathOf("old.xml"));
    EXPECT_EQ(StyleAt(6), STYLE_TAG_BRACKET);

    // A long previous text comes back coloured as an opened one is, while the editor is idle.
    const QByteArray longText = QByteArray("<r k=\"v\">t</r>\n").repeated(200000);
    SetText(longText);
    view.ColorAll();
    CDocumentReader again(path);
    ASSERT_TRUE(again.Open(error));
    EXPECT_FALSE(view.LoadFile(again, true, error, [](long long, long long) { return false; }));
    EXPECT_EQ(Text(), longText);
    EXPECT_TRUE(view.ColoursPending());
    WaitForColours();
    const QByteArray restored = StyledText(view);
    view.ColorAll();
    EXPECT_TRUE(StyledText(view) == restored);
}
