#include "RecoveryCodec.h"

#include <QtEndian>

#include <cstring>

namespace {

const char kMagic[] = "TARNEL-RECOVERY\n";
constexpr int kMagicSize = sizeof kMagic - 1;
// 1: no length or digest of the original; still read.
constexpr quint32 kOldVersion = 1;
constexpr quint32 kVersion = 2;
constexpr qint64 kChecksumSize = 8;

quint64 Checksum(const char* pData, qsizetype nSize)
{
    // FNV-1a: enough to tell a torn or zero-filled record from a written one.
    quint64 nHash = 14695981039346656037ULL;
    for (qsizetype i = 0; i < nSize; ++i) {
        nHash ^= static_cast<unsigned char>(pData[i]);
        nHash *= 1099511628211ULL;
    }
    return nHash;
}

template <typename T>
void Put(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void SealFrom(QByteArray& out, qsizetype nStart)
{
    Put<quint64>(out, Checksum(out.constData() + nStart, out.size() - nStart));
}

// Reads fields front to back; any read past the end marks it failed.
class CFieldReader
{
public:
    CFieldReader(const QByteArray& bytes, qsizetype nPos) : m_bytes(bytes), m_nPos(nPos) {}

    template <typename T>
    T Get()
    {
        if (!Has(sizeof(T)))
            return T();
        const T value = qFromLittleEndian<T>(m_bytes.constData() + m_nPos);
        m_nPos += sizeof(T);
        return value;
    }
    QByteArray Bytes(qint64 nCount)
    {
        if (nCount < 0 || !Has(nCount))
            return QByteArray();
        const QByteArray bytes = m_bytes.mid(m_nPos, static_cast<qsizetype>(nCount));
        m_nPos += static_cast<qsizetype>(nCount);
        return bytes;
    }
    // True when the checksum that follows matches the bytes from `nStart` to here.
    bool SealedFrom(qsizetype nStart)
    {
        const qsizetype nEnd = m_nPos;
        const quint64 nStored = Get<quint64>();
        return m_bOk && nStored == Checksum(m_bytes.constData() + nStart, nEnd - nStart);
    }
    bool Ok() const { return m_bOk; }
    qsizetype Pos() const { return m_nPos; }
    bool AtEnd() const { return m_nPos >= m_bytes.size(); }

private:
    bool Has(qint64 nCount)
    {
        m_bOk = m_bOk && nCount <= m_bytes.size() - m_nPos;
        return m_bOk;
    }

    const QByteArray& m_bytes;
    qsizetype m_nPos;
    bool m_bOk = true;
};

bool DecodeHeader(CFieldReader& in, SRecoveryOrigin& origin)
{
    const qsizetype nStart = in.Pos();
    if (in.Bytes(kMagicSize) != QByteArray(kMagic, kMagicSize))
        return false;
    const quint32 nVersion = in.Get<quint32>();
    if (nVersion != kVersion && nVersion != kOldVersion)
        return false;
    origin.strPath = QString::fromUtf8(in.Bytes(in.Get<quint32>()));
    origin.stamp.bExists = in.Get<quint8>() != 0;
    origin.stamp.nSize = in.Get<qint64>();
    origin.stamp.nModifiedNs = in.Get<qint64>();
    origin.stamp.nInode = in.Get<quint64>();
    origin.stamp.nDevice = in.Get<quint64>();
    if (nVersion == kVersion) {
        origin.nLength = in.Get<qint64>();
        origin.digest.bKnown = in.Get<quint8>() != 0;
        origin.digest.nLow = in.Get<quint64>();
        origin.digest.nHigh = in.Get<quint64>();
        if (origin.nLength < 0)
            return false;
    }
    return in.SealedFrom(nStart);
}

// One record, checked against the text's length before it; false at the first that fails.
bool DecodeRecord(CFieldReader& in, qint64& nLength, SRecoveryEdit& edit)
{
    const qsizetype nStart = in.Pos();
    edit.kind = static_cast<SRecoveryEdit::EKind>(in.Get<quint8>());
    edit.nPos = in.Get<qint64>();
    edit.nLength = in.Get<qint64>();
    if (!in.Ok() || edit.nPos < 0 || edit.nLength < 0)
        return false;
    switch (edit.kind) {
    case SRecoveryEdit::EKind::Insert:
        edit.data = in.Bytes(edit.nLength);
        if (edit.nPos > nLength)
            return false;
        nLength += edit.nLength;
        break;
    case SRecoveryEdit::EKind::Delete:
        if (edit.nLength > nLength - edit.nPos)
            return false;
        nLength -= edit.nLength;
        break;
    case SRecoveryEdit::EKind::Clean:
    case SRecoveryEdit::EKind::Dirty:
        break;
    default:
        return false;
    }
    return in.SealedFrom(nStart);
}

}  // namespace

bool SRecoveryOrigin::SameText(const SRecoveryOrigin& other) const
{
    if (Length() != other.Length())
        return false;
    if (digest.bKnown && other.digest.bKnown)
        return digest == other.digest;
    return IsUntitled() ? Length() == 0 : stamp == other.stamp;
}

bool SRecoveryContents::HasChanges() const
{
    return !edits.empty() && edits.back().kind != SRecoveryEdit::EKind::Clean;
}

QByteArray CRecoveryCodec::EncodeHeader(const SRecoveryOrigin& origin)
{
    QByteArray out(kMagic, kMagicSize);
    Put<quint32>(out, kVersion);
    const QByteArray path = origin.strPath.toUtf8();
    Put<quint32>(out, static_cast<quint32>(path.size()));
    out.append(path);
    Put<quint8>(out, origin.stamp.bExists ? 1 : 0);
    Put<qint64>(out, origin.stamp.nSize);
    Put<qint64>(out, origin.stamp.nModifiedNs);
    Put<quint64>(out, origin.stamp.nInode);
    Put<quint64>(out, origin.stamp.nDevice);
    Put<qint64>(out, origin.Length());
    Put<quint8>(out, origin.digest.bKnown ? 1 : 0);
    Put<quint64>(out, origin.digest.nLow);
    Put<quint64>(out, origin.digest.nHigh);
    SealFrom(out, 0);
    return out;
}

void CRecoveryCodec::AppendRecord(const SRecoveryEdit& edit, QByteArray& out)
{
    const qsizetype nStart = out.size();
    const bool bInsert = edit.kind == SRecoveryEdit::EKind::Insert;
    Put<quint8>(out, static_cast<quint8>(edit.kind));
    Put<qint64>(out, edit.nPos);
    Put<qint64>(out, bInsert ? edit.data.size() : edit.nLength);
    if (bInsert)
        out.append(edit.data);
    SealFrom(out, nStart);
}

bool CRecoveryCodec::DecodeOrigin(const QByteArray& firstBytes, SRecoveryOrigin& origin)
{
    CFieldReader in(firstBytes, 0);
    return DecodeHeader(in, origin);
}

SRecoveryContents CRecoveryCodec::Decode(const QByteArray& bytes)
{
    SRecoveryContents contents;
    CFieldReader in(bytes, 0);
    if (!DecodeHeader(in, contents.origin)) {
        contents.strError = QStringLiteral("it is not a recovery file of this version, or damaged");
        return contents;
    }
    contents.bReadable = true;
    qint64 nLength = contents.origin.Length();
    while (!in.AtEnd()) {
        SRecoveryEdit edit;
        if (!DecodeRecord(in, nLength, edit)) {
            contents.bTornTail = true;
            break;
        }
        contents.edits.push_back(std::move(edit));
    }
    return contents;
}
