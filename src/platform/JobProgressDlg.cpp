#include "JobProgressDlg.h"

#include <algorithm>

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 500;

}  // namespace

CJobProgressDlg::CJobProgressDlg(const QString& label, QWidget* pParent)
    : m_dialog(label, QStringLiteral("Cancel"), 0, kSteps, pParent)
{
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(kShowAfterMs);
    m_dialog.setWindowTitle(QStringLiteral("Tarnel"));
    // Starts the clock: a first value above the minimum would show the dialog at once.
    m_dialog.setValue(0);
}

bool CJobProgressDlg::Step(long long nDone, long long nTotal)
{
    // A value after Cancel would show the dialog again.
    if (!m_bFinalStage && m_dialog.wasCanceled())
        return false;
    const long long nValue = kSteps * std::clamp(nDone, 0LL, nTotal) / std::max(nTotal, 1LL);
    // Processes events once the dialog shows; the same value again costs nothing.
    m_dialog.setValue(static_cast<int>(nValue));
    return m_bFinalStage || !m_dialog.wasCanceled();
}

JobProgress CJobProgressDlg::Callback()
{
    return [this](long long nDone, long long nTotal) { return Step(nDone, nTotal); };
}

void CJobProgressDlg::EnterFinalStage(const QString& label)
{
    if (m_bFinalStage)
        return;
    m_bFinalStage = true;
    m_dialog.setLabelText(label);
    m_dialog.setCancelButton(nullptr);
}
