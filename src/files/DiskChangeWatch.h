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

    // What happened to the remembered file since the user was last told; None when nothing is
    // remembered.
    EChange Check() const;
    // The user has been told: Check() is quiet until the file changes again.
    void Acknowledge();
    // What happened since we last read or wrote the file, told or not: a save must still ask.
    EChange CheckSinceOurs() const;

    const QString& Path() const { return m_strPath; }

private:
    EChange Compare(const SFileStamp& known) const;

    QString m_strPath;
    SFileStamp m_ours;
    SFileStamp m_told;
};
