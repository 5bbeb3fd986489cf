#include "ToolsCommands.h"

#include "CommandIds.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "ProblemListPane.h"
#include "StatusNote.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "XmlValidator.h"
#include "XsltTransformer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

QString IssueCountSentence(int nCount)
{
    return nCount == 1 ? QStringLiteral("1 validity error")
                       : QStringLiteral("%1 validity errors").arg(nCount);
}

// The extension a transformation's result is best opened with.
QString ResultFileName(const QByteArray& output)
{
    const QByteArray head = output.left(512).trimmed().toLower();
    if (head.startsWith("<!doctype html") || head.startsWith("<html"))
        return QStringLiteral("transformation-result.html");
    if (head.startsWith("<"))
        return QStringLiteral("transformation-result.xml");
    return QStringLiteral("transformation-result.txt");
}

}  // namespace

CToolsCommands::CToolsCommands(CTarnelView& view, CTarnelDoc& document, CProblemListPane& pane,
                               QObject* pParent)
    : QObject(pParent), m_view(view), m_document(document), m_pane(pane), m_marks(&view),
      m_liveCheck(view)
{
    connect(&m_pane, &CProblemListPane::issueChosen, this, &CToolsCommands::GoToIssue);
    m_resultOpener = [](const QString& strPath) {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                       {QStringLiteral("--untitled-from=") + strPath});
    };
    m_browserOpener = [](const QString& strPath) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(strPath));
    };
    m_view.AddObserver(this);
    m_validationPause.setSingleShot(true);
    m_validationPause.setInterval(kValidationPauseMs);
    connect(&m_validationPause, &QTimer::timeout, this, &CToolsCommands::ValidateQuietly);
    RegisterCommands();
}

void CToolsCommands::RegisterCommands()
{
    const auto hasIssues = [this](CCmdUI& ui) { ui.Enable(!m_pane.Issues().isEmpty()); };
    OnCommand(ID_TOOLS_HARD_CHECK, [this] { HardCheck(); });
    OnCommand(
        ID_TOOLS_NEXT_ERROR, [this] { m_pane.Step(1); }, hasIssues);
    OnCommand(
        ID_TOOLS_PREV_ERROR, [this] { m_pane.Step(-1); }, hasIssues);
    OnCommand(ID_TOOLS_CHOOSE_SCHEMA, [this] {
        ChooseFile(m_schemas, tr("Choose Schema"),
                   tr("Grammars (*.xsd *.rng *.dtd);;All Files (*)"));
    });
    OnCommand(ID_TOOLS_XSLT, [this] { TransformWithXslt(); });
    OnCommand(ID_TOOLS_CHOOSE_STYLESHEET, [this] {
        ChooseFile(m_stylesheets, tr("Choose Stylesheet"),
                   tr("XSLT stylesheets (*.xsl *.xslt);;All Files (*)"));
    });
    OnCommand(ID_TOOLS_BROWSER_VIEW, [this] { ShowInBrowser(); });
}

CToolsCommands::~CToolsCommands()
{
    m_view.RemoveObserver(this);
}

bool CToolsCommands::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    return CCmdTarget::OnCmdMsg(nID, pCmdUI) || m_liveCheck.OnCmdMsg(nID, pCmdUI);
}

void CToolsCommands::SetOpeners(Opener resultOpener, Opener browserOpener)
{
    m_resultOpener = std::move(resultOpener);
    m_browserOpener = std::move(browserOpener);
}

void CToolsCommands::HardCheck()
{
    auto pResult = std::make_shared<SValidationResult>();
    const SValidationRequest request{m_view.FileBytes(), m_document.GetPathName(),
                                     m_schemas.ChoiceFor(m_document.GetPathName())};
    m_job.Start(
        [request, pResult](const std::atomic_bool& bCancel) {
            *pResult = ValidateXmlText(request, &bCancel);
        },
        [this, pResult] { ShowValidation(*pResult); }, tr("Validating..."), m_view.window());
}

void CToolsCommands::OnTextEdit(const STextEdit&)
{
    m_lastTransformation.clear();
    m_quietJob.Cancel();
    if (m_liveCheck.IsOn() && m_view.TextLength() <= kLiveValidationLimit)
        m_validationPause.start();
}

void CToolsCommands::ValidateQuietly()
{
    if (m_job.IsRunning())
        return;
    auto pResult = std::make_shared<SValidationResult>();
    const SValidationRequest request{m_view.FileBytes(), m_document.GetPathName(),
                                     m_schemas.ChoiceFor(m_document.GetPathName())};
    m_quietJob.Start(
        [request, pResult](const std::atomic_bool& bCancel) {
            *pResult = ValidateXmlText(request, &bCancel);
        },
        [this, pResult] { ShowQuietValidation(*pResult); });
}

void CToolsCommands::ShowQuietValidation(const SValidationResult& result)
{
    // No grammar, or a text not well-formed (the live check says that): nothing to add.
    if (result.grammarKind == EGrammarKind::None)
        return;
    if (result.validity == EValidity::Valid || result.validity == EValidity::Invalid)
        ShowIssues(result.issues);
}

