// The document's side of crash recovery: records the editor's edits in a CRecoveryJournal,
// and offers the edits that a session which ended without saving left for the document.
#pragma once

#include "FileStamp.h"
#include "RecoveryJournal.h"
#include "RecoveryStore.h"
#include "TextBuffer.h"

#include <QObject>
#include <QString>

#include <functional>

class CDocRecovery : public QObject, private ITextEditObserver
{
    Q_OBJECT
public:
    enum class EAnswer
    {
        Recover,
        Discard,
        Later
    };
    // The question, and whether the edits can be recovered at all (else only discarded or
    // kept); returns the user's choice.
    using AskHook = std::function<EAnswer(const QString& text, bool bCanRecover)>;
    // What the document does around a replay of recovered edits into its text.
    struct SReplayHooks
    {
        // Before it; the edits insert `nInserted` bytes in all.
        std::function<void(qint64 nInserted)> before;
        // After it, before the edits' file goes; false when the user would rather not have them
        // now: the hook has put the text back as it was before them, and their file stays to be
        // offered again.
        std::function<bool()> keep;
    };

    explicit CDocRecovery(const QString& folder, QObject* parent = nullptr);

    // Records the edits of `pText` until Detach, which must come before `pText` goes.
    void Attach(ITextBuffer* pText);
    void Detach();

    // The text now equals the file `path` as `stamp` describes it, or (an empty path) is a new
    // document's text; `nLength` and `digest` describe the text (-1 and unknown: the file's
    // size, or an empty new document).
    void Restart(const QString& path, const SFileStamp& stamp, qint64 nLength = -1,
                 const SContentDigest& digest = {});
    // Offers, one after another, the edits left for the current original until one is
    // recovered; true when one was. Edits made on another text than the document's are
    // recovered as the text they typed, into a new document that `openNewDocument` shows.
    bool Offer(const AskHook& ask, const SReplayHooks& hooks = {});
    // Writes the pending edits now and waits for them; true once they are on disk.
    bool FlushNow();
    // Shows a new document, which offers what was left for new documents.
    void SetNewDocumentOpener(std::function<void()> openNewDocument);
    // What a new document may begin with besides nothing: edits a new document's journal made
    // on it are replayed on it, whatever a new document holds when they are recovered.
    void SetNewDocumentText(const QByteArray& text) { m_newDocumentText = text; }
    CRecoveryJournal& Journal() { return m_journal; }

signals:
    // Recording stopped, or recovered text could not be kept; `message` says why.
    void problem(const QString& message);

private:
    void OnTextEdit(const STextEdit& edit) override;
    void OnModifiedChanged(bool bModified) override;
    void CompletePendingInsert();
    bool Recover(const SRecoveryCandidate& candidate, const SReplayHooks& hooks);
    // The text a new document's journal was made on, when it is one a new document may hold.
    bool KnownNewDocumentBase(const SRecoveryOrigin& origin, QByteArray& base) const;
    CRecoveryStore::EApplies Applies(const SRecoveryContents& contents) const;
    bool RecoverAsNewDocument(const SRecoveryCandidate& candidate);
    void RemoveRecovered(const QString& file);

    CRecoveryJournal m_journal;
    CRecoveryStore m_store;
    ITextBuffer* m_pText = nullptr;
    // An insertion is announced before it is made: its bytes are read at the next edit or flush.
    qint64 m_nPendingPos = -1;
    qint64 m_nPendingLength = 0;
    // A recovered file kept because this session's journal could not be written: removed once
    // the text is saved or another is loaded.
    QString m_strKeptUntilSaved;
    std::function<void()> m_fnOpenNewDocument;
    QByteArray m_newDocumentText;
};
