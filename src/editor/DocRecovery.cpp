#include "DocRecovery.h"

#include "MessageBox.h"
#include "RecoveryTarget.h"
#include "TarnelView.h"

#include <QFileInfo>

namespace {

using Sci = QsciScintillaBase;

// Replays into the editor; every byte is kept (NUL included) since lengths are given.
class CViewTarget : public IRecoveryTarget
{
public:
    explicit CViewTarget(CTarnelView& view) : m_view(view) {}
    void Insert(qint64 nPos, const QByteArray& bytes) override
    {
        m_view.SendScintilla(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(nPos),
                             static_cast<long>(nPos));
        m_view.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()),
                             bytes.constData());
    }
    void Delete(qint64 nPos, qint64 nLength) override
    {
        m_view.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(nPos),
                             static_cast<long>(nLength));
    }

private:
    CTarnelView& m_view;
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

void CDocRecovery::Attach(CTarnelView* pView)
{
    m_pView = pView;
    connect(pView, &Sci::SCN_MODIFIED, this, [this](int nPos, int nType, const char*, int nLength) {
        OnModified(nPos, nType, nLength);
    });
    // Announced after the edit that reached or left the save point is made.
    connect(pView, &Sci::SCN_SAVEPOINTREACHED, this, [this] {
        CompletePendingInsert();
        m_journal.RecordClean();
    });
    connect(pView, &Sci::SCN_SAVEPOINTLEFT, this, [this] {
        CompletePendingInsert();
        m_journal.RecordDirty();
    });
}

void CDocRecovery::Detach()
{
    CompletePendingInsert();
    if (m_pView)
        disconnect(m_pView, nullptr, this, nullptr);
    m_pView = nullptr;
}

void CDocRecovery::Restart(const QString& path, const SFileStamp& stamp)
{
    m_nPendingPos = -1;
    const QString strAbsolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_journal.Restart({strAbsolute, path.isEmpty() ? SFileStamp() : stamp});
}

void CDocRecovery::OnModified(int nPos, int nModificationType, int nLength)
{
    // Only the announcements come whatever the editor's event mask (see CEditorAccessibility).
    const bool bInsert = nModificationType & Sci::SC_MOD_BEFOREINSERT;
    if (!bInsert && !(nModificationType & Sci::SC_MOD_BEFOREDELETE))
        return;
    CompletePendingInsert();
    if (!m_journal.IsRecording() || !m_pView)
        return;
    if (m_pView->TextLength() != m_journal.Length()) {
        m_journal.Abandon(QStringLiteral("an edit was missed"));
        return;
    }
    if (bInsert) {
        m_nPendingPos = nPos;
        m_nPendingLength = nLength;
    } else {
        m_journal.RecordDelete(nPos, nLength);
    }
}

void CDocRecovery::CompletePendingInsert()
{
    if (m_nPendingPos < 0 || !m_pView)
        return;
    QByteArray bytes(static_cast<qsizetype>(m_nPendingLength) + 1, Qt::Uninitialized);
    const int nRead =
        m_pView->ReadTextChunk(bytes.data(), m_nPendingPos, static_cast<int>(m_nPendingLength));
    bytes.resize(nRead);
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
    if (!m_pView)
        return false;
    if (m_pView->TextLength() != candidate.contents.origin.Length()) {
        AfxMessageBox(QStringLiteral("The unsaved changes in %1 were not recovered: the document "
                                     "no longer holds the text they were made on.")
                          .arg(candidate.strFile));
        return false;
    }
    CompletePendingInsert();
    // One undo step takes the document back to its original.
    m_pView->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    CViewTarget(*m_pView).Replay(candidate.contents.edits);
    m_pView->SendScintilla(Sci::SCI_ENDUNDOACTION);
    // The edits are in this session's journal now; only once it is on disk may the old go.
    FlushNow();
    QString strError;
    if (!CRecoveryStore::Remove(candidate.strFile, strError))
        AfxMessageBox(strError);
    return true;
}
