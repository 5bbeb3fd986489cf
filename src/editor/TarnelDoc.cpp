#include "TarnelDoc.h"

#include "CommandIds.h"
#include "DocumentFile.h"
#include "DocumentReader.h"
#include "ElementSnippet.h"
#include "FileDialog.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "MessageBox.h"
#include "RecoveryDlg.h"
#include "SafeSaver.h"
#include "StatusNote.h"
#include "StringTable.h"
#include "TarnelView.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateTree.h"
#include "ViewSaving.h"
#include "WellFormedCheck.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcessEnvironment>

CTarnelDoc* g_pDocument = nullptr;

namespace {

const char kHomePage[] = "http://tarnel.example.org/";
// "*" rather than "*.*": on this platform many files have no dot in their name.

QString AskForFileName(bool bSave, const QString& caption, const QString& suggested,
                       const QString& filter, const QString& defaultExt)
{
    return CFileDialog(bSave, caption, suggested, filter, defaultExt, QApplication::activeWindow())
        .DoModal();
}

CTarnelDoc::Answer Ask(const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, LoadString(AFX_IDS_APP_TITLE), text, buttons,
                    QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return CTarnelDoc::Answer::Yes;
    case QMessageBox::No:
        return CTarnelDoc::Answer::No;
    default:
        return CTarnelDoc::Answer::Cancel;
    }
}

}  // namespace

CTarnelDoc::FileNameHook CTarnelDoc::s_fnGetSaveFileName =
    [](const QString& caption, const QString& suggested, const QString& filter,
       const QString& ext) { return AskForFileName(true, caption, suggested, filter, ext); };
CTarnelDoc::FileNameHook CTarnelDoc::s_fnGetOpenFileName =
    [](const QString& caption, const QString& suggested, const QString& filter,
       const QString& ext) { return AskForFileName(false, caption, suggested, filter, ext); };
CTarnelDoc::QuestionHook CTarnelDoc::s_fnAskYesNoCancel = [](const QString& text) {
    return Ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
};
CTarnelDoc::QuestionHook CTarnelDoc::s_fnAskYesNo = [](const QString& text) {
    return Ask(text, QMessageBox::Yes | QMessageBox::No);
};

CDocRecovery::AskHook CTarnelDoc::s_fnAskRecovery = &CRecoveryDlg::Ask;

CTarnelDoc::CTarnelDoc(QObject* parent)
    : QObject(parent), m_strTitle(LoadString(AFX_IDS_UNTITLED)),
      m_recovery(CRecoveryStore::FolderFor(QProcessEnvironment::systemEnvironment()))
{
    g_pDocument = this;
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
}

CTarnelDoc::~CTarnelDoc()
{
    delete m_pTemplateRoot;
}

QByteArray CTarnelDoc::HeaderComment()
{
    return QByteArray("<!-- Document edited with Tarnelix: \"") + kHomePage
           + "\" for updates -->\n";
}

void CTarnelDoc::AddView(CTarnelView* pView)
{
    m_pTextView = pView;
    m_recovery.Attach(pView);
    connect(pView, &QsciScintilla::modificationChanged, this, &CTarnelDoc::documentChanged);
}

void CTarnelDoc::RemoveView(CTarnelView* pView)
{
    if (m_pTextView == pView) {
        disconnect(pView, nullptr, this, nullptr);
        m_recovery.Detach();
        m_pTextView = nullptr;
    }
    if (m_pEditView == pView)
        m_pEditView = nullptr;
}

// ---- life cycle

bool CTarnelDoc::OnNewDocument()
{
    if (m_pTextView) {
        m_pTextView->ClearText();
        m_pTextView->SetSavePoint();
    }
    m_strPathName.clear();
    m_strTitle = LoadString(AFX_IDS_UNTITLED);
    m_diskWatch.Forget();
    m_recovery.Restart(QString(), SFileStamp());
    if (m_pEditView) {
        m_pEditView->ReplaceSelection(HeaderComment());
        m_pEditView->ColorAll();
    }
    emit documentChanged();
    return true;
}

