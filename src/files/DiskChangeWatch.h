// Notices when another program changed or deleted the document's file since it was read or
// last written.
#pragma once

#include "FileStamp.h"

#include <QString>

class CDiskChangeWatch
{
public:
    enum class EChange
    {
        None,
        Changed,
        Deleted
    };

    // The file as read or written by us.
    void Remember(const QString& path, const SFileStamp& stamp);
    void Forget();

    // What happened to the remembered file since; None when nothing is remembered.
    EChange Check() const;
    // The user has been told: the file as it is now counts as known.
    void Acknowledge();

    const QString& Path() const { return m_strPath; }

private:
    QString m_strPath;
    SFileStamp m_stamp;
};
