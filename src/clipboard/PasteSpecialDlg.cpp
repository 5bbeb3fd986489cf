#include "PasteSpecialDlg.h"

#include "CommandIds.h"
#include "MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

std::vector<SPasteFormat> ClipboardPasteFormats()
{
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    return pData ? CPasteFormats::Offered(*pData) : std::vector<SPasteFormat>();
}

}  // namespace

CPasteSpecialDlg::ModalHook CPasteSpecialDlg::s_fnRunModal;

CPasteSpecialDlg::CPasteSpecialDlg(std::vector<SPasteFormat> formats, QWidget* pParent)
    : QDialog(pParent), m_formats(std::move(formats))
{
    setWindowTitle(QStringLiteral("Paste Special"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_pFormatList = new QListWidget(this);
    for (const SPasteFormat& format : m_formats)
        m_pFormatList->addItem(format.strName);
    m_pFormatList->setCurrentRow(0);
    auto* pLabel = new QLabel(QStringLiteral("&As:"), this);
    pLabel->setBuddy(m_pFormatList);

    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setDefault(true);
    m_pOkButton->setEnabled(!m_formats.empty());
    auto* pCancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    pCancelButton->setAutoDefault(false);

    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(m_pOkButton);
    pButtons->addWidget(pCancelButton);
    pButtons->addStretch();
    auto* pList = new QVBoxLayout;
    pList->addWidget(pLabel);
    pList->addWidget(m_pFormatList);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->addLayout(pList, 1);
    pLayout->addLayout(pButtons);

    connect(m_pOkButton, &QPushButton::clicked, this, &CPasteSpecialDlg::accept);
    connect(pCancelButton, &QPushButton::clicked, this, &CPasteSpecialDlg::reject);
    connect(m_pFormatList, &QListWidget::itemActivated, this, &CPasteSpecialDlg::accept);
    m_pFormatList->setFocus();
}

int CPasteSpecialDlg::DoModal()
{
    setResult(QDialog::Rejected);
    if (s_fnRunModal)
        s_fnRunModal(*this);
    else
        exec();
    return result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CPasteSpecialDlg::accept()
{
    const int nRow = m_pFormatList->currentRow();
    if (nRow < 0 || nRow >= static_cast<int>(m_formats.size()))
        return;  // nothing to paste as: stay open, Cancel still closes
    m_nSelected = nRow;
    QDialog::accept();
}

bool CPasteSpecialDlg::CanPaste()
{
    return !ClipboardPasteFormats().empty();
}

bool CPasteSpecialDlg::Choose(QWidget* pParent, bool bUtf8, const QString& documentName,
                              QByteArray& bytes, const CFileCodec* pCodec)
{
    CPasteSpecialDlg dialog(ClipboardPasteFormats(), pParent);
    if (dialog.Formats().empty() || dialog.DoModal() != IDOK)
        return false;
    const QString strType =
        dialog.Formats()[static_cast<std::size_t>(dialog.m_nSelected)].strMimeType;
    // The dialog's event loop may have let another program replace the clipboard: look again.
    const std::vector<SPasteFormat> formats = ClipboardPasteFormats();
    const QMimeData* pData = QApplication::clipboard()->mimeData();
    if (!pData || std::none_of(formats.begin(), formats.end(), [&](const SPasteFormat& f) {
            return f.strMimeType == strType;
        })) {
        AfxMessageBox(QStringLiteral("Nothing was pasted into %1: the clipboard no longer holds "
                                     "the chosen form.")
                          .arg(documentName));
        return false;
    }
    if (!CPasteFormats::ToDocumentBytes(CPasteFormats::TextOf(*pData, strType), bUtf8, pCodec,
                                        bytes)) {
        AfxMessageBox(QStringLiteral("Nothing was pasted into %1: the text holds characters that "
                                     "%2 cannot store.")
                          .arg(documentName, CPasteFormats::DocumentKind(pCodec)));
        return false;
    }
    return true;
}