bool CTarnelDoc::LoadText(CDocumentReader& reader, bool bColour, QString& strError)
{
    // What was typed before is coloured first: the load must not find it waiting.
    m_pTextView->FlushTypingColours();
    CJobGuard guard;
    CJobProgressDlg dialog(QStringLiteral("Opening %1...").arg(reader.Path()),
                           m_pTextView->window());
    return m_pTextView->LoadFile(reader, bColour, strError, dialog.Callback());
}

bool CTarnelDoc::OnOpenDocument(const QString& path)
{
    CDocumentReader reader(path);
    QString strError;
    if (!reader.Open(strError)) {
        AfxMessageBox(strError);
        return false;
    }
    if (!m_pTextView)
        return false;
    const bool bColour = m_pEditView == m_pTextView;
    if (!LoadText(reader, bColour, strError)) {
        if (!strError.isEmpty())  // empty: the user cancelled
            AfxMessageBox(strError);
        return false;
    }
    m_pTextView->SetSavePoint();
    if (m_pEditView && !bColour)
        m_pEditView->ColorAll();
    m_diskWatch.Remember(path, reader.Stamp());
    m_recovery.Restart(path, reader.Stamp());
    SetPathName(path);
    if (m_pTextView->isReadOnly())
        ShowStatusNote(m_pTextView, CViewLoader::WideTextNote(path), false);
    else if (m_pTextView->LeftUnwrapped())
        ShowStatusNote(m_pTextView, CViewLoader::UnwrappedNote(path), false);
    return true;
}

bool CTarnelDoc::OnSaveDocument(const QString& path)
{
    if (!m_pTextView)
        return false;
    if (!MayOverwrite(path))
        return false;
    QString strError;
    CSafeSaver saver(path);
    if (!SaveViewText(*m_pTextView, saver, path, strError)) {
        if (!strError.isEmpty())  // empty: the user cancelled
            AfxMessageBox(strError);
        return false;
    }
    m_diskWatch.Remember(path, saver.Stamp());
    m_pTextView->SetSavePoint();
    m_recovery.Restart(path, saver.Stamp());
    SetPathName(path);
    return true;
}

bool CTarnelDoc::DoFileSave()
{
    return DoSave(m_strPathName);
}

bool CTarnelDoc::DoSave(const QString& path)
{
    QString strPath = path;
    if (strPath.isEmpty()) {
        const QString suggested = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
        strPath = s_fnGetSaveFileName(LoadString(AFX_IDS_SAVEFILE), suggested,
                                      LoadString(IDS_ALL_FILES_FILTER), QString());
        if (strPath.isEmpty())
            return false;
    }
    return OnSaveDocument(strPath);
}

