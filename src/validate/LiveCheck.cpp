#include "LiveCheck.h"

#include "CommandIds.h"
#include "DocumentCodec.h"
#include "FileCodec.h"
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

CLiveCheck::CLiveCheck(CTarnelView& view, QObject* pParent)
    : QObject(pParent), m_view(view), m_snapshot(view)
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
        m_snapshot.Cancel();
        m_job.Cancel();
    }
}

void CLiveCheck::OnTextEdit(const STextEdit&)
{
    ++m_nTextVersion;
    m_snapshot.Cancel();
    m_job.Cancel();
    if (m_bOn)
        m_pause.start();
}

void CLiveCheck::CheckNow()
{
    m_snapshot.Start([this](std::shared_ptr<const QByteArray> pText) { Check(std::move(pText)); });
}

void CLiveCheck::Check(std::shared_ptr<const QByteArray> pText)
{
    // A decoded document is checked as its file's bytes, off this thread too.
    const CFileCodec* pCodec = DocumentCodec(m_view);
    auto pMarkAt = std::make_shared<long long>(-1);
    auto pOutcome = std::make_shared<CheckOutcome>();
    const quint64 nVersion = m_nTextVersion;
    m_job.Start(
        [pText, pCodec, pOutcome, pMarkAt](const std::atomic_bool& bCancel) {
            const std::string utf8 = pCodec ? pText->toStdString() : std::string();
            std::string encoded;
            std::string strReason;
            const bool bEncoded = pCodec && pCodec->Encode(utf8, encoded, strReason);
            const std::string_view bytes =
                bEncoded
                    ? std::string_view(encoded)
                    : std::string_view(pText->constData(), static_cast<std::size_t>(pText->size()));
            *pOutcome = RunWellFormedCheck(
                [&](char* buffer, long long offset, int count) {
                    const long long nCount = std::clamp<long long>(
                        static_cast<long long>(bytes.size()) - offset, 0, count);
                    std::copy_n(bytes.data() + offset, nCount, buffer);
                    return static_cast<int>(nCount);
                },
                kCheckChunkSize, [&](long long) { return !bCancel.load(); });
            *pMarkAt = bEncoded && pOutcome->byteIndex >= 0 ? static_cast<long long>(
                           pCodec->TextOffset(utf8, static_cast<std::size_t>(pOutcome->byteIndex)))
                                                            : pOutcome->byteIndex;
        },
        [this, pOutcome, pMarkAt, nVersion] {
            if (nVersion != m_nTextVersion || pOutcome->cancelled || pOutcome->outOfMemory)
                return;
            const bool bHadError = !m_strLastError.isEmpty();
            m_strLastError =
                pOutcome->wellFormed ? QString() : FormatCheckError(*pOutcome).trimmed();
            if (!m_strLastError.isEmpty()) {
                m_view.ErrorMarker().Mark(*pMarkAt);
                ShowStatusNote(&m_view, m_strLastError, false);
            } else if (bHadError) {
                ShowStatusNote(&m_view, QString(), false);
            }
        });
}
