#include "FindReplaceDlg.h"

#include "DocumentCodec.h"
#include "PasteFormats.h"

#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "MessageBox.h"
#include "NamedDocument.h"
#include "RegexReplacement.h"
#include "TextSearch.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

constexpr int kWrapNoteMs = 5000;

SSearch& LastSearch()
{
    static SSearch search;
    return search;
}

QPointer<CFindReplaceDlg>& TheDialog()
{
    static QPointer<CFindReplaceDlg> dialog;
    return dialog;
}

constexpr int kReplacedNoteMs = 10000;

void ShowInStatusBar(QsciScintilla* pEditor, const QString& text, int nTimeoutMs)
{
    if (auto* pWindow = qobject_cast<QMainWindow*>(pEditor->window()))
        pWindow->statusBar()->showMessage(text, nTimeoutMs);
}

void ReportNotFound(const SSearch& search)
{
    AfxMessageBox(QStringLiteral("Cannot find the string '%1'.").arg(search.strFind));
}

// Where the editor's window has a status bar, the note goes there, as other editors do.
void ReportWrapped(QsciScintilla* pEditor, const SSearch& search)
{
    ShowInStatusBar(pEditor,
                    search.bDown ? QStringLiteral("Passed the end of the text")
                                 : QStringLiteral("Passed the start of the text"),
                    kWrapNoteMs);
}

void ReportReplaced(QsciScintilla* pEditor, int nReplaced)
{
    ShowInStatusBar(pEditor,
                    nReplaced == 1 ? QStringLiteral("Replaced 1 occurrence")
                                   : QStringLiteral("Replaced %1 occurrences").arg(nReplaced),
                    kReplacedNoteMs);
}

QString DocumentName(QsciScintilla* pEditor)
{
    return INamedDocument::NameOf(pEditor);
}

// Text an 8-bit document cannot hold is neither searched for (it would match "?") nor written.
bool Fits(QsciScintilla* pEditor, const SSearch& search, bool bReplacing)
{
    const CTextSearch textSearch(*pEditor, search);
    const QString problem =
        search.bRegex
            ? CRegexReplacement::Problem(search.strFind, pEditor->isUtf8(), search.bMatchCase)
            : QString();
    if (!problem.isEmpty()) {
        AfxMessageBox(QStringLiteral("Cannot search %1 for '%2': it is not a valid regular "
                                     "expression (%3).")
                          .arg(DocumentName(pEditor), search.strFind, problem));
        return false;
    }
    if (!textSearch.FindFits()) {
        AfxMessageBox(QStringLiteral("Cannot find the string '%1' in %2: %3 cannot contain it.")
                          .arg(search.strFind, DocumentName(pEditor),
                               CPasteFormats::DocumentKind(DocumentCodec(*pEditor))));
        return false;
    }
    if (bReplacing && !textSearch.ReplacementFits()) {
        AfxMessageBox(QStringLiteral("Nothing was replaced in %1: '%2' holds characters that %3 "
                                     "cannot store.")
                          .arg(DocumentName(pEditor), search.strReplace,
                               CPasteFormats::DocumentKind(DocumentCodec(*pEditor))));
        return false;
    }
    return true;
}

bool FindNext(QsciScintilla* pEditor, const SSearch& search)
{
    if (!Fits(pEditor, search, false))
        return false;
    switch (CTextSearch(*pEditor, search).FindNext()) {
    case CTextSearch::EFound::Yes:
        return true;
    case CTextSearch::EFound::AfterWrapping:
        ReportWrapped(pEditor, search);
        return true;
    case CTextSearch::EFound::No:
        break;
    }
    ReportNotFound(search);
    return false;
}

}  // namespace

void CFindReplaceDlg::ShowFind(QsciScintilla* pEditor)
{
    Show(pEditor, false);
}

void CFindReplaceDlg::ShowReplace(QsciScintilla* pEditor)
{
    Show(pEditor, true);
}

