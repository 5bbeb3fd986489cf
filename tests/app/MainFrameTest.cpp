#include "AppTestSupport.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "PrintPreviewDlg.h"
#include "Profile.h"
#include "SettingsKeys.h"
#include "StatusNote.h"
#include "TarnelDoc.h"
#include "TarnelView.h"

#include <Qsci/qscicommandset.h>
#include <Qsci/qsciprinter.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QFileDialog>
#include <QMarginsF>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QShortcut>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.Write("tarnel.xml", kSampleTemplate);
        CLeftView::ResetFirstUpdateForTesting();
        m_pFrame = std::make_unique<CMainFrame>(&m_doc, nullptr);
        m_pFrame->InitialUpdateFrame();
    }

    bool IsEnabled(int nID) const
    {
        CCmdUI ui(nID);
        return m_pFrame->OnCmdMsg(nID, &ui) && ui.m_bEnabled;
    }

    void SelectTreeItem(const QString& name)
    {
        const auto items =
            m_pFrame->LeftView()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1);
        m_pFrame->LeftView()->setCurrentItem(items.first());
    }

    QStringList MenuTexts(QMenu* menu) const
    {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    QMenu* TopMenu(int nPos) const { return m_pFrame->menuBar()->actions().at(nPos)->menu(); }

    CScratchFolder m_folder;
    CMessageCapture m_messages;
    CTarnelDoc m_doc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

TEST_F(MainFrameTest, TreePaneIsActiveAfterStartAndEditorOnlyCommandsAreDisabled)
{
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->LeftView());
    for (int nID : {ID_VIEW_RECOLOR, ID_TAG_INSERT_COMMENT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY,
                    ID_EDIT_PASTE, ID_EDIT_PASTE_SPECIAL, ID_EDIT_SELECT_ALL, ID_EDIT_FIND,
                    ID_EDIT_REPEAT, ID_EDIT_REPLACE})
        EXPECT_FALSE(IsEnabled(nID)) << nID;
    for (int nID :
         {ID_TAG_INSERT_INLINE, ID_TAG_INSERT_BLOCK, ID_TOOLS_LIGHT_CHECK, ID_EDIT_GOTO_LINE,
          ID_VIEW_FOCUS_EDITOR, ID_VIEW_FOCUS_TREE, ID_FILE_SAVE, ID_FILE_PRINT})
        EXPECT_TRUE(IsEnabled(nID)) << nID;
    EXPECT_TRUE(m_messages.Messages().isEmpty()) << m_messages.Messages().join("|").toStdString();
}

TEST_F(MainFrameTest, CommandsWithoutHandlerStayDisabledInBothPanes)
{
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (int nID : {ID_ESCAPE, ID_TOOLS_BUTTON_B, ID_OLE_EDIT_PROPERTIES})
            EXPECT_FALSE(IsEnabled(nID)) << nID << " pass " << nPass;
        m_pFrame->SendCommand(ID_VIEW_FOCUS_EDITOR);
    }
}

TEST_F(MainFrameTest, ActivatingTheEditorEnablesItsCommands)
{
    ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_FOCUS_EDITOR));
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->EditView());
    EXPECT_TRUE(IsEnabled(ID_VIEW_RECOLOR));
    EXPECT_TRUE(IsEnabled(ID_TAG_INSERT_COMMENT));
    EXPECT_TRUE(IsEnabled(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(m_pFrame->Actions().Action(ID_VIEW_RECOLOR)->isEnabled());
}

TEST_F(MainFrameTest, ShownStatesFollowTheEditorsSignalsWithoutBeingAsked)
{
    m_pFrame->show();
    QAction* cut = m_pFrame->Actions().Action(ID_EDIT_CUT);
    QAction* undo = m_pFrame->Actions().Action(ID_EDIT_UNDO);
    QAction* recolor = m_pFrame->Actions().Action(ID_VIEW_RECOLOR);
    m_pFrame->SendCommand(ID_VIEW_FOCUS_EDITOR);
    EXPECT_TRUE(recolor->isEnabled());
    EXPECT_FALSE(cut->isEnabled());
    EXPECT_FALSE(undo->isEnabled());
    m_pFrame->EditView()->ReplaceSelection("abc");
    m_pFrame->EditView()->setSelection(0, 0, 0, 2);
    QApplication::processEvents();
    EXPECT_TRUE(cut->isEnabled());
    EXPECT_TRUE(undo->isEnabled());
    m_pFrame->LeftView()->setFocus();
    m_pFrame->SetActiveView(m_pFrame->LeftView());
    QApplication::processEvents();
    EXPECT_FALSE(recolor->isEnabled());
    EXPECT_FALSE(cut->isEnabled());
}

TEST_F(MainFrameTest, NextAndPreviousPaneSwitchTheActiveView)
{
    m_pFrame->SendCommand(ID_NEXT_PANE);
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->EditView());
    m_pFrame->SendCommand(ID_PREV_PANE);
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->LeftView());
}

