#include "editor/EditorTestSupport.h"

#include "CmdUI.h"
#include "CommandIds.h"
#include "FileCodec.h"
#include "MessageBox.h"
#include "PasteFormats.h"
#include "PasteSpecialDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QStringList Names(const std::vector<SPasteFormat>& formats)
{
    QStringList names;
    for (const SPasteFormat& format : formats)
        names << format.strName;
    return names;
}

TEST(PasteFormatsTest, OffersTheKnownFormsFirstThenOtherTextTypesEachOnce)
{
    QMimeData data;
    data.setData(QStringLiteral("image/png"), "PNG");
    data.setData(QStringLiteral("text/x-custom"), "custom");
    data.setData(QStringLiteral("application/rtf"), "{\\rtf1 hi}");
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.xml")),
                  QUrl(QStringLiteral("https://x.org/"))});
    data.setHtml(QStringLiteral("<b>hi</b>"));
    data.setText(QStringLiteral("hi"));
    data.setData(QStringLiteral("text/plain;charset=utf-8"), "hi");
    data.setData(QStringLiteral("text/html;charset=utf-8"), "<b>hi</b>");
    data.setData(QStringLiteral("text/rtf"), "{\\rtf1 hi}");

    const std::vector<SPasteFormat> formats = CPasteFormats::Offered(data);
    EXPECT_EQ(Names(formats), QStringList({"Unformatted text", "HTML source", "Rich text source",
                                           "File names", "text/x-custom"}));
    EXPECT_EQ(formats.back().strMimeType, QStringLiteral("text/x-custom"));
}

TEST(PasteFormatsTest, OffersNothingWithoutTextAndNoFileNamesWithoutLocalFiles)
{
    QMimeData data;
    data.setData(QStringLiteral("image/png"), "PNG");
    data.setData(QStringLiteral("application/octet-stream"), "bin");
    EXPECT_TRUE(CPasteFormats::Offered(data).empty());
    data.setUrls({QUrl(QStringLiteral("https://x.org/a.xml"))});
    const std::vector<SPasteFormat> formats = CPasteFormats::Offered(data);
    EXPECT_EQ(Names(formats), QStringList({"Unformatted text"}));  // the address as text
}

TEST(PasteFormatsTest, GivesMarkupAndRtfAsSourceAndFileNamesAsLocalPathsPerLine)
{
    QMimeData data;
    data.setHtml(QStringLiteral("<p>caf\u00e9 &amp; co</p>"));
    data.setData(QStringLiteral("application/rtf"), "{\\rtf1\\ansi caf\\'e9}");
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a b.xml")),
                  QUrl(QStringLiteral("https://x.org/")),
                  QUrl::fromLocalFile(QStringLiteral("/home/\u00e9/c.xml"))});

    EXPECT_EQ(CPasteFormats::TextOf(data, CPasteFormats::kHtmlType),
              QStringLiteral("<p>caf\u00e9 &amp; co</p>"));
    EXPECT_EQ(CPasteFormats::TextOf(data, CPasteFormats::kRtfType),
              QStringLiteral("{\\rtf1\\ansi caf\\'e9}"));
    EXPECT_EQ(CPasteFormats::TextOf(data, CPasteFormats::kUriListType),
              QStringLiteral("/tmp/a b.xml\n/home/\u00e9/c.xml"));
}

TEST(PasteFormatsTest, DecodesOtherTextByCharsetThenByteOrderMarkThenUtf8ElseLatin1)
{
    QMimeData data;
    data.setData(QStringLiteral("text/x-utf8"), "caf\xc3\xa9");
    data.setData(QStringLiteral("text/x-latin1"), "caf\xe9");
    data.setData(QStringLiteral("text/x-bom"), QByteArray("\xff\xfe"
                                                          "c\0a\0f\0\xe9\0",
                                                          10));
    data.setData(QStringLiteral("text/x-labelled;charset=utf-16le"),
                 QByteArray("c\0a\0f\0\xe9\0", 8));

    const QString cafe = QStringLiteral("caf\u00e9");
    EXPECT_EQ(CPasteFormats::TextOf(data, QStringLiteral("text/x-utf8")), cafe);
    EXPECT_EQ(CPasteFormats::TextOf(data, QStringLiteral("text/x-latin1")), cafe);
    EXPECT_EQ(CPasteFormats::TextOf(data, QStringLiteral("text/x-bom")), cafe);
    EXPECT_EQ(CPasteFormats::TextOf(data, QStringLiteral("text/x-labelled")), cafe);
}

