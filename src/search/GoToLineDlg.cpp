#include "GoToLineDlg.h"

#include "CommandIds.h"
#include "LineNumberInput.h"
#include "MessageBox.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

CGoToLineDlg::CGoToLineDlg(QWidget* pParent) : QDialog(pParent)
{
    setWindowTitle(QStringLiteral("Go to line:"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_units = CDialogUnits(font());
    setFixedSize(m_units.ToPixels(0, 0, 155, 46).size());

    m_pLineEdit = new QLineEdit(this);
    m_pLineEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_pLineEdit));
    m_pLineEdit->setGeometry(m_units.ToPixels(45, 14, 45, 14));
    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setDefault(true);
    m_pOkButton->setGeometry(m_units.ToPixels(98, 7, 50, 14));
    auto* pCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    pCancelButton->setAutoDefault(false);
    pCancelButton->setGeometry(m_units.ToPixels(98, 24, 50, 14));
    auto* pLabel = new QLabel(QStringLiteral("Number:"), this);
    pLabel->setGeometry(m_units.ToPixels(10, 16, 28, 8).adjusted(0, -2, 8, 2));
    setTabOrder(m_pLineEdit, m_pOkButton);
    setTabOrder(m_pOkButton, pCancelButton);

    connect(m_pOkButton, &QPushButton::clicked, this, &CGoToLineDlg::accept);
    connect(pCancelButton, &QPushButton::clicked, this, &CGoToLineDlg::reject);
    OnInitDialog();
}

int CGoToLineDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CGoToLineDlg::OnInitDialog()
{
    m_pLineEdit->setText(QString::number(m_nLine));
    m_pLineEdit->selectAll();
    m_pLineEdit->setFocus();
}

void CGoToLineDlg::accept()
{
    const CLineNumberInput::SResult result =
        CLineNumberInput::Parse(m_pLineEdit->text(), m_nLastLine);
    if (result.eStatus != CLineNumberInput::EStatus::Ok) {
        AfxMessageBox(CLineNumberInput::Message(result.eStatus, m_nLastLine));
        m_pLineEdit->setFocus();
        m_pLineEdit->selectAll();
        return;
    }
    m_nLine = result.nValue;
    QDialog::accept();
}
