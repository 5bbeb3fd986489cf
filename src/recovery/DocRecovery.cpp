#include "DocRecovery.h"

#include "MessageBox.h"
#include "RecoveryTarget.h"
#include "TypedText.h"

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
    connect(&m_journal, &CRecoveryJournal::failed, this, &CDocRecovery::problem);
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

void CDocRecovery::Restart(const QString& path, const SFileStamp& stamp, qint64 nLength,
                           const SContentDigest& digest)
{
    m_nPendingPos = -1;
    m_journal.Restart({CRecoveryStore::ResolvedPath(path), path.isEmpty() ? SFileStamp() : stamp,
                       nLength, digest});
    if (!m_strKeptUntilSaved.isEmpty()) {
        RemoveRecovered(m_strKeptUntilSaved);
        m_strKeptUntilSaved.clear();
    }
}

void CDocRecovery::SetNewDocumentOpener(std::function<void()> openNewDocument)
{
    m_fnOpenNewDocument = std::move(openNewDocument);
}

void CDocRecovery::RemoveRecovered(const QString& file)
{
    QString strError;
    if (!CRecoveryStore::Remove(file, strError))
        AfxMessageBox(strError);
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

bool CDocRecovery::FlushNow()
{
    m_journal.Flush();
    return m_journal.WaitForWrites();
}

bool CDocRecovery::Offer(const AskHook& ask, const SReplayHooks& hooks)
{
    for (const SRecoveryCandidate& candidate : m_store.LeftFor(m_journal.Origin().strPath)) {
        const auto applies = Applies(candidate.contents);
        QString strError;
        if (applies == CRecoveryStore::EApplies::NothingToRecover) {
            CRecoveryStore::Remove(candidate.strFile, strError);
            continue;
        }
        const bool bCanRecover = applies == CRecoveryStore::EApplies::Yes;
        switch (ask(CRecoveryStore::Question(candidate, applies), bCanRecover)) {
        case EAnswer::Recover:
            if (!bCanRecover)
                RecoverAsNewDocument(candidate);
            else if (Recover(candidate, hooks))
                return true;
            break;
        case EAnswer::Discard:
            RemoveRecovered(candidate.strFile);
            break;
        case EAnswer::Later:
            break;
        }
    }
    return false;
}

bool CDocRecovery::KnownNewDocumentBase(const SRecoveryOrigin& origin, QByteArray& base) const
{
    if (!origin.IsUntitled())
        return false;
    for (const QByteArray& text : {QByteArray(), m_newDocumentText}) {
        SRecoveryOrigin known;
        known.nLength = text.size();
        known.digest = CContentDigest::Of(text.constData(), static_cast<std::size_t>(text.size()));
        if ((text.isEmpty() && origin.Length() == 0) || origin.SameText(known)) {
            base = text;
            return true;
        }
    }
    return false;
}

CRecoveryStore::EApplies CDocRecovery::Applies(const SRecoveryContents& contents) const
{
    const auto applies = CRecoveryStore::Check(contents, m_journal.Origin());
    QByteArray base;
    if (applies == CRecoveryStore::EApplies::OriginChanged
        && KnownNewDocumentBase(contents.origin, base))
        return CRecoveryStore::EApplies::Yes;
    return applies;
}

bool CDocRecovery::Recover(const SRecoveryCandidate& candidate, const SReplayHooks& hooks)
{
    if (!m_pText)
        return false;
    const SRecoveryOrigin& origin = candidate.contents.origin;
    // A new document's edits are replayed on the text they were made on, whatever a new
    // document holds now.
    QByteArray base;
    const bool bNewDocument = KnownNewDocumentBase(origin, base);
    if (!bNewDocument && m_pText->Length() != origin.Length()) {
        AfxMessageBox(QStringLiteral("The unsaved changes in %1 were not recovered: the document "
                                     "no longer holds the text they were made on.")
                          .arg(candidate.strFile));
        return false;
    }
    CompletePendingInsert();
    if (hooks.before) {
        qint64 nInserted = bNewDocument ? base.size() : 0;
        for (const SRecoveryEdit& edit : candidate.contents.edits)
            if (edit.kind == SRecoveryEdit::EKind::Insert)
                nInserted += edit.data.size();
        hooks.before(nInserted);
    }
    // One undo step takes the document back to its original.
    m_pText->BeginUndoGroup();
    if (bNewDocument)
        m_pText->Replace(0, m_pText->Length(), base.constData(),
                         static_cast<std::size_t>(base.size()));
    CBufferTarget(*m_pText).Replay(candidate.contents.edits);
    m_pText->EndUndoGroup();
    if (hooks.keep && !hooks.keep()) {
        // The text is as it was before: so is its journal, without the edits and their undoing.
        m_nPendingPos = -1;
        m_journal.Restart(SRecoveryOrigin(m_journal.Origin()));
        return false;
    }
    // The edits are in this session's journal now; only once it is on disk may the old go.
    if (FlushNow())
        RemoveRecovered(candidate.strFile);
    else
        m_strKeptUntilSaved = candidate.strFile;
    return true;
}

bool CDocRecovery::RecoverAsNewDocument(const SRecoveryCandidate& candidate)
{
    const SRecoveryContents& contents = candidate.contents;
    const QByteArray typed = CTypedText::Of(contents.origin.Length(), contents.edits);
    QString strError;
    if (!m_store.LeaveAsNewDocument(typed, strError)) {
        const QString strName = contents.origin.IsUntitled() ? QStringLiteral("a new document")
                                                             : contents.origin.strPath;
        AfxMessageBox(
            QStringLiteral("The text typed in %1 was not recovered: %2").arg(strName, strError));
        return false;
    }
    RemoveRecovered(candidate.strFile);
    if (m_fnOpenNewDocument)
        m_fnOpenNewDocument();
    return true;
}
