#include "editor/EditorTestSupport.h"

#include "DocumentPrinter.h"
#include "PageIndex.h"
#include "PreviewPane.h"
#include "PrintPreviewDlg.h"

#include <Qsci/qsciprinter.h>

#include <QCoreApplication>
#include <QFile>
#include <QScrollArea>
#include <QTest>
#include <QToolBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Lines(int nCount, const QByteArray& line)
{
    QByteArray text;
    for (int i = 0; i < nCount; ++i)
        text += line + QByteArray::number(i) + "\n";
    return text;
}

// Pages in a PDF file: one "/Type /Page" object each ("/Type /Pages" is the tree).
int PdfPageCount(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r")
                            + pdf.count("/Type /Page/") + pdf.count("/Type /Page>")
                            + pdf.count("/Type /Page "));
}

class PrintPreviewTest : public ::testing::Test, public SEditorFixture
{
protected:
    PrintPreviewTest()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("out.pdf")));
        CDocumentPrinter::SetDefaultMargins(printer);
    }

    QTemporaryDir m_dir;
    QsciPrinter printer;
};

}  // namespace

TEST_F(PrintPreviewTest, ThePreviewCountsThePagesThePrinterPrints)
{
    const QByteArray samples[] = {
        "<a/>",
        Lines(180, "<item name=\"x\">some text</item> "),
        QByteArray(40000, 'w') + "\n" + Lines(50, "<b>"),
        Lines(400, QByteArray(300, 'v') + " "),
    };
    for (const QByteArray& text : samples) {
        SetText(text);
        view.ColorAll();
        CPrintPreviewDlg preview(&view, printer, 1);
        preview.CountAllPages();
        ASSERT_TRUE(preview.Index().IsComplete());
        QString error;
        ASSERT_TRUE(CDocumentPrinter(&view).PrintTo(printer, error)) << error.toStdString();
        EXPECT_EQ(preview.Index().KnownPages(), PdfPageCount(printer.outputFileName()))
            << text.size();
    }
}

TEST_F(PrintPreviewTest, ALongTextShowsItsFirstPagesBeforeCountingTheRestAndCanStop)
{
    SetText(Lines(20000, "<line>"));
    CPrintPreviewDlg preview(&view, printer, 2);
    EXPECT_GE(preview.Index().KnownPages(), 2);
    EXPECT_FALSE(preview.Index().IsComplete());
    preview.StopCounting();
    const int nCounted = preview.Index().KnownPages();
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Index().KnownPages(), nCounted);
    preview.GoToPage(nCounted + 5);
    EXPECT_EQ(preview.CurrentPage(), nCounted + 4)
        << "two pages side by side start on an even page";
    EXPECT_EQ(preview.PagesShown(), 2);
}

TEST(PageIndexTest, APageThatTakesNothingEndsTheLayoutInsteadOfLooping)
{
    CPageIndex index(100, [](long long from) { return from < 40 ? from + 20 : from; });
    while (index.Extend(10)) {
    }
    EXPECT_EQ(index.KnownPages(), 3);
    EXPECT_EQ(index.End(2), 100);
}

TEST_F(PrintPreviewTest, PagesArePrintedAsQsciPrinterPrintsThemAndCancelStops)
{
    SetText(Lines(400, "<item name=\"x\">some text</item> "));
    const QString ours = m_dir.filePath(QStringLiteral("ours.pdf"));
    const QString theirs = m_dir.filePath(QStringLiteral("theirs.pdf"));
    const struct
    {
        int nFrom, nTo, nCopies;
        QPrinter::PageOrder eOrder;
    } cases[] = {{0, 0, 1, QPrinter::FirstPageFirst},
                 {2, 4, 1, QPrinter::FirstPageFirst},
                 {0, 0, 1, QPrinter::LastPageFirst},
                 {3, 0, 2, QPrinter::LastPageFirst}};
    for (const auto& c : cases) {
        printer.setFromTo(c.nFrom, c.nTo);
        printer.setCopyCount(c.nCopies);
        printer.setPageOrder(c.eOrder);
        printer.setOutputFileName(ours);
        QString error;
        ASSERT_TRUE(CDocumentPrinter(&view).PrintTo(printer, error)) << error.toStdString();
        printer.setOutputFileName(theirs);
        printer.printRange(&view);
        EXPECT_EQ(PdfPageCount(ours), PdfPageCount(theirs)) << c.nFrom << "-" << c.nTo;
    }
    printer.setFromTo(0, 0);
    printer.setOutputFileName(ours);
    int nCalls = 0;
    QString error = QStringLiteral("unset");
    EXPECT_FALSE(CDocumentPrinter(&view).PrintTo(
        printer, error, [&nCalls](long long, long long) { return ++nCalls < 2; }));
    EXPECT_EQ(nCalls, 2);
    EXPECT_TRUE(error.isEmpty());
}

namespace {

QAction* ToolAction(QWidget& dialog, const QString& text)
{
    for (QAction* pAction : dialog.findChild<QToolBar*>()->actions())
        if (pAction->text() == text)
            return pAction;
    return nullptr;
}

TEST_F(PrintPreviewTest, PageKeysTurnPagesWhereverTheFocusIs)
{
    SetText(Lines(400, "<item name=\"x\">some text</item> "));
    for (int nShown : {1, 2}) {
        CPrintPreviewDlg preview(&view, printer, nShown);
        preview.show();
        preview.CountAllPages();
        const int nLast = preview.Index().KnownPages() - 1;
        ASSERT_GE(nLast, 4);
        QWidget* pScroll = preview.findChild<QScrollArea*>();
        pScroll->setFocus();
        const struct
        {
            Qt::Key key;
            int nPage;
        } steps[] = {
            {Qt::Key_PageDown, nShown},
            {Qt::Key_PageDown, 2 * nShown},
            {Qt::Key_PageUp, nShown},
            {Qt::Key_End, nLast - nLast % nShown},
            {Qt::Key_PageDown, nLast - nLast % nShown},
            {Qt::Key_Home, 0},
            {Qt::Key_PageUp, 0},
        };
        for (const auto& step : steps) {
            QTest::keyClick(pScroll, step.key);
            EXPECT_EQ(preview.CurrentPage(), step.nPage) << nShown << " shown, key " << step.key;
        }
    }
}

TEST_F(PrintPreviewTest, ZoomInAndOutChangeTheScaleAndFitPageTakesItBack)
{
    SetText(Lines(400, "<item name=\"x\">some text</item> "));
    CPrintPreviewDlg preview(&view, printer, 1);
    preview.show();
    QCoreApplication::processEvents();
    const CPreviewPane* pPane = preview.findChild<CPreviewPane*>();
    ToolAction(preview, QStringLiteral("Fit page"))->trigger();
    QCoreApplication::processEvents();
    const double fitted = pPane->Scale();
    ToolAction(preview, QStringLiteral("Zoom in"))->trigger();
    QCoreApplication::processEvents();  // scroll bars come and the viewport shrinks
    EXPECT_DOUBLE_EQ(pPane->Scale(), fitted * 1.25);
    ToolAction(preview, QStringLiteral("Zoom out"))->trigger();
    ToolAction(preview, QStringLiteral("Zoom out"))->trigger();
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(pPane->Scale(), fitted / 1.25);
    ToolAction(preview, QStringLiteral("Fit page"))->trigger();
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(pPane->Scale(), fitted);
}

}  // namespace
