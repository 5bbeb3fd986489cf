#include "DocRecovery.h"

#include "MessageBox.h"
#include "RecoveryTarget.h"

#include <QFileInfo>

namespace {

// Replays into the text; every byte is kept (NUL included) since lengths are given.
class CBufferTarget : public IRecoveryTarget
{
public:
    explicit CBufferTarget(ITextBuffer& text) : m_text(text) {}
    void Insert(qint64 nPos, const QByteArray& bytes) override
    {
        m_text.Replace(nPos, 0, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    void Delete(qint64 nPos, qint64 nLength) override { m_text.Replace(nPos, nLength, "", 0); }

private:
    ITextBuffer& m_text;
};

}  // namespace

CDocRecovery::CDocRecovery(const QString& folder, QObject* parent)
    : QObject(parent), m_journal(folder), m_store(folder)
{
    connect(&m_journal, &CRecoveryJournal::aboutToFlush, this,
            &CDocRecovery::CompletePendingInsert);
    connect(&m_journal, &CRecoveryJournal::failed, this,
            [](const QString& message) { AfxMessageBox(message); });
}

void CDocRecovery::Attach(ITextBuffer* pText)
{
    Detach();
    m_pText = pText;
    m_pText->AddObserver(this);
}

void CDocRecovery::Detach()
{
    CompletePendingInsert();
    if (m_pText)
        m_pText->RemoveObserver(this);
    m_pText = nullptr;
}

void CDocRecovery::OnModifiedChanged(bool bModified)
{
    CompletePendingInsert();
    if (bModified)
        m_journal.RecordDirty();
    else
        m_journal.RecordClean();
}

void CDocRecovery::Restart(const QString& path, const SFileStamp& stamp)
{
    m_nPendingPos = -1;
    const QString strAbsolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_journal.Restart({strAbsolute, path.isEmpty() ? SFileStamp() : stamp});
}

void CDocRecovery::OnTextEdit(const STextEdit& edit)
{
    CompletePendingInsert();
    if (!m_journal.IsRecording() || !m_pText)
        return;
    if (m_pText->Length() != m_journal.Length()) {
        m_journal.Abandon(QStringLiteral("an edit was missed"));
        return;
    }
    if (edit.nRemoved > 0)
        m_journal.RecordDelete(edit.nPosition, edit.nRemoved);
    if (edit.nInserted > 0) {
        m_nPendingPos = edit.nPosition;
        m_nPendingLength = edit.nInserted;
    }
}

void CDocRecovery::CompletePendingInsert()
{
    if (m_nPendingPos < 0 || !m_pText)
        return;
    QByteArray bytes(static_cast<qsizetype>(m_nPendingLength), Qt::Uninitialized);
    bytes.resize(static_cast<qsizetype>(
        m_pText->Read(m_nPendingPos, bytes.data(), static_cast<std::size_t>(bytes.size()))));
    m_journal.RecordInsert(m_nPendingPos, bytes);
    m_nPendingPos = -1;
}

void CDocRecovery::FlushNow()
{
    m_journal.Flush();
    m_journal.WaitForWrites();
}

bool CDocRecovery::Offer(const AskHook& ask)
{
    const SRecoveryOrigin& origin = m_journal.Origin();
    for (const SRecoveryCandidate& candidate : m_store.LeftFor(origin.strPath)) {
        const auto applies = CRecoveryStore::Check(candidate.contents, origin.stamp);
        QString strError;
        if (applies == CRecoveryStore::EApplies::NothingToRecover) {
            CRecoveryStore::Remove(candidate.strFile, strError);
            continue;
        }
        const bool bCanRecover = applies == CRecoveryStore::EApplies::Yes;
        switch (ask(CRecoveryStore::Question(candidate, applies), bCanRecover)) {
        case EAnswer::Recover:
            if (bCanRecover && Recover(candidate))
                return true;
            break;
        case EAnswer::Discard:
            if (!CRecoveryStore::Remove(candidate.strFile, strError))
                AfxMessageBox(strError);
            break;
        case EAnswer::Later:
            break;
        }
    }
    return false;
}

bool CDocRecovery::Recover(const SRecoveryCandidate& candidate)
{
    if (!m_pText)
        return false;
    if (m_pText->Length() != candidate.contents.origin.Length()) {
        AfxMessageBox(QStringLiteral("The unsaved changes in %1 were not recovered: the document "
                                     "no longer holds the text they were made on.")
                          .arg(candidate.strFile));
        return false;
    }
    CompletePendingInsert();
    // One undo step takes the document back to its original.
    m_pText->BeginUndoGroup();
    CBufferTarget(*m_pText).Replay(candidate.contents.edits);
    m_pText->EndUndoGroup();
    // The edits are in this session's journal now; only once it is on disk may the old go.
    FlushNow();
    QString strError;
    if (!CRecoveryStore::Remove(candidate.strFile, strError))
        AfxMessageBox(strError);
    return true;
}
