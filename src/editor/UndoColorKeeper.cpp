#include "UndoColorKeeper.h"

#include "TarnelView.h"
#include "ViewColorizer.h"

#include <algorithm>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CUndoColorKeeper::CUndoColorKeeper(CTarnelView& view, CViewColorizer& colorizer)
    : QObject(&view), m_colorizer(colorizer)
{
    // The notifications before each change come whatever the event mask lets through after it.
    connect(&view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int nPosition, int nType, const char*, int nLength) {
                OnBeforeChange(nPosition, nType, nLength);
            });
}

void CUndoColorKeeper::Run(const std::function<void()>& step)
{
    m_bRunning = true;
    m_nStart = m_nEnd = -1;
    step();
    m_bRunning = false;
    if (m_nStart >= 0)
        m_colorizer.ColorAround(m_nStart, m_nEnd);
}

void CUndoColorKeeper::Include(long long nFrom, long long nTo)
{
    m_nStart = m_nStart < 0 ? nFrom : std::min(m_nStart, nFrom);
    m_nEnd = std::max(m_nEnd, nTo);
}

void CUndoColorKeeper::OnBeforeChange(long long nPosition, int nType, long long nLength)
{
    if (!m_bRunning || !(nType & (Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO)))
        return;
    if (nType & Sci::SC_MOD_BEFOREINSERT) {
        if (m_nStart >= nPosition)
            m_nStart += nLength;
        if (m_nEnd >= nPosition)
            m_nEnd += nLength;
        Include(nPosition, nPosition + nLength);
    } else if (nType & Sci::SC_MOD_BEFOREDELETE) {
        const auto after = [&](long long nOffset) {
            return nOffset <= nPosition ? nOffset : std::max(nOffset - nLength, nPosition);
        };
        if (m_nStart >= 0) {
            m_nStart = after(m_nStart);
            m_nEnd = after(m_nEnd);
        }
        Include(nPosition, nPosition);
    }
}
