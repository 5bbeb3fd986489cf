#include "TarnelDoc.h"

#include "CommandIds.h"
#include "DocumentCodec.h"
#include "DocumentFile.h"
#include "DocumentReader.h"
#include "ElementSnippet.h"
#include "FileCodec.h"
#include "GrammarModel.h"
#include "DialogQuestions.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "LineLengthScan.h"
#include "LongLineAdvice.h"
#include "LongLineQuestion.h"
#include "MessageBox.h"
#include "Profile.h"
#include "SafeSaver.h"
#include "SaveLeftovers.h"
#include "StatusNote.h"
#include "StringTable.h"
#include "TarnelView.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplateTree.h"
#include "ViewSaving.h"
#include "WellFormedCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <algorithm>

CTarnelDoc* g_pDocument = nullptr;

namespace {

const char kHomePage[] = "http://tarnel.example.org/";

CheckReader StringReader(const std::string& bytes)
{
    return [&bytes](char* buffer, long long offset, int count) {
        const auto nStart = std::min(static_cast<std::size_t>(offset), bytes.size());
        const std::size_t nCount = std::min(static_cast<std::size_t>(count), bytes.size() - nStart);
        std::copy_n(bytes.data() + nStart, nCount, buffer);
        return static_cast<int>(nCount);
    };
}

QString WriteProtectedNote(const QString& path)
{
    return QStringLiteral("%1 is write-protected: saving asks before replacing it.").arg(path);
}

}  // namespace

CTarnelDoc::CTarnelDoc(QObject* parent)
    : QObject(parent), m_strTitle(LoadString(AFX_IDS_UNTITLED)),
      m_recovery(CRecoveryStore::FolderFor(QProcessEnvironment::systemEnvironment())),
      m_pDialogQuestions(std::make_unique<CDialogQuestions>()),
      m_pQuestions(m_pDialogQuestions.get())
{
    g_pDocument = this;
    OnCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
    OnCommand(ID_FILE_TEMPLATE_FROM_DOCUMENT, [this] { TemplateFromDocument(); });
    OnCommand(
        ID_FILE_PICK_TEMPLATE,
        [] {
            WriteProfileInt(QStringLiteral("Settings"), QString::fromLatin1(kPickTemplateEntry),
                            PicksTemplate() ? 0 : 1);
        },
        [](CCmdUI& ui) { ui.SetCheck(PicksTemplate() ? 1 : 0); });
    OnCommand(
        ID_FILE_SAVE_TEMPLATE_AS, [this] { SaveTemplateAs(); },
        [this](CCmdUI& ui) { ui.Enable(m_pTemplateRoot && m_pTemplateRoot->childCount > 0); });
    m_recovery.SetNewDocumentText(HeaderComment());
    connect(&m_recovery, &CDocRecovery::problem, this, [this](const QString& message) {
        if (m_pEditView)
            ShowStatusNote(m_pEditView, message, true);
        else
            AfxMessageBox(message);
    });
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
    m_pEditView = pView;
    m_bEditViewRegistered = false;
    m_recovery.Attach(pView);
    connect(pView, &QsciScintilla::modificationChanged, this, &CTarnelDoc::documentChanged);
}

void CTarnelDoc::RemoveView(CTarnelView* pView)
{
    if (m_pEditView != pView)
        return;
    disconnect(pView, nullptr, this, nullptr);
    m_recovery.Detach();
    m_pEditView = nullptr;
}

void CTarnelDoc::SetQuestions(IDocumentQuestions* pQuestions)
{
    m_pQuestions = pQuestions ? pQuestions : m_pDialogQuestions.get();
}

// ---- life cycle

bool CTarnelDoc::OnNewDocument()
{
    m_strPathName.clear();
    m_strTitle = LoadString(AFX_IDS_UNTITLED);
    m_diskWatch.Forget();
    // The header is part of the new document, not an edit: nothing to undo, nothing modified.
    QByteArray text;
    if (m_pEditView) {
        m_pEditView->ClearText();
        if (IsEditViewRegistered()) {
            text = HeaderComment();
            m_pEditView->ReplaceSelection(text);
            m_pEditView->ColorAll();
        }
        m_pEditView->EmptyUndoBuffer();
        m_pEditView->SetSavePoint();
    }
    m_recovery.Restart(QString(), SFileStamp(), text.size(),
                       CContentDigest::Of(text.constData(), static_cast<std::size_t>(text.size())));
    emit documentChanged();
    return true;
}

