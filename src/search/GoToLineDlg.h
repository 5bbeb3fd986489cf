// Asks for the 0-based line to put the caret on.
#pragma once

#include "DialogUnits.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class CGoToLineDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CGoToLineDlg(QWidget* pParent = nullptr);

    // Shows m_nLine in the field, then runs the dialog; IDOK or IDCANCEL.
    int DoModal();
    void OnInitDialog();

    QLineEdit* LineEdit() const { return m_pLineEdit; }
    QPushButton* OkButton() const { return m_pOkButton; }

    int m_nLine = 0;
    // The highest line accepted: the text's last line index.
    int m_nLastLine = 0;

public slots:
    // Keeps the dialog open with the field selected while its text is refused.
    void accept() override;

private:
    QLineEdit* m_pLineEdit = nullptr;
    QPushButton* m_pOkButton = nullptr;
    CDialogUnits m_units;
};