TEST(PasteFormatsTest, EightBitDocumentsRefuseWhatLatin1CannotHold)
{
    QByteArray bytes("kept");
    EXPECT_TRUE(CPasteFormats::ToDocumentBytes(QStringLiteral("caf\u00e9 \u20ac"), true, bytes));
    EXPECT_EQ(bytes, QByteArray("caf\xc3\xa9 \xe2\x82\xac"));
    EXPECT_TRUE(CPasteFormats::ToDocumentBytes(QStringLiteral("caf\u00e9\u00ff"), false, bytes));
    EXPECT_EQ(bytes, QByteArray("caf\xe9\xff"));

    bytes = "kept";
    EXPECT_FALSE(CPasteFormats::ToDocumentBytes(QStringLiteral("5 \u20ac"), false, bytes));
    EXPECT_FALSE(CPasteFormats::ToDocumentBytes(QString::fromUcs4(U"\U0001F600"), false, bytes));
    EXPECT_EQ(bytes, QByteArray("kept"));
}

TEST(PasteFormatsTest, DecodedDocumentsRefuseWhatTheirFilesEncodingCannotHold)
{
    const struct
    {
        const char* codec;
        QString text;
        bool bFits;
        const char* kind;
    } cases[] = {
        {"windows-1252", QStringLiteral("\u20ac\u0152"), true, "a windows-1252 document"},
        {"windows-1252", QStringLiteral("5 \u03a9"), false, "a windows-1252 document"},
        {"ISO-8859-2", QStringLiteral("\u0142"), true, "an ISO-8859-2 document"},
        {"ISO-8859-2", QStringLiteral("\u00e0"), false, "an ISO-8859-2 document"},
        {"UTF-16LE BOM", QString::fromUcs4(U"\U0001F600"), true, "a UTF-16 document"},
    };
    for (const auto& c : cases) {
        const CFileCodec* pCodec = CFileCodec::Named(c.codec);
        ASSERT_NE(pCodec, nullptr) << c.codec;
        QByteArray bytes("kept");
        EXPECT_EQ(CPasteFormats::ToDocumentBytes(c.text, true, pCodec, bytes), c.bFits) << c.codec;
        EXPECT_EQ(bytes, c.bFits ? c.text.toUtf8() : QByteArray("kept")) << c.codec;
        EXPECT_EQ(CPasteFormats::DocumentKind(pCodec), QString::fromLatin1(c.kind));
    }
    EXPECT_EQ(CPasteFormats::DocumentKind(nullptr), QStringLiteral("an 8-bit (Latin-1) document"));
}

TEST(PasteSpecialDlgTest, ListsTheFormsWithTheFirstSelectedAndOkAsDefault)
{
    CPasteSpecialDlg dialog({{CPasteFormats::kPlainType, "Unformatted text"},
                             {CPasteFormats::kHtmlType, "HTML source"}});
    ASSERT_EQ(dialog.FormatList()->count(), 2);
    EXPECT_EQ(dialog.FormatList()->item(1)->text(), QStringLiteral("HTML source"));
    EXPECT_EQ(dialog.FormatList()->currentRow(), 0);
    EXPECT_TRUE(dialog.OkButton()->isDefault());

    dialog.FormatList()->setCurrentRow(1);
    dialog.OkButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nSelected, 1);
}

// Installs a stand-in for the user of the Paste Special dialog for one test.
class CPasteSpecialChoice
{
public:
    explicit CPasteSpecialChoice(int nRow)  // -1: Cancel
    {
        CPasteSpecialDlg::s_fnRunModal = [this, nRow](CPasteSpecialDlg& dialog) {
            m_offered = Names(dialog.Formats());
            if (m_fnDuringDialog)
                m_fnDuringDialog();
            if (nRow < 0) {
                dialog.reject();
                return;
            }
            dialog.FormatList()->setCurrentRow(nRow);
            dialog.OkButton()->click();
        };
    }
    ~CPasteSpecialChoice() { CPasteSpecialDlg::s_fnRunModal = nullptr; }