bool CTarnelDoc::LoadText(CDocumentReader& reader, bool bColour, QString& strError)
{
    // What was typed before is coloured first: the load must not find it waiting.
    m_pEditView->FlushTypingColours();
    CJobGuard guard;
    CJobProgressDlg dialog(QStringLiteral("Opening %1...").arg(reader.Path()),
                           m_pEditView->window());
    return m_pEditView->LoadFile(reader, bColour, strError, dialog.Callback());
}

void CTarnelDoc::OfferSaveLeftovers(const QString& path)
{
    for (const SSaveLeftover& leftover : CSaveLeftovers::Of(path)) {
        QString strError;
        if (!leftover.bSafetyCopy) {
            // The file itself was never touched: the unfinished new one is of no use.
            if (!CSaveLeftovers::Remove(leftover.strPath, strError))
                AfxMessageBox(strError);
            continue;
        }
        const QString question =
            QStringLiteral("A save of %1 did not finish: the file may hold part of the new text "
                           "and part of the old. %2 holds the file as it was before that save. "
                           "Put it back? The changes that were being saved can then be "
                           "recovered.")
                .arg(path, leftover.strPath);
        if (m_pQuestions->AskYesNo(question, false) == IDocumentQuestions::EAnswer::Yes
            && !CSaveLeftovers::PutBack(path, leftover.strPath, strError))
            AfxMessageBox(strError);
    }
}

bool CTarnelDoc::OnOpenDocument(const QString& path)
{
    return OpenFile(path, false);
}

bool CTarnelDoc::OpenFile(const QString& path, bool bReload)
{
    OfferSaveLeftovers(path);
    CDocumentReader reader(path);
    QString strError;
    if (!reader.Open(strError)) {
        AfxMessageBox(strError);
        return false;
    }
    if (!m_pEditView)
        return false;
    const bool bColour = IsEditViewRegistered();
    if (!LoadText(reader, bColour, strError)) {
        if (!strError.isEmpty())  // empty: the user cancelled
            AfxMessageBox(strError);
        return false;
    }
    const CLongLineQuestion question(*m_pQuestions, *m_pEditView);
    const long long nLongest = m_pEditView->LongestLine();
    const ELongLineChoice choice = question.Ask(path, nLongest, question.ViewReader());
    if (choice == ELongLineChoice::NotOpened) {
        KeepInsteadOf(path, bReload);
        return false;
    }
    m_pEditView->SetSavePoint();
    m_diskWatch.Remember(path, reader.Stamp());
    m_recovery.Restart(path, reader.Stamp(), m_pEditView->Length(), reader.Digest());
    SetPathName(path);
    question.CarryOut(choice, nLongest);
    PickTemplateFor();
    if (m_pEditView->isReadOnly())
        ShowStatusNote(m_pEditView, m_pEditView->ReadOnlyNote(path), false);
    else if (IsWriteProtected(path))
        ShowStatusNote(m_pEditView, WriteProtectedNote(path), false);
    else if (m_pEditView->LeftUnwrapped())
        ShowStatusNote(m_pEditView, CViewLoader::UnwrappedNote(path), false);
    return true;
}

void CTarnelDoc::KeepInsteadOf(const QString& path, bool bReload)
{
    if (!bReload) {
        OnNewDocument();
        m_pEditView->ShowHeldText();
        return;
    }
    // Still told apart from the file: saving asks before overwriting it.
    m_pEditView->PutBackPreviousText();
    ShowStatusNote(m_pEditView,
                   QStringLiteral("%1 was not reloaded: the text here is as it was.").arg(path),
                   false);
}

bool CTarnelDoc::OnSaveDocument(const QString& path)
{
    if (!m_pEditView)
        return false;
    if (!MayOverwrite(path) || !MayReplaceWriteProtected(path))
        return false;
    QString strError;
    CSafeSaver saver(path);
    if (!SaveViewText(*m_pEditView, saver, path, strError)) {
        if (!strError.isEmpty())  // empty: the user cancelled
            AfxMessageBox(strError);
        return false;
    }
    m_diskWatch.Remember(path, saver.Stamp());
    m_pEditView->SetSavePoint();
    m_recovery.Restart(path, saver.Stamp(), m_pEditView->Length(), saver.Digest());
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
        strPath = m_pQuestions->SaveFileName(LoadString(AFX_IDS_SAVEFILE), suggested,
                                             LoadString(IDS_DOCUMENT_FILTER), QString());
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
    switch (m_pQuestions->AskYesNoCancel(prompt)) {
    case IDocumentQuestions::EAnswer::Yes:
        return DoFileSave();
    case IDocumentQuestions::EAnswer::No:
        return true;
    case IDocumentQuestions::EAnswer::Cancel:
        break;
    }
    return false;
}

