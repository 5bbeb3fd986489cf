#include "DiskChangeWatch.h"

void CDiskChangeWatch::Remember(const QString& path, const SFileStamp& stamp)
{
    m_strPath = path;
    m_ours = m_told = stamp;
}

void CDiskChangeWatch::Forget()
{
    m_strPath.clear();
    m_ours = m_told = SFileStamp();
}

CDiskChangeWatch::EChange CDiskChangeWatch::Compare(const SFileStamp& known) const
{
    if (m_strPath.isEmpty())
        return EChange::None;
    const SFileStamp now = SFileStamp::Of(m_strPath);
    if (now == known)
        return EChange::None;
    return now.bExists ? EChange::Changed : EChange::Deleted;
}

CDiskChangeWatch::EChange CDiskChangeWatch::Check() const
{
    return Compare(m_told);
}

CDiskChangeWatch::EChange CDiskChangeWatch::CheckSinceOurs() const
{
    return Compare(m_ours);
}

void CDiskChangeWatch::Acknowledge()
{
    if (!m_strPath.isEmpty())
        m_told = SFileStamp::Of(m_strPath);
}