TEST_F(MainFrameTest, FocusTreeKeepsTheEditorActiveSoInsertionReachesTheEditor)
{
    m_pFrame->SendCommand(ID_VIEW_FOCUS_EDITOR);
    SelectTreeItem("b");
    m_pFrame->SendCommand(ID_VIEW_FOCUS_TREE);
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->EditView());
    ASSERT_TRUE(m_pFrame->SendCommand(ID_TAG_INSERT_INLINE));
    EXPECT_EQ(m_pFrame->EditView()->TextBytes(), QByteArray("<b></b>"));
}

TEST_F(MainFrameTest, InsertionsWorkWhileTheTreePaneIsActive)
{
    SelectTreeItem("p");
    ASSERT_TRUE(m_pFrame->SendCommand(ID_TAG_INSERT_BLOCK));
    EXPECT_EQ(m_pFrame->EditView()->TextBytes(), QByteArray("\n<p class=\"note\" >\n\n</p>\n"));
    SelectTreeItem("br");
    ASSERT_TRUE(m_pFrame->SendCommand(ID_TAG_INSERT_INLINE));
    EXPECT_TRUE(m_pFrame->EditView()->TextBytes().startsWith("<br/>"));
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pFrame->LeftView());
}

TEST_F(MainFrameTest, MenusHoldTheCommandTablesRowsInOrder)
{
    QStringList titles;
    std::map<QString, QStringList> expected;
    for (const SCommandDef& command : MainCommands()) {
        if (!command.menu)
            continue;
        const QString title = QString::fromUtf8(command.menu);
        if (!titles.contains(title))
            titles << title;
        expected[title] << (command.nID == 0 ? QStringLiteral("-")
                                             : CCommandActions::MenuText(command));
    }
    for (QAction* menu : m_pFrame->menuBar()->actions())
        emit menu->menu()->aboutToShow();
    ASSERT_EQ(m_pFrame->menuBar()->actions().size(), titles.size());
    for (int nPos = 0; nPos < titles.size(); ++nPos) {
        const QString title = m_pFrame->menuBar()->actions().at(nPos)->text();
        EXPECT_EQ(title, titles.at(nPos));
        QStringList shown = MenuTexts(TopMenu(nPos));
        if (title == "&Help")  // the tip item and its separator come at run time
            shown = shown.mid(2);
        EXPECT_EQ(shown, expected[title]) << title.toStdString();
    }
    EXPECT_FALSE(m_pFrame->Actions().Action(ID_FILE_MRU_FILE1)->isEnabled());
}

TEST_F(MainFrameTest, HelpMenuGetsExactlyOneTipItemAboveAbout)
{
    QMenu* help = TopMenu(4);
    emit help->aboutToShow();
    emit TopMenu(0)->aboutToShow();
    emit help->aboutToShow();
    EXPECT_EQ(MenuTexts(help), QStringList({"Ti&p of the Day...", "-", "&About Tarnel..."}));
    EXPECT_EQ(help->actions().first()->statusTip(), "Displays a Tip of the Day.");
}