void CToolsCommands::ShowValidation(const SValidationResult& result)
{
    ShowIssues(result.issues);
    switch (result.validity) {
    case EValidity::Valid:
        ShowStatusNote(&m_view, QString::fromLatin1(kEverythingValid), false);
        return;
    case EValidity::Invalid:
        m_pane.Step(1);  // the caret to the first error; the status bar keeps the count
        ShowStatusNote(&m_view, IssueCountSentence(static_cast<int>(result.issues.size())), false);
        return;
    case EValidity::CannotCheck:
        ShowStatusNote(&m_view, QString(), false);
        AfxMessageBox(result.strMessage);
        return;
    case EValidity::Cancelled:
        return;
    }
}

void CToolsCommands::ShowIssues(const QVector<SValidationIssue>& issues)
{
    m_pane.SetIssues(issues);
    m_pane.setVisible(!issues.isEmpty());
    m_marks.Mark(issues);
}

void CToolsCommands::GoToIssue(int nIndex)
{
    const SValidationIssue& issue = m_pane.Issues().at(nIndex);
    if (issue.nLine <= 0) {  // in a grammar or stylesheet, not in the text
        ShowStatusNote(&m_view, issue.strMessage, false);
        return;
    }
    m_view.GoToLine(static_cast<int>(qMax(0L, issue.nLine - 1)));
    const long nPosition = m_marks.PositionOf(issue.nLine, issue.nColumn);
    m_view.SendScintilla(QsciScintillaBase::SCI_SETSEL, nPosition, nPosition);
    ShowStatusNote(&m_view, issue.strMessage, false);
}

void CToolsCommands::ChooseFile(CGrammarChoices& choices, const QString& strCaption,
                                const QString& strFilter)
{
    const QString strDocument = m_document.GetPathName();
    CFileDialog dialog(false, strCaption, choices.ChoiceFor(strDocument), strFilter, QString(),
                       m_view.window());
    const QString strPath = dialog.DoModal();
    if (!strPath.isEmpty())
        choices.Remember(strDocument, strPath);
}

void CToolsCommands::TransformWithXslt()
{
    auto pResult = std::make_shared<STransformResult>();
    const STransformRequest request{m_view.FileBytes(), m_document.GetPathName(),
                                    m_stylesheets.ChoiceFor(m_document.GetPathName())};
    m_job.Start(
        [request, pResult](const std::atomic_bool& bCancel) {
            *pResult = TransformXmlText(request, &bCancel);
        },
        [this, pResult] { ShowTransformation(*pResult); }, tr("Transforming..."), m_view.window());
}

void CToolsCommands::ShowTransformation(const STransformResult& result)
{
    if (result.bCancelled)
        return;
    ShowIssues(result.bDone ? QVector<SValidationIssue>() : result.issues);
    if (!result.bDone) {
        AfxMessageBox(result.strMessage);
        return;
    }
    m_lastTransformation = result.output;
    const QString strPath = WritePrivateCopy(ResultFileName(result.output), result.output);
    if (strPath.isEmpty())
        return;
    if (!m_resultOpener(strPath))
        AfxMessageBox(QStringLiteral("Tarnel could not be started again to show the result %1.")
                          .arg(strPath));
}

QString CToolsCommands::WritePrivateCopy(const QString& strName, const QByteArray& bytes)
{
    if (!m_pPrivateDir)
        m_pPrivateDir = std::make_unique<QTemporaryDir>();  // made with mode 0700
    QFile file(m_pPrivateDir->filePath(strName));
    const bool bWritten = m_pPrivateDir->isValid()
                          && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                          && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
                          && file.write(bytes) == bytes.size() && file.flush();
    if (!bWritten) {
        AfxMessageBox(QStringLiteral("The copy %1 could not be written: %2.")
                          .arg(file.fileName(), file.errorString()));
        return QString();
    }
    return file.fileName();
}

void CToolsCommands::ShowInBrowser()
{
    const bool bResult = !m_lastTransformation.isEmpty();
    // The document's own extension tells the browser how to show it (.svg, .xhtml).
    QString strSuffix = QFileInfo(m_document.GetPathName()).suffix();
    if (strSuffix.isEmpty())
        strSuffix = QStringLiteral("xml");
    const QString strName = bResult ? ResultFileName(m_lastTransformation)
                                    : QStringLiteral("browser-view.") + strSuffix;
    m_strBrowserCopy =
        WritePrivateCopy(strName, bResult ? m_lastTransformation : m_view.FileBytes());
    if (m_strBrowserCopy.isEmpty())
        return;
    if (!m_browserOpener(m_strBrowserCopy))
        AfxMessageBox(QStringLiteral("No web browser could be started to show %1. Install one, or "
                                     "set the desktop's default program for this kind of file.")
                          .arg(m_strBrowserCopy));
}
