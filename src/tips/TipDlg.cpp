#include "TipDlg.h"

#include "CommandIds.h"
#include "DocumentFile.h"
#include "MessageBox.h"
#include "Profile.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <climits>
#include <unistd.h>

// Q_INIT_RESOURCE must be used outside any namespace; the library is static.
static void InitTipsResources()
{
    Q_INIT_RESOURCE(tips);
}

namespace {

const QString kSection = QStringLiteral("Tip");
const QString kStartUp = QStringLiteral("StartUp");
const QString kFilePos = QStringLiteral("FilePos");
const QString kTimeStamp = QStringLiteral("TimeStamp");
const QSize kBulbSize(40, 53);

// The dialog's layout in dialog units, as x, y, width, height.
const QRect kDialog(0, 0, 231, 164);
const QRect kBlackFrame(12, 11, 207, 123);
const QRect kTipText(28, 45, 177, 78);
const QRect kStartupCheck(13, 146, 85, 10);
const QRect kNextButton(109, 143, 50, 14);
const QRect kCloseButton(168, 143, 50, 14);
const QRect kBulbArea(20, 17, 190, 111);

}  // namespace

CTipDlg::CTipDlg(QWidget* pParent, const QString& strTipsPath) : QDialog(pParent)
{
    InitTipsResources();
    m_bShowAtStartup = GetProfileInt(kSection, kStartUp, 0) == 0;
    OpenTipsFile(strTipsPath, GetProfileInt(kSection, kFilePos, 0));
    CreateControls();
}

CTipDlg::~CTipDlg()
{
    if (m_pTipsFile) {
        const long nPos = m_pTipsFile->Tell();
        WriteProfileInt(kSection, kFilePos, static_cast<int>(qBound(0L, nPos, long(INT_MAX))));
    }
}

void CTipDlg::OpenTipsFile(const QString& strTipsPath, int nFilePos)
{
    m_pTipsFile = std::make_unique<CTipsFile>(strTipsPath);
    if (!m_pTipsFile->IsOpen()) {
        m_pTipsFile.reset();
        // A file that is there but cannot be read as tips (a pipe, a device) is not missing.
        QString strError;
        const int fd = QFileInfo::exists(strTipsPath) ? OpenRegularFile(strTipsPath, strError) : -1;
        if (fd >= 0)
            ::close(fd);
        m_strTipText = strError.isEmpty() ? LoadString(IDS_TIP_FILE_ABSENT) : strError;
        return;
    }
    const QString strStamp = m_pTipsFile->TimeStamp();
    if (GetProfileString(kSection, kTimeStamp) != strStamp) {
        WriteProfileString(kSection, kTimeStamp, strStamp);
        nFilePos = 0;
    }
    if (!m_pTipsFile->Seek(nFilePos)) {
        // The file stays at its start, where Next Tip reads on.
        AfxMessageBox(IDS_TIP_FILE_CORRUPT);
        return;
    }
    ReadNextTip(m_strTipText);
}

void CTipDlg::ReadNextTip(QString& strTip)
{
    if (!m_pTipsFile)
        return;
    const CTipsFile::EReadResult result = m_pTipsFile->ReadNextTip(strTip);
    for (int i = 0; i < m_pTipsFile->FailedSeeks(); ++i)
        AfxMessageBox(IDS_TIP_FILE_CORRUPT);
    if (result == CTipsFile::EReadResult::NoTips)
        strTip = QStringLiteral("The tips file \"%1\" holds no tips.").arg(m_pTipsFile->Path());
}

int CTipDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CTipDlg::OnInitDialog()
{
    UpdateData(false);
    if (!m_pTipsFile)
        m_pNextButton->setEnabled(false);
}

void CTipDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_bShowAtStartup = m_pStartupCheck->isChecked();
        return;
    }
    m_pStartupCheck->setChecked(m_bShowAtStartup);
    m_pTipLabel->setText(MnemonicDisplayText(m_strTipText));
}

void CTipDlg::OnNextTipButton()
{
    ReadNextTip(m_strTipText);
    UpdateData(false);
}

void CTipDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
    WriteProfileInt(kSection, kStartUp, m_bShowAtStartup ? 0 : 1);
}

void CTipDlg::CreateControls()
{
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_units = CDialogUnits(font());
    setFixedSize(m_units.ToPixels(0, 0, kDialog.width(), kDialog.height()).size());

    m_pTipLabel = new QLabel(this);
    m_pTipLabel->setTextFormat(Qt::PlainText);
    m_pTipLabel->setWordWrap(true);
    m_pTipLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = m_pTipLabel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    m_pTipLabel->setPalette(palette);
    m_pTipLabel->setAutoFillBackground(true);
    m_pTipLabel->setGeometry(m_units.ToPixels(kTipText));

    m_pStartupCheck = new QCheckBox(QStringLiteral("&Show Tips on StartUp"), this);
    m_pStartupCheck->setGeometry(m_units.ToPixels(kStartupCheck));
    m_pNextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_pNextButton->setAutoDefault(false);
    m_pNextButton->setGeometry(m_units.ToPixels(kNextButton));
    m_pCloseButton = new QPushButton(QStringLiteral("&Close"), this);
    m_pCloseButton->setDefault(true);
    m_pCloseButton->setGeometry(m_units.ToPixels(kCloseButton));
    connect(m_pNextButton, &QPushButton::clicked, this, &CTipDlg::OnNextTipButton);
    connect(m_pCloseButton, &QPushButton::clicked, this, &CTipDlg::accept);
}

QRect CTipDlg::BulbRect() const
{
    const QRect area = m_units.ToPixels(kBulbArea);
    return QRect(area.topLeft(), kBulbSize);
}

QRect CTipDlg::HeadingRect() const
{
    const QRect area = m_units.ToPixels(kBulbArea);
    return QRect(area.left() + kBulbSize.width(), area.top(), area.width() - kBulbSize.width(),
                 kBulbSize.height());
}

void CTipDlg::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    painter.fillRect(m_units.ToPixels(kBulbArea), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(m_units.ToPixels(kBlackFrame).adjusted(0, 0, -1, -1));
    QSvgRenderer bulb(QStringLiteral(":/tips/bulb.svg"));
    bulb.render(&painter, BulbRect());
    QFont heading = font();
    heading.setBold(true);
    painter.setFont(heading);
    painter.drawText(HeadingRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     LoadString(IDS_TIP_HEADING));
}
