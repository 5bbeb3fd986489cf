// The document's template tree: loading a template file or a grammar, saving it, making it from
// the text, and picking it by the document opened.
#include "TarnelDoc.h"

#include "CommandIds.h"
#include "DocumentTemplate.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "MessageBox.h"
#include "Profile.h"
#include "StatusNote.h"
#include "StringTable.h"
#include "TarnelView.h"
#include "TemplateNode.h"
#include "TemplateParser.h"
#include "TemplatePicker.h"
#include "TemplateSource.h"
#include "TemplateWriter.h"

#include <QProcessEnvironment>

namespace {

// Enough of a document's start to hold its DOCTYPE and the document element's start tag.
constexpr std::size_t kIdentityBytes = 65536;

}  // namespace

void CTarnelDoc::LoadTemplate(const QString& path)
{
    QString strPath = path;
    if (strPath.isEmpty()) {
        strPath =
            m_pQuestions->OpenFileName(LoadString(AFX_IDS_OPENFILE), QString(),
                                       LoadString(IDS_TEMPLATE_FILTER), QStringLiteral("xml"));
        if (strPath.isEmpty())
            return;
    }
    // The old template and its tree stay until the new one has loaded.
    STemplateLoad load = LoadTemplateSource(strPath, nullptr);
    if (!load.root) {
        const QString message = load.strError;
        AfxMessageBox(message.contains(strPath) ? message
                                                : strPath + QStringLiteral(": ") + message);
        return;
    }
    InstallTemplate(load);
}

void CTarnelDoc::InstallTemplate(STemplateLoad& load)
{
    delete m_pTemplateRoot;
    m_pTemplateRoot = load.root.release();
    m_pTemplateGrammar.reset(
        load.strGrammarKind.isEmpty() ? nullptr : new SGrammarModel(std::move(load.model)));
    if (m_pTreeView) {
        m_pTreeView->DeleteAllItems();
        CTemplateParser::InsertTopLevel(*m_pTemplateRoot, m_pTreeView);
    }
    emit templateChanged();
}

void CTarnelDoc::TemplateFromDocument()
{
    if (!m_pEditView || CJobGuard::IsRunning())
        return;
    CJobProgressDlg dialog(
        QStringLiteral("Reading the elements of %1...").arg(m_pEditView->DocumentName()),
        m_pEditView->window());
    TemplateFromDocument(dialog.Callback());
}

void CTarnelDoc::TemplateFromDocument(const JobProgress& progress)
{
    if (!m_pEditView || CJobGuard::IsRunning())
        return;
    const CJobGuard guard;
    SDocumentElements scan = ScanDocumentElements(*m_pEditView, progress);
    if (scan.bCancelled)
        return;
    if (scan.model.roots.empty()) {
        AfxMessageBox(QStringLiteral("%1 has no elements to make a template of.")
                          .arg(m_pEditView->DocumentName()));
        return;
    }
    // What a document uses is no grammar: nothing is greyed by it.
    STemplateLoad load = TemplateFromGrammar(std::move(scan.model), QString());
    InstallTemplate(load);
}

void CTarnelDoc::SaveTemplateAs()
{
    if (!m_pTemplateRoot)
        return;
    const QString strPath = m_pQuestions->SaveFileName(
        QStringLiteral("Save Template As"), QString(),
        QStringLiteral("XML Files (*.xml);;All Files (*)"), QStringLiteral("xml"));
    if (strPath.isEmpty())
        return;
    const QString strError = SaveTemplateFile(*m_pTemplateRoot, strPath);
    if (!strError.isEmpty())
        AfxMessageBox(strError);
}

bool CTarnelDoc::PicksTemplate()
{
    return GetProfileInt(QStringLiteral("Settings"), QString::fromLatin1(kPickTemplateEntry), 0)
           != 0;
}

void CTarnelDoc::PickTemplateFor()
{
    if (!m_pEditView || !PicksTemplate())
        return;
    QByteArray head(static_cast<qsizetype>(kIdentityBytes), '\0');
    head.resize(static_cast<qsizetype>(m_pEditView->Read(0, head.data(), kIdentityBytes)));
    const STemplatePick pick = PickTemplate(
        UserTemplateFolder(QProcessEnvironment::systemEnvironment()), IdentifyDocument(head));
    if (pick.strPath.isEmpty())
        return;
    STemplateLoad load = LoadTemplateSource(pick.strPath, nullptr);
    if (!load.root) {
        ShowStatusNote(m_pEditView, load.strError, false);
        return;
    }
    InstallTemplate(load);
    ShowStatusNote(m_pEditView,
                   QStringLiteral("Template %1 loaded: it matches the document's %2.")
                       .arg(pick.strPath, pick.strReason),
                   false);
}