bool CFindReplaceDlg::FindNextAgain(QsciScintilla* pEditor)
{
    if (!pEditor || !HasFindText())
        return false;
    return FindNext(pEditor, LastSearch());
}

bool CFindReplaceDlg::HasFindText()
{
    return !LastSearch().strFind.isEmpty();
}

CFindReplaceDlg* CFindReplaceDlg::Instance()
{
    return TheDialog();
}

void CFindReplaceDlg::Show(QsciScintilla* pEditor, bool bReplaceMode)
{
    if (!pEditor)
        return;
    QPointer<CFindReplaceDlg>& dialog = TheDialog();
    if (!dialog)
        dialog = new CFindReplaceDlg(pEditor->window());
    else if (dialog->parentWidget() != pEditor->window())
        dialog->setParent(pEditor->window(), dialog->windowFlags());
    dialog->Open(pEditor, bReplaceMode);
}

CFindReplaceDlg::CFindReplaceDlg(QWidget* pParent) : QDialog(pParent)
{
    setModal(false);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    CreateControls();
    // A dialog made again (its window was closed) starts from the last search.
    const SSearch& search = LastSearch();
    m_pFindEdit->setText(search.strFind);
    m_pReplaceEdit->setText(search.strReplace);
    m_pWholeWordCheck->setChecked(search.bWholeWord);
    m_pMatchCaseCheck->setChecked(search.bMatchCase);
    m_pRegexCheck->setChecked(search.bRegex);
    (search.bDown ? m_pDownRadio : m_pUpRadio)->setChecked(true);
}

void CFindReplaceDlg::Open(QsciScintilla* pEditor, bool bReplaceMode)
{
    m_pEditor = pEditor;
    m_bReplaceMode = bReplaceMode;
    setWindowTitle(bReplaceMode ? QStringLiteral("Replace") : QStringLiteral("Find"));
    const QString strSelected = pEditor->selectedText();
    if (!strSelected.isEmpty() && !strSelected.contains(QLatin1Char('\n'))
        && !strSelected.contains(QLatin1Char('\r')))
        m_pFindEdit->setText(strSelected);
    m_pReplaceLabel->setVisible(bReplaceMode);
    m_pReplaceEdit->setVisible(bReplaceMode);
    m_pReplaceButton->setVisible(bReplaceMode);
    m_pReplaceAllButton->setVisible(bReplaceMode);
    m_pDirectionBox->setVisible(!bReplaceMode);
    UpdateButtons();
    adjustSize();
    show();
    raise();
    activateWindow();
    m_pFindEdit->setFocus();
    m_pFindEdit->selectAll();
}