TEST_F(MainFrameTest, EveryKeyOfTheTableIsAWindowShortcutOfItsCommandOnly)
{
    int nKeys = 0;
    for (const SCommandDef& command : MainCommands()) {
        const QStringList keys =
            QString::fromLatin1(command.keys ? command.keys : "").split(' ', Qt::SkipEmptyParts);
        nKeys += keys.size();
        QList<QKeySequence> expected;
        for (const QString& key : keys)
            expected << QKeySequence(key, QKeySequence::PortableText);
        EXPECT_EQ(m_pFrame->Actions().Shortcuts(command.nID), expected) << command.nID;
    }
    EXPECT_EQ(m_pFrame->findChildren<QShortcut*>().size(), nKeys);
    for (QAction* action : m_pFrame->actions())
        EXPECT_TRUE(action->shortcuts().isEmpty()) << action->text().toStdString();
    // The editor must not take them first.
    for (const QKeySequence& key : m_pFrame->Actions().WindowKeys()) {
        EXPECT_EQ(m_pFrame->EditView()->standardCommands()->boundTo(key[0].toCombined()), nullptr)
            << key.toString().toStdString();
    }
}

TEST_F(MainFrameTest, ToolbarHoldsTheTablesButtonsInSlotOrderWithSeparatorsAtTheGaps)
{
    std::map<int, int> bySlot;
    for (const SCommandDef& command : MainCommands()) {
        if (command.nToolbarSlot > 0)
            bySlot.emplace(command.nToolbarSlot, command.nID);
    }
    QList<int> expected;
    int nNext = 1;
    for (const auto& [nSlot, nID] : bySlot) {
        if (nSlot > nNext && nNext > 1)
            expected << 0;
        expected << nID;
        nNext = nSlot + 1;
    }
    QList<int> shown;
    for (QAction* action : m_pFrame->ToolBar()->actions())
        shown << (action->isSeparator() ? 0 : action->property("tarnelId").toInt());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(shown.count(0), 6);
}

TEST_F(MainFrameTest, OnlyFrameworkCommandsHaveTooltipsAndPrompts)
{
    QAction* insert = m_pFrame->Actions().Action(ID_TAG_INSERT_INLINE);
    EXPECT_TRUE(insert->property("tarnelTooltip").toString().isEmpty());
    EXPECT_TRUE(insert->statusTip().trimmed().isEmpty());
    QAction* fileNew = m_pFrame->Actions().Action(ID_FILE_NEW);
    EXPECT_EQ(fileNew->toolTip(), "New");
    EXPECT_EQ(fileNew->statusTip(), "Create a new document");
}

