#include "DiskChangeWatch.h"

void CDiskChangeWatch::Remember(const QString& path, const SFileStamp& stamp)
{
    m_strPath = path;
    m_stamp = stamp;
}

void CDiskChangeWatch::Forget()
{
    m_strPath.clear();
    m_stamp = SFileStamp();
}

CDiskChangeWatch::EChange CDiskChangeWatch::Check() const
{
    if (m_strPath.isEmpty())
        return EChange::None;
    const SFileStamp now = SFileStamp::Of(m_strPath);
    if (now == m_stamp)
        return EChange::None;
    return now.bExists ? EChange::Changed : EChange::Deleted;
}

void CDiskChangeWatch::Acknowledge()
{
    if (!m_strPath.isEmpty())
        m_stamp = SFileStamp::Of(m_strPath);
}
