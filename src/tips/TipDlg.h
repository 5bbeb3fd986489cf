// The Tip of the Day dialog: one tip from the tips file, the start-up choice, the place kept.
#pragma once

#include "DialogUnits.h"

#include "TipsReader.h"

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

class CTipDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTipDlg(QWidget* pParent = nullptr,
                     const QString& strTipsPath = QStringLiteral("tips.txt"));
    ~CTipDlg() override;

    // Fills the controls from the members, then runs the dialog; IDOK or IDCANCEL.
    int DoModal();
    void OnInitDialog();
    // true: controls -> members; false: members -> controls.
    void UpdateData(bool bSaveAndValidate);

    QCheckBox* StartupCheckBox() const { return m_pStartupCheck; }
    QPushButton* NextTipButton() const { return m_pNextButton; }
    QPushButton* CloseButton() const { return m_pCloseButton; }
    QLabel* TipLabel() const { return m_pTipLabel; }

    // Where the bulb and the heading are painted, in dialog coordinates.
    QRect BulbRect() const;
    QRect HeadingRect() const;

    bool m_bShowAtStartup = false;
    QString m_strTipText;
    std::unique_ptr<CTipsFile> m_pTipsFile;  // null when the tips file cannot be opened

public slots:
    void OnNextTipButton();
    void accept() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    void OpenTipsFile(const QString& strTipsPath, int nFilePos);
    void ReadNextTip(QString& strTip);
    void CreateControls();

    QCheckBox* m_pStartupCheck = nullptr;
    QPushButton* m_pNextButton = nullptr;
    QPushButton* m_pCloseButton = nullptr;
    QLabel* m_pTipLabel = nullptr;
    CDialogUnits m_units;
};
