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

    explicit CDocRecovery(const QString& folder, QObject* parent = nullptr);

    // Records the edits of `pText` until Detach, which must come before `pText` goes.
    void Attach(ITextBuffer* pText);
    void Detach();

    // The text now equals the file `path` as `stamp` describes it, or (an empty path) is the
    // empty text of a new document.
    void Restart(const QString& path, const SFileStamp& stamp);
    // Offers, one after another, the edits left for the current original until one is
    // recovered; true when one was.
    bool Offer(const AskHook& ask);
    // Writes the pending edits now and waits for them.
    void FlushNow();

    CRecoveryJournal& Journal() { return m_journal; }

private:
    void OnTextEdit(const STextEdit& edit) override;
    void OnModifiedChanged(bool bModified) override;
    void CompletePendingInsert();
    bool Recover(const SRecoveryCandidate& candidate);

    CRecoveryJournal m_journal;
    CRecoveryStore m_store;
    ITextBuffer* m_pText = nullptr;
    // An insertion is announced before it is made: its bytes are read at the next edit or flush.
    qint64 m_nPendingPos = -1;
    qint64 m_nPendingLength = 0;
};
