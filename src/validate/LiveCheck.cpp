#include "LiveCheck.h"

#include "CommandIds.h"
#include "Profile.h"
#include "StatusNote.h"
#include "TarnelView.h"
#include "WellFormedCheck.h"

#include <algorithm>
#include <memory>

namespace {

const char kSection[] = "Settings";
const char kEntry[] = "CheckAsYouType";

}  // namespace

CLiveCheck::CLiveCheck(CTarnelView& view, QObject* pParent) : QObject(pParent), m_view(view)
{
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &CLiveCheck::CheckNow);
    m_view.AddObserver(this);
    m_bOn = GetProfileInt(kSection, kEntry, 1) != 0;
    OnCommand(
        ID_VIEW_CHECK_AS_YOU_TYPE, [this] { SetOn(!m_bOn); },
        [this](CCmdUI& ui) { ui.SetCheck(m_bOn ? 1 : 0); });
}

CLiveCheck::~CLiveCheck()
{
    m_view.RemoveObserver(this);
}

void CLiveCheck::SetOn(bool bOn)
{
    m_bOn = bOn;
    WriteProfileInt(kSection, kEntry, bOn ? 1 : 0);
    if (!bOn) {
        m_pause.stop();
        m_job.Cancel();
    }
}

void CLiveCheck::OnTextEdit(const STextEdit&)
{
    ++m_nTextVersion;
    m_job.Cancel();
    if (m_bOn)
        m_pause.start();
}

void CLiveCheck::CheckNow()
{
    const auto pText = std::make_shared<const QByteArray>(m_view.FileBytes());
    auto pOutcome = std::make_shared<CheckOutcome>();
    const quint64 nVersion = m_nTextVersion;
    m_job.Start(
        [pText, pOutcome](const std::atomic_bool& bCancel) {
            *pOutcome = RunWellFormedCheck(
                [&](char* buffer, long long offset, int count) {
                    const long long nCount =
                        std::clamp<long long>(pText->size() - offset, 0, count);
                    std::copy_n(pText->constData() + offset, nCount, buffer);
                    return static_cast<int>(nCount);
                },
                kCheckChunkSize, [&](long long) { return !bCancel.load(); });
        },
        [this, pOutcome, nVersion] {
            if (nVersion != m_nTextVersion || pOutcome->cancelled || pOutcome->outOfMemory)
                return;
            const bool bHadError = !m_strLastError.isEmpty();
            m_strLastError =
                pOutcome->wellFormed ? QString() : FormatCheckError(*pOutcome).trimmed();
            if (!m_strLastError.isEmpty()) {
                m_view.ErrorMarker().Mark(m_view.TextOffsetOf(pOutcome->byteIndex));
                ShowStatusNote(&m_view, m_strLastError, false);
            } else if (bHadError) {
                ShowStatusNote(&m_view, QString(), false);
            }
        });
}
