// The one document: its text lives in the editor control; it owns the loaded template tree,
// knows both panes, and loads, saves and checks the text.
#pragma once

#include "CmdTarget.h"
#include "DiskChangeWatch.h"
#include "DocRecovery.h"
#include "DocumentQuestions.h"
#include "JobProgress.h"
#include "TemplateHost.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class CDocumentReader;
class CTarnelView;
class ITemplateTree;
struct TemplateNode;
struct SGrammarModel;
struct STemplateLoad;

class CTarnelDoc : public QObject, public CCmdTarget, public ITemplateHost
{
    Q_OBJECT
public:
    explicit CTarnelDoc(QObject* parent = nullptr);
    ~CTarnelDoc() override;
    CTarnelDoc(const CTarnelDoc&) = delete;
    CTarnelDoc& operator=(const CTarnelDoc&) = delete;

    // The view that holds the text, known from its construction on; it registers as the edit
    // view in its initial update, from which on New writes the header and Open colours.
    void AddView(CTarnelView* pView);
    void RemoveView(CTarnelView* pView);
    void RegisterEditView() { m_bEditViewRegistered = true; }
    bool IsEditViewRegistered() const { return m_pEditView && m_bEditViewRegistered; }

    // Who answers the document's questions: dialogs unless replaced (null restores them).
    void SetQuestions(IDocumentQuestions* pQuestions);
    IDocumentQuestions& Questions() const { return *m_pQuestions; }

    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    bool DoFileSave();
    // An empty path asks for one.
    bool DoSave(const QString& path);
    // Asks whether to save a modified document; false when the user cancels or the save fails.
    bool SaveModified();

    QString GetTitle() const { return m_strTitle; }
    QString GetPathName() const { return m_strPathName; }
    bool IsModified() const;
    // Tells the user when another program changed or deleted the file since it was read or
    // saved, offering to reload it; for when the window becomes active again.
    void CheckDiskChanges();
    // Offers the unsaved changes that a session which ended without saving left for this
    // document (for a new document: those of new documents); true when some were recovered.
    bool OfferRecovery();
    // Puts the text of the file `path` into this new document as an edit (unsaved, undoable,
    // kept for recovery) and removes the file; false with a message naming it.
    bool TakeUntitledText(const QString& path);
    CDocRecovery& Recovery() { return m_recovery; }

    void SetTreeView(ITemplateTree* pTree) override { m_pTreeView = pTree; }
    void InsertElement(bool block) override;
    void FocusTree();
    void ActivateEditor();
    void GoToLine(int line);
    QByteArray ComposeElement(const QByteArray& selected, bool block) const;
    // An empty path asks for the file.
    void LoadTemplate(const QString& path) override;
    // Writes the loaded template tree (a grammar's too) as a template file; asks for the name.
    void SaveTemplateAs();
    // Makes the template tree from the elements the text uses; progress and Cancel when long.
    void TemplateFromDocument();
    void TemplateFromDocument(const JobProgress& progress);
    // The setting: on opening a file, load the template of the user's template folder that
    // matches it (off by default).
    static constexpr char kPickTemplateEntry[] = "PickTemplate";
    static bool PicksTemplate();
    // The rules of the grammar the template was made from; null for a template file.
    const SGrammarModel* TemplateGrammar() const { return m_pTemplateGrammar.get(); }
    // With a progress dialog once it runs longer than half a second; Cancel leaves the caret
    // where it was and shows nothing.
    void CheckWellFormed();
    // Refused while another long job runs.
    void CheckWellFormed(const JobProgress& progress);

    ITemplateTree* m_pTreeView = nullptr;
    CTarnelView* m_pEditView = nullptr;
    TemplateNode* m_pTemplateRoot = nullptr;

    static QByteArray HeaderComment();

signals:
    // Title, path or modified state changed.
    void documentChanged();
    // Another template tree is in the pane.
    void templateChanged();

private:
    void SetPathName(const QString& path);
    // Puts a loaded template tree in place of the current one and into the pane.
    void InstallTemplate(STemplateLoad& load);
    void PickTemplateFor();
    // Puts the file's text in the view, with progress and Cancel for a long one.
    bool LoadText(CDocumentReader& reader, bool bColour, QString& strError);
    // Opens or (`bReload`) reloads the file; a line too long to show at once is shown only as
    // the user chooses.
    bool OpenFile(const QString& path, bool bReload);
    // The user would rather not have the file `path` with its long line: a new document, or
    // after a reload the text as it was before.
    void KeepInsteadOf(const QString& path, bool bReload);
    // Asks, as on opening, about a line too long to show at once that recovered edits brought;
    // false when the user would rather not have them now, which takes them back out.
    bool SettleRecoveredText();
    // False when the file changed on disk and the user would rather not overwrite it.
    bool MayOverwrite(const QString& path);
    // A reload over edits: one undo step, so Undo brings the edits back.
    bool ReloadUndoably(const QString& path);
    // Finds what an unfinished save of `path` left and offers the file's previous bytes back.
    void OfferSaveLeftovers(const QString& path);
    // False when the file is write-protected and the user would rather keep it.
    bool MayReplaceWriteProtected(const QString& path);

    bool m_bEditViewRegistered = false;
    std::unique_ptr<SGrammarModel> m_pTemplateGrammar;
    QString m_strPathName;
    QString m_strTitle;
    CDiskChangeWatch m_diskWatch;
    CDocRecovery m_recovery;
    std::unique_ptr<IDocumentQuestions> m_pDialogQuestions;
    IDocumentQuestions* m_pQuestions;
    bool m_bCheckingDisk = false;  // its questions re-activate the window
};

// The one document, set by its constructor and never cleared.
extern CTarnelDoc* g_pDocument;
