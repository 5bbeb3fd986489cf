#include "RecoveryJournal.h"

#include "PosixFile.h"
#include "RecoveryStore.h"

#include <QFile>

#include <algorithm>

namespace {

// Folds an edit into the one before when they touch: typing a word, or Backspace held down,
// becomes one record.
bool Merge(SRecoveryEdit& last, const SRecoveryEdit& edit)
{
    using EKind = SRecoveryEdit::EKind;
    if (last.kind == EKind::Insert && edit.kind == EKind::Insert
        && edit.nPos == last.nPos + last.data.size()) {
        last.data += edit.data;
        return true;
    }
    if (last.kind == EKind::Delete && edit.kind == EKind::Delete) {
        if (edit.nPos == last.nPos) {  // Delete forwards
            last.nLength += edit.nLength;
            return true;
        }
        if (edit.nPos + edit.nLength == last.nPos) {  // Backspace
            last.nPos = edit.nPos;
            last.nLength += edit.nLength;
            return true;
        }
    }
    return false;
}

}  // namespace

CRecoveryJournal::CRecoveryJournal(const QString& folder, QObject* parent)
    : QObject(parent), m_strFolder(folder)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryJournal::Flush);
}

CRecoveryJournal::~CRecoveryJournal()
{
    Discard();
}

void CRecoveryJournal::Restart(const SRecoveryOrigin& origin)
{
    Discard();
    m_origin = origin;
    m_nLength = origin.Length();
    m_bRecording = true;
    m_bWriteFailed = false;
}

void CRecoveryJournal::Discard()
{
    m_timer.stop();
    m_pending.clear();
    m_bRecording = false;
    if (m_filePath.isEmpty())
        return;
    m_pWriter->Remove(m_filePath);
    m_pWriter->Wait();
    m_filePath.clear();
}

void CRecoveryJournal::RecordInsert(qint64 nPos, const QByteArray& bytes)
{
    if (!bytes.isEmpty())
        Record({SRecoveryEdit::EKind::Insert, nPos, bytes.size(), bytes});
}

void CRecoveryJournal::RecordDelete(qint64 nPos, qint64 nLength)
{
    if (nLength > 0)
        Record({SRecoveryEdit::EKind::Delete, nPos, nLength, QByteArray()});
}

void CRecoveryJournal::RecordClean()
{
    Record({SRecoveryEdit::EKind::Clean, 0, 0, QByteArray()});
}

void CRecoveryJournal::RecordDirty()
{
    Record({SRecoveryEdit::EKind::Dirty, 0, 0, QByteArray()});
}

void CRecoveryJournal::Record(SRecoveryEdit edit)
{
    if (!m_bRecording)
        return;
    if (edit.kind == SRecoveryEdit::EKind::Insert)
        m_nLength += edit.data.size();
    else if (edit.kind == SRecoveryEdit::EKind::Delete)
        m_nLength -= edit.nLength;
    if (m_pending.empty())
        m_sinceFirstPending.start();
    if (m_pending.empty() || !Merge(m_pending.back(), edit))
        m_pending.push_back(std::move(edit));
    const qint64 nLeft = kLongestWaitMs - m_sinceFirstPending.elapsed();
    m_timer.start(static_cast<int>(std::clamp<qint64>(nLeft, 0, kQuietMs)));
}

void CRecoveryJournal::Flush()
{
    m_timer.stop();
    if (!m_bRecording)
        return;
    emit aboutToFlush();
    if (m_pending.empty() || !m_bRecording)
        return;
    if (!m_pWriter)
        m_pWriter = std::make_unique<CRecoveryWriter>([this](const QByteArray& path, int nErrno) {
            // On the writer's thread: the answer goes to this object's.
            m_bWriteFailed = true;
            QMetaObject::invokeMethod(
                this, [this, path, nErrno] { OnWriteFailed(path, nErrno); }, Qt::QueuedConnection);
        });
    if (m_filePath.isEmpty())
        m_filePath = QFile::encodeName(m_strFolder) + '/' + CRecoveryStore::NewFileName();
    std::vector<SRecoveryEdit> edits;
    edits.swap(m_pending);
    m_pWriter->Append(m_filePath, m_origin, std::move(edits));
}

bool CRecoveryJournal::WaitForWrites()
{
    if (m_pWriter)
        m_pWriter->Wait();
    return m_bRecording && !m_bWriteFailed && m_pending.empty();
}

QString CRecoveryJournal::FilePath() const
{
    return QFile::decodeName(m_filePath);
}

void CRecoveryJournal::Abandon(const QString& reason)
{
    if (!m_bRecording)
        return;
    Discard();
    emit failed(QStringLiteral("Unsaved changes to %1 can no longer be kept for recovery: %2.")
                    .arg(DocumentName(), reason));
}

void CRecoveryJournal::OnWriteFailed(const QByteArray& path, int nErrno)
{
    if (path != m_filePath)
        return;          // a file the document has left behind already
    m_filePath.clear();  // the writer removed it
    QString reason = ErrnoText(nErrno);
    if (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    Abandon(reason);
}

QString CRecoveryJournal::DocumentName() const
{
    return m_origin.IsUntitled() ? QStringLiteral("the new document") : m_origin.strPath;
}