bool CTarnelDoc::SaveModified()
{
    if (!IsModified())
        return true;
    const QString prompt = FormatString2(LoadString(AFX_IDP_ASK_TO_SAVE), m_strTitle, QString());
    switch (s_fnAskYesNoCancel(prompt)) {
    case Answer::Yes:
        return DoFileSave();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool CTarnelDoc::IsModified() const
{
    return m_pTextView && m_pTextView->IsTextModified();
}

bool CTarnelDoc::OfferRecovery()
{
    return m_recovery.Offer(s_fnAskRecovery);
}

bool CTarnelDoc::MayOverwrite(const QString& path)
{
    // Another file chosen by Save As was confirmed in the file dialog.
    if (path != m_diskWatch.Path() || m_diskWatch.Check() != CDiskChangeWatch::EChange::Changed)
        return true;
    const QString question =
        QStringLiteral("%1 has been changed by another program since it was opened. Overwrite it?")
            .arg(path);
    return s_fnAskYesNo(question) == Answer::Yes;
}

void CTarnelDoc::CheckDiskChanges()
{
    // A reload in the middle of a job would pull the text from under it; the window is
    // activated again when the job's dialog closes, and asks then.
    if (m_bCheckingDisk || CJobGuard::IsRunning())
        return;
    m_bCheckingDisk = true;
    const QString path = m_diskWatch.Path();
    switch (m_diskWatch.Check()) {
    case CDiskChangeWatch::EChange::None:
        break;
    case CDiskChangeWatch::EChange::Deleted:
        m_diskWatch.Acknowledge();
        AfxMessageBox(QStringLiteral("%1 has been deleted by another program. Save the document "
                                     "to keep its text.")
                          .arg(path));
        break;
    case CDiskChangeWatch::EChange::Changed: {
        m_diskWatch.Acknowledge();
        const QString question =
            IsModified()
                ? QStringLiteral("%1 has been changed by another program. Reload it and lose the "
                                 "changes made here?")
                      .arg(path)
                : QStringLiteral("%1 has been changed by another program. Reload it?").arg(path);
        if (s_fnAskYesNo(question) == Answer::Yes)
            OnOpenDocument(path);
        break;
    }
    }
    m_bCheckingDisk = false;
}

void CTarnelDoc::SetPathName(const QString& path)
{
    m_strPathName = path;
    m_strTitle = QFileInfo(path).fileName();
    emit documentChanged();
}

// ---- forwarding to the panes

void CTarnelDoc::InsertElement(bool block)
{
    if (m_pEditView)
        m_pEditView->InsertElement(block);
}

void CTarnelDoc::FocusTree()
{
    if (m_pTreeView)
        m_pTreeView->FocusPane();
}

void CTarnelDoc::ActivateEditor()
{
    if (m_pEditView)
        m_pEditView->Activate();
}

void CTarnelDoc::GoToLine(int line)
{
    if (m_pEditView)
        m_pEditView->GoToLine(line);
}

QByteArray CTarnelDoc::ComposeElement(const QByteArray& selected, bool block) const
{
    const TemplateNode* pNode = m_pTreeView ? m_pTreeView->GetSelectedNode() : nullptr;
    const std::string text = ComposeElementText(pNode, selected.toStdString(), block);
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void CTarnelDoc::LoadTemplate(const QString& path)
{
    QString strPath = path;
    if (strPath.isEmpty()) {
        strPath = s_fnGetOpenFileName(LoadString(AFX_IDS_OPENFILE), QString(),
                                      LoadString(IDS_TEMPLATE_FILTER), QStringLiteral("xml"));
        if (strPath.isEmpty())
            return;
    }
    delete m_pTemplateRoot;
    m_pTemplateRoot = nullptr;
    if (m_pTreeView)
        m_pTreeView->DeleteAllItems();
    CTemplateParser parser;
    m_pTemplateRoot = parser.LoadFile(strPath, m_pTreeView);
    if (!m_pTemplateRoot)
        AfxMessageBox(parser.ErrorMessage());
}

// ---- the well-formedness check

void CTarnelDoc::CheckWellFormed()
{
    if (!m_pEditView || CJobGuard::IsRunning())
        return;
    CJobProgressDlg dialog(QStringLiteral("Checking %1...").arg(m_pEditView->DocumentName()),
                           m_pEditView->window());
    CheckWellFormed(dialog.Callback());
}

void CTarnelDoc::CheckWellFormed(const JobProgress& progress)
{
    if (!m_pEditView || CJobGuard::IsRunning())
        return;
    const CJobGuard guard;
    CTarnelView& view = *m_pEditView;
    const long long nLength = view.TextLength();
    view.SaveSelection();
    const CheckOutcome outcome = RunWellFormedCheck(
        [&view](char* buffer, long long offset, int count) {
            return view.ReadTextChunk(buffer, offset, count);
        },
        kCheckChunkSize, [&](long long nFed) { return CarryOn(progress, nFed, nLength); });
    if (outcome.cancelled) {
        view.RestoreSelection();
        return;
    }
    CarryOn(progress, nLength, nLength);
    if (!outcome.parserCreated) {
        view.ShowMessage(
            QStringLiteral("The XML parser could not be created; the text was not checked."));
        return;
    }
    if (outcome.wellFormed) {
        view.RestoreSelection();
        view.ShowMessage(LoadString(IDS_CHECK_PASSED));
        return;
    }
    view.GoToLine(static_cast<int>(outcome.line - 1));
    if (outcome.byteIndex >= 0)
        view.ErrorMarker().Mark(outcome.byteIndex);
    view.ShowMessage(FormatCheckError(outcome));
}