    QStringList m_offered;
    std::function<void()> m_fnDuringDialog;
};

class PasteSpecialViewTest : public ::testing::Test, public SEditorFixture
{
protected:
    PasteSpecialViewTest()
    {
        auto* pData = new QMimeData;
        pData->setText(QStringLiteral("caf\u00e9 bold"));
        pData->setHtml(QStringLiteral("<b>caf\u00e9</b> bold"));
        QApplication::clipboard()->setMimeData(pData);
    }

    bool Enabled()
    {
        CCmdUI ui(ID_EDIT_PASTE_SPECIAL);
        view.OnCmdMsg(ID_EDIT_PASTE_SPECIAL, &ui);
        return ui.m_bEnabled;
    }
    void PasteSpecial() { view.OnCmdMsg(ID_EDIT_PASTE_SPECIAL, nullptr); }

    CMessageCapture m_messages;
};

TEST_F(PasteSpecialViewTest, OkPastesTheChosenFormOverTheSelectionAsOneUndoStep)
{
    SetText("say Hello now");
    Select(4, 9);
    CPasteSpecialChoice choice(1);
    PasteSpecial();
    EXPECT_EQ(choice.m_offered, QStringList({"Unformatted text", "HTML source"}));
    EXPECT_EQ(Text(), QByteArray("say <b>caf\xc3\xa9</b> bold now"));
    EXPECT_EQ(SelStart(), 4 + 17);  // after the pasted bytes
    view.undo();
    EXPECT_EQ(Text(), QByteArray("say Hello now"));
    EXPECT_TRUE(m_messages.Messages().isEmpty());
}

TEST_F(PasteSpecialViewTest, CancelChangesNothing)
{
    SetText("abc");
    Select(1, 2);
    CPasteSpecialChoice choice(-1);
    PasteSpecial();
    EXPECT_EQ(Text(), QByteArray("abc"));
    EXPECT_EQ(SelStart(), 1);
    EXPECT_EQ(SelEnd(), 2);
    EXPECT_FALSE(view.IsTextModified());
}

TEST_F(PasteSpecialViewTest, EightBitDocumentGetsLatin1OrAMessageNamingItInsteadOfQuestionMarks)
{
    view.LoadBytes("ab\xff", false);
    Select(2, 2);
    {
        CPasteSpecialChoice choice(0);
        PasteSpecial();
    }
    EXPECT_EQ(Text(), QByteArray("abcaf\xe9 bold\xff"));

    QApplication::clipboard()->setText(QStringLiteral("5 \u20ac"));
    CPasteSpecialChoice choice(0);
    PasteSpecial();
    EXPECT_EQ(Text(), QByteArray("abcaf\xe9 bold\xff"));
    ASSERT_EQ(m_messages.Messages().size(), 1);
    EXPECT_TRUE(m_messages.Messages()[0].contains(doc.GetTitle()))
        << m_messages.Messages()[0].toStdString();
    EXPECT_TRUE(m_messages.Messages()[0].contains(QStringLiteral("8-bit")));
}

TEST_F(PasteSpecialViewTest, AClipboardChangedWhileTheDialogIsOpenIsReportedNotPasted)
{
    SetText("abc");
    CPasteSpecialChoice choice(1);
    choice.m_fnDuringDialog = [] {
        QApplication::clipboard()->setText(QStringLiteral("plain only"));
    };
    PasteSpecial();
    EXPECT_EQ(Text(), QByteArray("abc"));
    EXPECT_EQ(m_messages.Messages().size(), 1);
}

TEST_F(PasteSpecialViewTest, EnabledOnlyWhileTheClipboardHoldsAFormThatPastesAsText)
{
    EXPECT_TRUE(Enabled());
    auto* pData = new QMimeData;
    pData->setData(QStringLiteral("image/png"), "PNG");
    QApplication::clipboard()->setMimeData(pData);
    EXPECT_FALSE(Enabled());

    CPasteSpecialChoice choice(0);
    PasteSpecial();  // nothing offered: no dialog
    EXPECT_TRUE(choice.m_offered.isEmpty());

    QApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled());
}

}  // namespace
