#include "SlicedPass.h"

void CSlicedPass::Start()
{
    m_bPending = true;
    m_nFrontier = 0;
    m_bSeekRestart = false;
    m_pass.reset();
}

void CSlicedPass::Stop()
{
    m_bPending = false;
    m_pass.reset();
}

long long CSlicedPass::Frontier()
{
    if (m_bSeekRestart) {
        m_nFrontier = RestartAt(m_text, m_nFrontier, false).nStart;
        m_bSeekRestart = false;
    }
    return m_nFrontier;
}

bool CSlicedPass::Slice()
{
    if (!m_pass)
        m_pass.emplace(m_text, SRestart{Frontier(), false});
    const bool bDone = m_pass->Step(m_nSliceBytes);
    m_nFrontier = m_pass->Position();
    if (bDone)
        Stop();
    return bDone;
}

bool CSlicedPass::Finish(const std::function<bool(long long, long long)>& progress)
{
    while (m_bPending) {
        if (!Slice() && progress && !progress(m_nFrontier, m_text.Length()))
            return false;
    }
    return true;
}

void CSlicedPass::ColourAgainFrom(long long position)
{
    // At the frontier too: a deletion ending there may have taken the closer of the token
    // before it.
    if (!m_bPending || position > Frontier())
        return;
    m_nFrontier = position;
    m_bSeekRestart = true;
    m_pass.reset();
}

void CSlicedPass::Edited(long long position, long long length, bool bInsert)
{
    if (!m_bPending)
        return;
    // Bytes not fed yet are read as they will be.
    if (m_pass && position >= m_pass->End())
        return;
    m_pass.reset();
    // In the unfinished token: scanned again from its start, which the change leaves in place.
    if (position >= m_nFrontier)
        return;
    // Before it: the bytes from the frontier on move, and a pass at the start would have
    // coloured them as they are.
    if (bInsert)
        m_nFrontier += length;
    else if (position + length <= m_nFrontier)
        m_nFrontier -= length;
    else {
        // Resolved only when the next slice starts, so no byte is read here.
        m_nFrontier = position;
        m_bSeekRestart = true;
    }
}
