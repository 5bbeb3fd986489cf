// The Tools menu's grammar work in the window: Hard checkings (validation), the error list and
// F8 / Shift+F8, Choose Schema, XSLT transformation, Choose Stylesheet and Browser view. The
// editor's text is copied and worked on off the user-interface thread.
#pragma once

#include "BackgroundJob.h"
#include "CmdTarget.h"
#include "GrammarChoices.h"
#include "IssueMarks.h"
#include "LiveCheck.h"
#include "TextBuffer.h"
#include "ValidationResult.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

class CProblemListPane;
class CTarnelDoc;
class CTarnelView;

class CToolsCommands : public QObject, public CCmdTarget, private ITextEditObserver
{
    Q_OBJECT
public:
    CToolsCommands(CTarnelView& view, CTarnelDoc& document, CProblemListPane& pane,
                   QObject* pParent = nullptr);
    ~CToolsCommands() override;

    void HardCheck();
    // With Check as You Type on, a longer pause validates a text of at most 10 MB the same way,
    // quietly: the list and the underlines follow, no message and the caret stays.
    static constexpr int kValidationPauseMs = 1500;
    static constexpr long long kLiveValidationLimit = 10LL << 20;
    void ValidateQuietly();
    CBackgroundJob& QuietJob() { return m_quietJob; }
    void TransformWithXslt();
    void ShowInBrowser();
    void GoToIssue(int nIndex);
    // Tests wait for the running job and its reply.
    CBackgroundJob& Job() { return m_job; }
    CLiveCheck& LiveCheck() { return m_liveCheck; }
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    const QByteArray& LastTransformation() const { return m_lastTransformation; }
    // Where Browser view put its copy; empty before the first.
    QString BrowserCopyPath() const { return m_strBrowserCopy; }
    using Opener = std::function<bool(const QString& strPath)>;
    // What opens a transformation's result (a new Tarnel) and Browser view's copy (the
    // desktop's default program); tests put their own.
    void SetOpeners(Opener resultOpener, Opener browserOpener);

private:
    void RegisterCommands();
    // A result stands for the text it came from only until the text changes.
    void OnTextEdit(const STextEdit&) override;
    void ShowValidation(const SValidationResult& result);
    void ShowQuietValidation(const SValidationResult& result);
    void ShowTransformation(const STransformResult& result);
    void ShowIssues(const QVector<SValidationIssue>& issues);
    void ChooseFile(CGrammarChoices& choices, const QString& strCaption, const QString& strFilter);
    QString WritePrivateCopy(const QString& strName, const QByteArray& bytes);

    CTarnelView& m_view;
    CTarnelDoc& m_document;
    CProblemListPane& m_pane;
    CIssueMarks m_marks;
    CBackgroundJob m_job;
    CBackgroundJob m_quietJob;
    QTimer m_validationPause;
    CLiveCheck m_liveCheck;
    CGrammarChoices m_schemas{QStringLiteral("Schemas")};
    CGrammarChoices m_stylesheets{QStringLiteral("Stylesheets")};
    std::unique_ptr<QTemporaryDir> m_pPrivateDir;  // removed with its files when Tarnel ends
    QByteArray m_lastTransformation;
    QString m_strBrowserCopy;
    Opener m_resultOpener;
    Opener m_browserOpener;
};
