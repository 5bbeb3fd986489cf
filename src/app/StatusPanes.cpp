#include "StatusPanes.h"

#include "CommandIds.h"
#include "LockKeyState.h"
#include "StringTable.h"

#include <QLabel>
#include <QStatusBar>

#include <optional>

namespace {

const int kIndicatorIds[3] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const LockKey kIndicatorKeys[3] = {LockKey::Caps, LockKey::Num, LockKey::Scroll};

}  // namespace

CStatusPanes::CStatusPanes(QStatusBar* pBar)
{
    pBar->addWidget(new QLabel(LoadString(AFX_IDS_IDLEMESSAGE), pBar), 1);
    m_pElementPath = new QLabel(pBar);
    m_pElementPath->setObjectName(QStringLiteral("elementPath"));
    m_pElementPath->setTextFormat(Qt::RichText);
    QObject::connect(m_pElementPath, &QLabel::linkActivated, m_pElementPath,
                     [this](const QString& link) {
                         if (m_onStepClicked)
                             m_onStepClicked(link.toInt());
                     });
    pBar->addPermanentWidget(m_pElementPath);
    m_pCaretPosition = new QLabel(pBar);
    m_pCaretPosition->setObjectName(QStringLiteral("caretPosition"));
    m_pCaretPosition->setMinimumWidth(
        m_pCaretPosition->fontMetrics().horizontalAdvance(QStringLiteral("Ln 999999, Col 9999")));
    pBar->addPermanentWidget(m_pCaretPosition);
    ShowCaretPosition(1, 1);
    for (std::size_t i = 0; i < m_pIndicators.size(); ++i) {
        auto* indicator = new QLabel(pBar);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(
            indicator->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        indicator->setObjectName(QStringLiteral("indicator%1").arg(kIndicatorIds[i]));
        pBar->addPermanentWidget(indicator);
        m_pIndicators[i] = indicator;
    }
}

void CStatusPanes::ShowCaretPosition(long long nLine, long long nColumn)
{
    m_pCaretPosition->setText(QStringLiteral("Ln %1, Col %2").arg(nLine).arg(nColumn));
}

void CStatusPanes::ShowElementPath(const QStringList& steps)
{
    QString html;
    for (int i = 0; i < steps.size(); ++i)
        html += QStringLiteral("/<a href=\"%1\" style=\"text-decoration:none\">%2</a>")
                    .arg(i)
                    .arg(steps.at(i).toHtmlEscaped());
    m_pElementPath->setText(html);
}

void CStatusPanes::UpdateIndicators()
{
    for (std::size_t i = 0; i < m_pIndicators.size(); ++i) {
        const std::optional<bool> on = IsLockKeyOn(kIndicatorKeys[i]);
        m_pIndicators[i]->setText(on.value_or(false) ? LoadString(kIndicatorIds[i]) : QString());
    }
}