bool CTarnelDoc::IsModified() const
{
    return m_pEditView && m_pEditView->IsTextModified();
}

bool CTarnelDoc::OfferRecovery()
{
    const CDocRecovery::AskHook ask = [this](const QString& text, bool bCanRecover) {
        return m_pQuestions->AskRecovery(text, bCanRecover);
    };
    // A line the user already chose to show as it is is not asked about again.
    if (!m_pEditView || CLongLineAdvice(m_pEditView->LongestLine()).NeedsChoice())
        return m_recovery.Offer(ask);
    CDocRecovery::SReplayHooks hooks;
    hooks.before = [this](qint64 nInserted) {
        // Wrapping would lay a long line out as it comes in.
        m_pEditView->HoldLongLine(m_pEditView->Length() + nInserted);
    };
    hooks.keep = [this] { return SettleRecoveredText(); };
    return m_recovery.Offer(ask, hooks);
}

bool CTarnelDoc::SettleRecoveredText()
{
    // No line of a text this short can be too long; a longer one is measured where it lies.
    CLineLengthScan lines;
    if (CLongLineAdvice(m_pEditView->Length()).NeedsChoice())
        for (const SByteSpan& piece : m_pEditView->TextPieces())
            lines.Feed(piece.pData, piece.nSize);
    const long long nLongest = lines.Longest();
    if (!CLongLineAdvice(nLongest).NeedsChoice()) {
        m_pEditView->ShowWithoutLongLine();
        return true;
    }
    const CLongLineQuestion question(*m_pQuestions, *m_pEditView);
    const ELongLineChoice choice =
        question.Ask(m_pEditView->DocumentName(), nLongest, question.ViewReader());
    if (choice == ELongLineChoice::NotOpened) {
        m_pEditView->UndoAndForget();
        m_pEditView->GoToLine(0);  // where the text showed before
        m_pEditView->ShowHeldText();
        ShowStatusNote(m_pEditView,
                       QStringLiteral("%1: the unsaved changes were not recovered; they are "
                                      "offered again later.")
                           .arg(m_pEditView->DocumentName()),
                       false);
        return false;
    }
    question.CarryOut(choice, nLongest);
    return true;
}

bool CTarnelDoc::TakeUntitledText(const QString& path)
{
    CDocumentReader reader(path);
    QString strError;
    QByteArray bytes;
    CLineLengthScan lines;
    try {
        if (reader.Open(strError))
            for (qint64 nRead; (nRead = reader.ReadChunk(strError)) > 0;) {
                bytes.append(reader.Data(), static_cast<qsizetype>(nRead));
                lines.Feed(reader.Data(), static_cast<std::size_t>(nRead));
            }
    } catch (const std::bad_alloc&) {
        strError = OutOfMemorySentence(path);
    }
    if (!strError.isEmpty() || !m_pEditView) {
        AfxMessageBox(strError);
        return false;
    }
    const CLongLineQuestion question(*m_pQuestions, *m_pEditView);
    const ELongLineChoice choice =
        question.Ask(path, lines.Longest(), CLongLineQuestion::BytesReader(bytes));
    if (choice == ELongLineChoice::NotOpened) {
        // The file is all there is of that text.
        ShowStatusNote(m_pEditView,
                       QStringLiteral("The text was not shown: it stays in %1.").arg(path), false);
        return false;
    }
    QFile::remove(path);
    m_pEditView->LoadBytes(QByteArray(), reader.IsUtf8());
    m_pEditView->HoldLongLine(lines.Longest());
    m_pEditView->Replace(0, 0, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    bytes.clear();
    m_pEditView->ColorAll();
    question.CarryOut(choice, lines.Longest());
    m_pEditView->GoToLine(0);
    return true;
}

bool CTarnelDoc::MayReplaceWriteProtected(const QString& path)
{
    if (!IsWriteProtected(path))
        return true;
    const QString question = QStringLiteral("%1 is write-protected. Replace it anyway?").arg(path);
    return m_pQuestions->AskYesNo(question, true) == IDocumentQuestions::EAnswer::Yes;
}

bool CTarnelDoc::MayOverwrite(const QString& path)
{
    // Another file chosen by Save As was confirmed in the file dialog.
    if (path != m_diskWatch.Path()
        || m_diskWatch.CheckSinceOurs() != CDiskChangeWatch::EChange::Changed)
        return true;
    const QString question =
        QStringLiteral("%1 has been changed by another program since it was opened. Overwrite it?")
            .arg(path);
    return m_pQuestions->AskYesNo(question, true) == IDocumentQuestions::EAnswer::Yes;
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
        if (m_pQuestions->AskYesNo(question, IsModified()) == IDocumentQuestions::EAnswer::Yes)
            IsModified() ? ReloadUndoably(path) : OpenFile(path, true);
        break;
    }
    }
    m_bCheckingDisk = false;
}