TEST_F(MainFrameTest, ViewMenuTogglesTheBarsWithACheckMark)
{
    m_pFrame->show();
    m_pFrame->SendCommand(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(m_pFrame->ToolBar()->isVisible());
    CCmdUI toolbar(ID_VIEW_TOOLBAR);
    m_pFrame->OnCmdMsg(ID_VIEW_TOOLBAR, &toolbar);
    EXPECT_EQ(toolbar.m_nCheck, 0);
    m_pFrame->SendCommand(ID_VIEW_TOOLBAR);
    m_pFrame->SendCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(m_pFrame->ToolBar()->isVisible());
    EXPECT_FALSE(m_pFrame->statusBar()->isVisible());
    CCmdUI status(ID_VIEW_STATUS_BAR);
    m_pFrame->OnCmdMsg(ID_VIEW_STATUS_BAR, &status);
    EXPECT_EQ(status.m_nCheck, 0);
}

TEST_F(MainFrameTest, PrintingFromTheTreePanePrintsTheDocumentText)
{
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text += "<line n=\"" + QByteArray::number(i) + "\">text</line>\n";
    m_pFrame->EditView()->ReplaceSelection(text);
    ASSERT_EQ(m_pFrame->GetActiveView(), m_pFrame->LeftView());
    m_pFrame->Printer().setOutputFormat(QPrinter::PdfFormat);
    m_pFrame->Printer().setOutputFileName(m_folder.Path("out.pdf"));
    ASSERT_TRUE(m_pFrame->SendCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_GE(CountPdfPages(m_folder.Path("out.pdf")), 3);
}

TEST_F(MainFrameTest, EveryPrintPathReportsAPrinterThatCannotStart)
{
    m_pFrame->EditView()->ReplaceSelection("<a>text</a>\n");
    m_pFrame->Printer().setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_folder.Path("no-such-folder/out.pdf");
    m_pFrame->Printer().setOutputFileName(pdf);
    struct Case
    {
        const char* name;
        int nID;
        std::function<void()> answerDialog;
    };
    const Case cases[] = {
        {"print direct", ID_FILE_PRINT_DIRECT, nullptr},
        {"print", ID_FILE_PRINT,
         [] {
             // Accepted as it stands: the dialog's own file check is not what is tested here.
             auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
             ASSERT_NE(dialog, nullptr);
             dialog->done(QDialog::Accepted);
         }},
        {"print from the preview", ID_FILE_PRINT_PREVIEW,
         [] {
             auto* dialog = qobject_cast<CPrintPreviewDlg*>(QApplication::activeModalWidget());
             ASSERT_NE(dialog, nullptr);
             QTimer::singleShot(0, [] {
                 auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                 ASSERT_NE(print, nullptr);
                 print->done(QDialog::Accepted);
             });
             dialog->RequestPrint();
         }},
    };
    for (const Case& c : cases) {
        m_messages.Clear();
        if (c.answerDialog)
            QTimer::singleShot(0, c.answerDialog);
        m_pFrame->SendCommand(c.nID);
        ASSERT_EQ(m_messages.Messages().size(), 1) << c.name;
        EXPECT_TRUE(m_messages.Messages().first().contains(pdf))
            << c.name << ": " << m_messages.Messages().first().toStdString();
    }
}

TEST_F(MainFrameTest, PrintingKeepsThePrintersMarginsHalfAnInchUntilChanged)
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "<line>" + QByteArray::number(i) + "</line>\n";
    m_pFrame->EditView()->ReplaceSelection(text);
    QsciPrinter& printer = m_pFrame->Printer();
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter),
              QMarginsF(12.7, 12.7, 12.7, 12.7));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_folder.Path("half-inch.pdf"));
    ASSERT_TRUE(m_pFrame->SendCommand(ID_FILE_PRINT_DIRECT));
    // What Print Setup does with wider margins.
    printer.setPageMargins(QMarginsF(12.7, 90, 12.7, 90), QPageLayout::Millimeter);
    printer.setOutputFileName(m_folder.Path("wide.pdf"));
    ASSERT_TRUE(m_pFrame->SendCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_GT(CountPdfPages(m_folder.Path("wide.pdf")),
              CountPdfPages(m_folder.Path("half-inch.pdf")));
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter).top(), 90);
}

TEST_F(MainFrameTest, LoadTemplateTakesATypedNameWithOrWithoutItsExtension)
{
    struct Case
    {
        QStringList files;  // each holds an element named after the file, dots as dashes
        QString typed;
        QString loaded;
    };
    const Case cases[] = {
        {{"mytpl"}, "mytpl", "mytpl"},
        {{"other.xml"}, "other", "other-xml"},
        {{"both", "both.xml"}, "both", "both-xml"},
        {{"named.xml"}, "named.xml", "named-xml"},
    };
    for (const Case& c : cases) {
        for (const QString& file : c.files)
            m_folder.Write(file, "<" + QString(file).replace('.', '-').toLatin1() + "/>");
        const QString folder = m_folder.Path(QString());
        QTimer::singleShot(0, [folder, typed = c.typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(folder);
            dialog->selectFile(typed);
            // A refusal comes as a message box inside accept(): close it, then the dialog.
            QTimer::singleShot(0, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->reject();
            });
            QMetaObject::invokeMethod(dialog, "accept");
            if (dialog->isVisible())
                dialog->reject();
        });
        m_pFrame->SendCommand(ID_FILE_LOAD_TEMPLATE);
        ASSERT_EQ(m_pFrame->LeftView()->topLevelItemCount(), 1) << c.typed.toStdString();
        EXPECT_EQ(m_pFrame->LeftView()->topLevelItem(0)->text(0), c.loaded)
            << c.typed.toStdString();
    }
}