void CFindReplaceDlg::CreateControls()
{
    auto* pFindLabel = new QLabel(QStringLiteral("Find what:"), this);
    m_pFindEdit = new QLineEdit(this);
    pFindLabel->setBuddy(m_pFindEdit);
    m_pReplaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    m_pReplaceEdit = new QLineEdit(this);
    m_pReplaceLabel->setBuddy(m_pReplaceEdit);
    m_pWholeWordCheck = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    m_pMatchCaseCheck = new QCheckBox(QStringLiteral("Match &case"), this);
    m_pRegexCheck = new QCheckBox(QStringLiteral("Regular e&xpression"), this);

    m_pDirectionBox = new QGroupBox(QStringLiteral("Direction"), this);
    m_pUpRadio = new QRadioButton(QStringLiteral("&Up"), m_pDirectionBox);
    m_pDownRadio = new QRadioButton(QStringLiteral("&Down"), m_pDirectionBox);
    auto* pDirectionLayout = new QHBoxLayout(m_pDirectionBox);
    pDirectionLayout->addWidget(m_pUpRadio);
    pDirectionLayout->addWidget(m_pDownRadio);

    auto* pFields = new QGridLayout;
    pFields->addWidget(pFindLabel, 0, 0);
    pFields->addWidget(m_pFindEdit, 0, 1, 1, 2);
    pFields->addWidget(m_pReplaceLabel, 1, 0);
    pFields->addWidget(m_pReplaceEdit, 1, 1, 1, 2);
    auto* pChecks = new QVBoxLayout;
    pChecks->addWidget(m_pWholeWordCheck);
    pChecks->addWidget(m_pMatchCaseCheck);
    pChecks->addWidget(m_pRegexCheck);
    pFields->addLayout(pChecks, 2, 0, 1, 2, Qt::AlignBottom);
    pFields->addWidget(m_pDirectionBox, 2, 2);
    pFields->setRowStretch(3, 1);

    m_pFindNextButton = new QPushButton(QStringLiteral("&Find Next"), this);
    m_pFindNextButton->setDefault(true);
    m_pReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
    m_pReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
    m_pCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    auto* pButtons = new QVBoxLayout;
    for (QPushButton* pButton :
         {m_pFindNextButton, m_pReplaceButton, m_pReplaceAllButton, m_pCancelButton})
        pButtons->addWidget(pButton);
    pButtons->addStretch(1);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->addLayout(pFields, 1);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_pFindEdit, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    connect(m_pRegexCheck, &QCheckBox::toggled, this, &CFindReplaceDlg::UpdateButtons);
    connect(m_pFindNextButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnFindNext);
    connect(m_pReplaceButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplace);
    connect(m_pReplaceAllButton, &QPushButton::clicked, this, &CFindReplaceDlg::OnReplaceAll);
    connect(m_pCancelButton, &QPushButton::clicked, this, &CFindReplaceDlg::reject);
}

void CFindReplaceDlg::UpdateButtons()
{
    const bool bHasText = !m_pFindEdit->text().isEmpty();
    m_pFindNextButton->setEnabled(bHasText);
    m_pReplaceButton->setEnabled(bHasText);
    m_pReplaceAllButton->setEnabled(bHasText);
    // A regular expression says itself where words end.
    m_pWholeWordCheck->setEnabled(!m_pRegexCheck->isChecked());
}

void CFindReplaceDlg::StoreSearch()
{
    SSearch& search = LastSearch();
    search.strFind = m_pFindEdit->text();
    search.bWholeWord = m_pWholeWordCheck->isChecked();
    search.bMatchCase = m_pMatchCaseCheck->isChecked();
    search.bRegex = m_pRegexCheck->isChecked();
    // Replacing always goes down the text.
    search.bDown = m_bReplaceMode || m_pDownRadio->isChecked();
    if (m_bReplaceMode)
        search.strReplace = m_pReplaceEdit->text();
}

void CFindReplaceDlg::OnFindNext()
{
    StoreSearch();
    if (m_pEditor && HasFindText())
        FindNext(m_pEditor, LastSearch());
}

void CFindReplaceDlg::OnReplace()
{
    StoreSearch();
    if (!m_pEditor || !HasFindText())
        return;
    const SSearch& search = LastSearch();
    if (!Fits(m_pEditor, search, true))
        return;
    CTextSearch textSearch(*m_pEditor, search);
    if (textSearch.SelectionIsMatch())
        textSearch.ReplaceSelection();
    FindNext(m_pEditor, search);
}

void CFindReplaceDlg::OnReplaceAll()
{
    StoreSearch();
    if (!m_pEditor || !HasFindText() || CJobGuard::IsRunning()
        || !Fits(m_pEditor, LastSearch(), true))
        return;
    // Window-modal on the editor's window, so it blocks this dialog too.
    CJobProgressDlg progress(QStringLiteral("Finding '%1'...").arg(LastSearch().strFind),
                             m_pEditor->window());
    const std::optional<int> nReplaced =
        CTextSearch(*m_pEditor, LastSearch()).ReplaceAll(progress.Callback(), [&progress] {
            progress.EnterFinalStage(QStringLiteral("Replacing..."));
        });
    progress.Finish();
    if (nReplaced == 0)
        ReportNotFound(LastSearch());
    else if (nReplaced)
        ReportReplaced(m_pEditor, *nReplaced);
}
