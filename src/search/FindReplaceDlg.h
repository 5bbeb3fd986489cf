// The editor's modeless Find and Replace dialog (one per process) and the search F3 repeats.
#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QsciScintilla;

class CFindReplaceDlg : public QDialog
{
    Q_OBJECT

public:
    static void ShowFind(QsciScintilla* pEditor);
    static void ShowReplace(QsciScintilla* pEditor);
    // Repeats the last search in its direction, going on from the other end of the text; false
    // when there is no search text yet or no match at all.
    static bool FindNextAgain(QsciScintilla* pEditor);
    static bool HasFindText();
    // The dialog once shown, else null.
    static CFindReplaceDlg* Instance();

    bool IsReplaceMode() const { return m_bReplaceMode; }
    QLineEdit* FindEdit() const { return m_pFindEdit; }
    QLineEdit* ReplaceEdit() const { return m_pReplaceEdit; }
    QCheckBox* WholeWordCheckBox() const { return m_pWholeWordCheck; }
    QCheckBox* MatchCaseCheckBox() const { return m_pMatchCaseCheck; }
    QCheckBox* RegexCheckBox() const { return m_pRegexCheck; }
    QRadioButton* UpButton() const { return m_pUpRadio; }
    QRadioButton* DownButton() const { return m_pDownRadio; }
    QPushButton* FindNextButton() const { return m_pFindNextButton; }
    QPushButton* ReplaceButton() const { return m_pReplaceButton; }
    QPushButton* ReplaceAllButton() const { return m_pReplaceAllButton; }
    QPushButton* CancelButton() const { return m_pCancelButton; }

public slots:
    void OnFindNext();
    void OnReplace();
    void OnReplaceAll();

private:
    explicit CFindReplaceDlg(QWidget* pParent);
    static void Show(QsciScintilla* pEditor, bool bReplaceMode);
    void Open(QsciScintilla* pEditor, bool bReplaceMode);
    void CreateControls();
    void StoreSearch();
    void UpdateButtons();

    QPointer<QsciScintilla> m_pEditor;
    bool m_bReplaceMode = false;
    QLineEdit* m_pFindEdit = nullptr;
    QLabel* m_pReplaceLabel = nullptr;
    QLineEdit* m_pReplaceEdit = nullptr;
    QCheckBox* m_pWholeWordCheck = nullptr;
    QCheckBox* m_pMatchCaseCheck = nullptr;
    QCheckBox* m_pRegexCheck = nullptr;
    QGroupBox* m_pDirectionBox = nullptr;
    QRadioButton* m_pUpRadio = nullptr;
    QRadioButton* m_pDownRadio = nullptr;
    QPushButton* m_pFindNextButton = nullptr;
    QPushButton* m_pReplaceButton = nullptr;
    QPushButton* m_pReplaceAllButton = nullptr;
    QPushButton* m_pCancelButton = nullptr;
};
