// What a save that never finished (the program killed, the machine down) leaves beside a file:
// the temporary that was to replace it, or the safety copy taken before it was overwritten in
// place, which then holds the file as it was before.
#pragma once

#include <QString>

#include <vector>

struct SSaveLeftover
{
    QString strPath;
    bool bSafetyCopy = false;  // else a temporary: the file itself was never touched
};

class CSaveLeftovers
{
public:
    // Those beside the file a save of `path` writes.
    static std::vector<SSaveLeftover> Of(const QString& path);
    // Writes the safety copy's bytes back into the file in place (keeping its links, owner and
    // access), syncs it and removes the copy. False with `error` naming the file and the reason,
    // the copy kept.
    static bool PutBack(const QString& path, const QString& copy, QString& error);
    // False with `error` naming the file and the reason.
    static bool Remove(const QString& leftover, QString& error);
};
