// The folder of recovery files: finds those left by sessions that ended without saving, says
// whether one still applies to its original, and removes them.
#pragma once

#include "RecoveryCodec.h"

#include <QDateTime>
#include <QProcessEnvironment>
#include <QString>

#include <vector>

struct SRecoveryCandidate
{
    QString strFile;
    QDateTime modified;  // when its last edits were written
    SRecoveryContents contents;
};

class CRecoveryStore
{
public:
    enum class EApplies
    {
        Yes,
        OriginChanged,
        OriginGone,
        NothingToRecover
    };

    explicit CRecoveryStore(const QString& folder) : m_strFolder(folder) {}

    // $XDG_STATE_HOME/tarnel, or ~/.local/state/tarnel when that is not set or not absolute.
    static QString FolderFor(const QProcessEnvironment& environment);
    const QString& Folder() const { return m_strFolder; }

    // The readable recovery files of the document `path` (an empty path: of new documents)
    // that no running Tarnel holds, newest first.
    std::vector<SRecoveryCandidate> LeftFor(const QString& path) const;

    // Whether the edits of `contents` can be replayed on `current`, the text the document holds
    // now (the file as just read, or a new document's text).
    static EApplies Check(const SRecoveryContents& contents, const SRecoveryOrigin& current);
    // The question put to the user about `candidate`.
    static QString Question(const SRecoveryCandidate& candidate, EApplies applies);
    // False with `error` naming the file and the reason.
    static bool Remove(const QString& file, QString& error);
    // Leaves `text` in the folder as a new document's unsaved text, synced to disk, to be
    // offered by the next new document; false with `error` naming the file and the reason.
    bool LeaveAsNewDocument(const QByteArray& text, QString& error) const;
    // How a journal names the file `path`: absolute, with links resolved, so that a file
    // opened through a linked folder finds its journals (empty for a new document).
    static QString ResolvedPath(const QString& path);
    // A fresh name for a recovery file of this process.
    static QByteArray NewFileName();

private:
    QString m_strFolder;
};