TEST_F(MainFrameTest, CaptionNamesTheDocumentAndShowsChangesAndAWriteProtectedFile)
{
    const QString path = m_folder.Write("notes.xml", "<a/>");
    const QString locked = m_folder.Write("locked.xml", "<a/>");
    QFile::setPermissions(locked, QFile::ReadOwner);
    const struct
    {
        std::function<void()> step;
        const char* caption;
    } steps[] = {
        {[] {}, "Untitled - Tarnel"},
        {[&] { ASSERT_TRUE(m_doc.OnOpenDocument(path)); }, "notes.xml - Tarnel"},
        {[&] { m_pFrame->EditView()->ReplaceSelection("x"); }, "notes.xml* - Tarnel"},
        {[&] { m_pFrame->EditView()->undo(); }, "notes.xml - Tarnel"},
        {[&] { m_pFrame->EditView()->ReplaceSelection("y"); }, "notes.xml* - Tarnel"},
        {[&] { ASSERT_TRUE(m_doc.OnSaveDocument(path)); }, "notes.xml - Tarnel"},
        {[&] { ASSERT_TRUE(m_doc.OnOpenDocument(locked)); }, "locked.xml [read-only] - Tarnel"},
        {[&] { m_pFrame->EditView()->ReplaceSelection("z"); }, "locked.xml* [read-only] - Tarnel"},
    };
    int nStep = 0;
    for (const auto& s : steps) {
        s.step();
        EXPECT_EQ(ShownCaption(*m_pFrame), QString::fromLatin1(s.caption)) << "step " << nStep++;
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, TheEditorsZoomIsKeptBetweenRuns)
{
    QKeyEvent zoomIn(QEvent::KeyPress, Qt::Key_Equal, Qt::ControlModifier, QStringLiteral("="));
    QApplication::sendEvent(m_pFrame->EditView(), &zoomIn);
    QApplication::sendEvent(m_pFrame->EditView(), &zoomIn);
    EXPECT_EQ(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, 0), 2);

    m_pFrame.reset();
    CLeftView::ResetFirstUpdateForTesting();
    m_pFrame = std::make_unique<CMainFrame>(&m_doc, nullptr);
    m_pFrame->InitialUpdateFrame();
    EXPECT_EQ(m_pFrame->EditView()->SendScintilla(QsciScintillaBase::SCI_GETZOOM), 2);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, TheViewMenusOptionsToggleShowTheirCheckAndAreKeptBetweenRuns)
{
    const struct
    {
        int nID;
        const QString& key;
        std::function<bool(CTarnelView&)> isOn;
    } options[] = {
        {ID_VIEW_LINE_NUMBERS, SettingsKeys::kLineNumbers,
         [](CTarnelView& v) { return v.LineNumbersShown(); }},
        {ID_VIEW_COLOUR_AS_YOU_TYPE, SettingsKeys::kColourAsYouType,
         [](CTarnelView& v) { return v.ColourAsYouType(); }},
    };
    for (const auto& option : options) {
        EXPECT_FALSE(option.isOn(*m_pFrame->EditView())) << option.nID;
        ASSERT_TRUE(m_pFrame->SendCommand(option.nID));
        EXPECT_TRUE(option.isOn(*m_pFrame->EditView())) << option.nID;
        EXPECT_TRUE(m_pFrame->Actions().Action(option.nID)->isChecked()) << option.nID;
        EXPECT_EQ(GetProfileInt(SettingsKeys::kSection, option.key, 0), 1) << option.nID;
    }
    m_pFrame.reset();
    CLeftView::ResetFirstUpdateForTesting();
    m_pFrame = std::make_unique<CMainFrame>(&m_doc, nullptr);
    m_pFrame->InitialUpdateFrame();
    for (const auto& option : options) {
        EXPECT_TRUE(option.isOn(*m_pFrame->EditView())) << option.nID;
        ASSERT_TRUE(m_pFrame->SendCommand(option.nID));
        EXPECT_EQ(GetProfileInt(SettingsKeys::kSection, option.key, 1), 0) << option.nID;
    }
}