bool CTarnelDoc::ReloadUndoably(const QString& path)
{
    CDocumentReader reader(path);
    QString strError;
    SFileText text;
    if (!reader.Open(strError) || !m_pEditView->ReadForReplace(reader, text, strError)) {
        if (!strError.isEmpty()) {
            AfxMessageBox(strError);
            return false;
        }
        // Opens read-only now, which could not be undone: the edits go where a new document
        // finds them.
        const QByteArray typed = m_pEditView->TextBytes();
        if (!CRecoveryStore(CRecoveryStore::FolderFor(QProcessEnvironment::systemEnvironment()))
                 .LeaveAsNewDocument(typed, strError)) {
            AfxMessageBox(strError);
            return false;
        }
        // Told even when the file did not open (a read error, or Cancel at its long line): the
        // edits are no longer only in the window.
        const bool bOpened = OnOpenDocument(path);
        const QString note =
            bOpened ? m_pEditView->ReadOnlyNote(path) + QLatin1Char(' ') : QString();
        AfxMessageBox(
            note
            + QStringLiteral("The text it replaced is kept: File > New offers to recover it."));
        return bOpened;
    }
    const CLongLineQuestion question(*m_pQuestions, *m_pEditView);
    const long long nLongest = text.nLongestLine;
    const ELongLineChoice choice =
        question.Ask(path, nLongest, CLongLineQuestion::BytesReader(text.bytes));
    if (choice == ELongLineChoice::NotOpened) {
        ShowStatusNote(m_pEditView,
                       QStringLiteral("%1 was not reloaded: the text here is as it was, with its "
                                      "changes not saved.")
                           .arg(path),
                       false);
        return false;
    }
    m_pEditView->ReplaceWith(text);
    text = SFileText();
    m_pEditView->SetSavePoint();
    m_diskWatch.Remember(path, reader.Stamp());
    m_recovery.Restart(path, reader.Stamp(), m_pEditView->Length(), reader.Digest());
    question.CarryOut(choice, nLongest);
    ShowStatusNote(
        m_pEditView,
        QStringLiteral("%1 was reloaded. Undo brings back the text it replaced.").arg(path), false);
    return true;
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
    // A text decoded for editing is checked as its file's bytes, as other programs read them.
    const CFileCodec* pCodec = DocumentCodec(view);
    std::string fileBytes;
    if (pCodec) {
        std::string strReason;
        if (!pCodec->Encode(view.Text(0, view.TextLength()), fileBytes, strReason)) {
            view.ShowMessage(QStringLiteral("%1 was not checked: %2.")
                                 .arg(view.DocumentName(), QString::fromStdString(strReason)));
            return;
        }
    }
    const long long nLength = pCodec ? static_cast<long long>(fileBytes.size()) : view.TextLength();
    const CheckReader readView = [&view](char* buffer, long long offset, int count) {
        return view.ReadTextChunk(buffer, offset, count);
    };
    view.SaveSelection();
    const CheckOutcome outcome =
        RunWellFormedCheck(pCodec ? StringReader(fileBytes) : readView, kCheckChunkSize,
                           [&](long long nFed) { return CarryOn(progress, nFed, nLength); });
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
        view.ErrorMarker().Mark(view.TextOffsetOf(outcome.byteIndex));
    view.ShowMessage(FormatCheckError(outcome));
}
