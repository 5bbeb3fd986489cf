#include "JobProgressDlg.h"

#include <algorithm>

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 500;
// A shown dialog lets the window paint at each update; more often would slow the job itself.
constexpr qint64 kUpdateEveryMs = 50;

}  // namespace

CJobProgressDlg::CJobProgressDlg(const QString& label, QWidget* pParent)
    : m_dialog(label, QStringLiteral("Cancel"), 0, kSteps, pParent)
{
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(kShowAfterMs);
    m_dialog.setWindowTitle(QStringLiteral("Tarnel"));
    // Starts the clock: a first value above the minimum would show the dialog at once.
    m_dialog.setValue(0);
    m_clock.start();
}

bool CJobProgressDlg::Step(long long nDone, long long nTotal)
{
    // A value after Cancel would show the dialog again.
    if (!m_bFinalStage && m_dialog.wasCanceled())
        return false;
    // Left alone until it is due to show, though the dialog would show at once for a job it
    // guesses to be long: showing it and painting the window cost more than a short job does.
    const qint64 nDueAt =
        m_dialog.isVisible() ? m_nLastUpdateMs + kUpdateEveryMs : m_dialog.minimumDuration();
    if (nDone < nTotal && m_clock.elapsed() < nDueAt)
        return true;
    m_nLastUpdateMs = m_clock.elapsed();
    const long long nValue = kSteps * std::clamp(nDone, 0LL, nTotal) / std::max(nTotal, 1LL);
    // Processes events once the dialog shows.
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
