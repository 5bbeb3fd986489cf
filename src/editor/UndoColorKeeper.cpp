#include "UndoColorKeeper.h"

#include "TarnelView.h"
#include "ViewColorizer.h"

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
    m_changed.Clear();
    step();
    m_bRunning = false;
    if (!m_changed.IsEmpty())
        m_colorizer.ColorAround(m_changed.Start(), m_changed.End());
}

void CUndoColorKeeper::OnBeforeChange(long long nPosition, int nType, long long nLength)
{
    if (!m_bRunning || !(nType & (Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO)))
        return;
    if (nType & Sci::SC_MOD_BEFOREINSERT)
        m_changed.Insert(nPosition, nLength);
    else if (nType & Sci::SC_MOD_BEFOREDELETE)
        m_changed.Delete(nPosition, nLength);
}
