#include "BackgroundColorizer.h"

#include "JobGuard.h"
#include "TarnelView.h"
#include "ViewColorizer.h"

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CBackgroundColorizer::CBackgroundColorizer(CTarnelView& view, CViewColorizer& colorizer)
    : QObject(&view), m_view(view), m_colorizer(colorizer)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CBackgroundColorizer::OnTimer);
    // The notifications before each change come whatever the event mask lets through.
    connect(&view, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int nPosition, int nType, const char*, int nLength) {
                OnBeforeChange(nPosition, nType, nLength);
            });
    connect(&view, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int nUpdated) {
        if (nUpdated & (Sci::SC_UPDATE_V_SCROLL | Sci::SC_UPDATE_H_SCROLL))
            ColourShownLines();
    });
}

void CBackgroundColorizer::Start()
{
    m_bPending = true;
    m_nFrontier = 0;
    m_bSeekRestart = false;
    m_scanner.reset();
    m_timer.start();
}

void CBackgroundColorizer::Stop()
{
    m_bPending = false;
    m_scanner.reset();
    m_timer.stop();
}

long long CBackgroundColorizer::Frontier()
{
    if (m_bSeekRestart) {
        m_nFrontier = m_colorizer.RestartBefore(m_nFrontier);
        m_bSeekRestart = false;
    }
    return m_nFrontier;
}

bool CBackgroundColorizer::Finish(const JobProgress& progress)
{
    while (m_bPending) {
        if (ColourSlice())
            Stop();
        else if (!CarryOn(progress, m_nFrontier, m_view.TextLength()))
            return false;
    }
    return true;
}

void CBackgroundColorizer::ColourAgainFrom(long long position)
{
    if (!m_bPending || position >= Frontier())
        return;
    m_nFrontier = position;
    m_bSeekRestart = true;
    m_scanner.reset();
}

void CBackgroundColorizer::ColourShownLines()
{
    if (!m_bPending || CJobGuard::IsRunning())
        return;
    const long long nTopLine = m_view.SendScintilla(
        Sci::SCI_DOCLINEFROMVISIBLE, m_view.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long long nLines = m_view.SendScintilla(Sci::SCI_LINESONSCREEN) + 1;
    const long long nFrom =
        m_view.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(nTopLine));
    const long long nTo = m_view.SendScintilla(Sci::SCI_GETLINEENDPOSITION,
                                               static_cast<unsigned long>(nTopLine + nLines));
    // After any ">" a pass over the text as it is reads on as from the start of a text; a
    // restart before the frontier is the slices' own part.
    if (m_colorizer.RestartBefore(nFrom) >= Frontier())
        m_colorizer.ColorAround(nFrom, nTo);
}

void CBackgroundColorizer::OnTimer()
{
    // A long job lets timers run between its steps; its styles or text are not to be touched.
    if (CJobGuard::IsRunning())
        return;
    if (ColourSlice())
        Stop();
}

bool CBackgroundColorizer::ColourSlice()
{
    if (!m_scanner)
        m_scanner.emplace(Frontier());
    const bool bDone = m_colorizer.ColorOn(*m_scanner, kSliceBytes);
    m_nFrontier = m_scanner->Position();
    return bDone;
}

void CBackgroundColorizer::OnBeforeChange(long long position, int type, long long length)
{
    const bool bInsert = type & Sci::SC_MOD_BEFOREINSERT;
    if (!m_bPending || !(bInsert || (type & Sci::SC_MOD_BEFOREDELETE)))
        return;
    // Bytes not fed yet are read as they will be.
    if (m_scanner && position >= m_scanner->End())
        return;
    m_scanner.reset();
    // In the unfinished token: scanned again from its start, which the change leaves in place.
    if (position >= m_nFrontier)
        return;
    // Before it: the bytes from the frontier on move, and a pass at opening would have coloured
    // them as they are.
    if (bInsert)
        m_nFrontier += length;
    else if (position + length <= m_nFrontier)
        m_nFrontier -= length;
    else
        ColourAgainFrom(position);
}