TEST_F(MainFrameTest, TheWordWrapItemTurnsWrappingOffAndOnWithItsCheck)
{
    CTarnelView& view = *m_pFrame->EditView();
    QAction* item = m_pFrame->Actions().Action(ID_VIEW_WORD_WRAP);
    for (const bool bOn : {false, true}) {
        ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_WORD_WRAP));
        EXPECT_EQ(view.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE),
                  bOn ? QsciScintillaBase::SC_WRAP_WORD : QsciScintillaBase::SC_WRAP_NONE);
        emit TopMenu(2)->aboutToShow();
        EXPECT_EQ(item->isChecked(), bOn);
    }
}

TEST_F(MainFrameTest, TheZoomItemsZoomTheEditorWhicheverPaneIsActive)
{
    const auto zoom = [this] {
        return m_pFrame->EditView()->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
    };
    ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_ZOOM_IN));
    ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_ZOOM_IN));
    EXPECT_EQ(zoom(), 2);
    ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_ZOOM_OUT));
    EXPECT_EQ(zoom(), 1);
    EXPECT_EQ(GetProfileInt(SettingsKeys::kSection, SettingsKeys::kEditorZoom, 0), 1);
    ASSERT_TRUE(m_pFrame->SendCommand(ID_VIEW_ZOOM_RESET));
    EXPECT_EQ(zoom(), 0);
}

TEST_F(MainFrameTest, TheStatusBarShowsTheCaretsLineAndColumn)
{
    const auto shown = [this] {
        return m_pFrame->statusBar()->findChild<QLabel*>(QStringLiteral("caretPosition"))->text();
    };
    EXPECT_EQ(shown(), QStringLiteral("Ln 1, Col 1"));
    m_pFrame->show();  // the control tells where its caret is as it repaints
    m_pFrame->EditView()->ReplaceSelection("<a>\n\tb\xc3\xa9");
    QApplication::processEvents();
    EXPECT_EQ(shown(), QStringLiteral("Ln 2, Col 4"));
}

}  // namespace

namespace {

TEST_F(MainFrameTest, ALongStatusNoteEndsWithAnEllipsisBeforeThePanesAndTheTooltipHoldsItAll)
{
    m_pFrame->resize(640, 400);
    m_pFrame->show();
    QCoreApplication::processEvents();
    QStatusBar* pBar = m_pFrame->statusBar();
    const QString longNote = QStringLiteral("notes.xml has a line of 2000000 characters: wrapping "
                                            "its lines would keep the editor busy for a long "
                                            "time, so they are shown unwrapped.");
    const QLabel* pCaret = pBar->findChild<QLabel*>(QStringLiteral("caretPosition"));
    ASSERT_NE(pCaret, nullptr);
    const struct
    {
        QString note;
        bool bCut;
    } cases[] = {{longNote, true}, {QStringLiteral("Short note"), false}, {longNote, true}};
    for (const auto& c : cases) {
        ShowStatusNote(m_pFrame->EditView(), c.note, false);
        const QString shown = pBar->currentMessage();
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), c.bCut) << shown.toStdString();
        EXPECT_EQ(shown == c.note, !c.bCut);
        EXPECT_LT(pBar->fontMetrics().horizontalAdvance(shown), pCaret->x());
        EXPECT_EQ(pBar->toolTip(), c.bCut ? c.note : QString());
    }
    pBar->clearMessage();
    EXPECT_EQ(pBar->toolTip(), QString());
}

}  // namespace

namespace {

TEST_F(MainFrameTest, ALoadedTemplateMarksTheElementAtTheCaretAtOnce)
{
    const QString dtd = m_folder.Write(QStringLiteral("notes.dtd"),
                                       "<!ELEMENT notes (note*)>\n<!ELEMENT note (#PCDATA)>\n");
    CTarnelView* pView = m_pFrame->EditView();
    pView->LoadBytes("<notes><note>x</note></notes>", true);
    pView->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 14UL);
    m_doc.LoadTemplate(dtd);
    ASSERT_NE(m_pFrame->LeftView()->CaretItem(), nullptr);
    EXPECT_EQ(m_pFrame->LeftView()->CaretItem()->text(0), QStringLiteral("note"));
}

}  // namespace
