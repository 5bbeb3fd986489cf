// The bytes of a recovery file: a header naming the original, then one checksummed record per
// edit, so that a torn or damaged tail is recognised and left out.
#pragma once

#include "ContentDigest.h"
#include "FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

// What a journal's edits apply to: the file as read or saved, or the text of a new document
// (an empty path).
struct SRecoveryOrigin
{
    QString strPath;  // absolute
    SFileStamp stamp;
    qint64 nLength = -1;    // of the text; -1: the file's size, or 0 for a new document
    SContentDigest digest;  // of the text, where known

    bool IsUntitled() const { return strPath.isEmpty(); }
    qint64 Length() const { return nLength >= 0 ? nLength : stamp.bExists ? stamp.nSize : 0; }
    // Whether edits made on `other` apply to this text: the same bytes by their digest, or, for
    // journals written before digests, the same file as its stamp says.
    bool SameText(const SRecoveryOrigin& other) const;
};

struct SRecoveryEdit
{
    // Clean: the text is back at the original (undone to it); Dirty: it differs again without
    // an edit of its own (the document was marked modified).
    enum class EKind : char
    {
        Insert = 'I',
        Delete = 'D',
        Clean = 'C',
        Dirty = 'M'
    };

    EKind kind = EKind::Insert;
    qint64 nPos = 0;
    qint64 nLength = 0;  // of the deleted range; an insert's is data.size()
    QByteArray data;     // inserted bytes
};

// A recovery file read back: the edits up to the first record that is torn, damaged or does
// not fit the text.
struct SRecoveryContents
{
    bool bReadable = false;
    QString strError;  // why not readable
    SRecoveryOrigin origin;
    std::vector<SRecoveryEdit> edits;
    bool bTornTail = false;

    // False when nothing was changed or the text was back at the original at the end.
    bool HasChanges() const;
};

class CRecoveryCodec
{
public:
    static QByteArray EncodeHeader(const SRecoveryOrigin& origin);
    // Appends the record of `edit` to `out`.
    static void AppendRecord(const SRecoveryEdit& edit, QByteArray& out);
    // Decodes a whole file's bytes; bReadable false when even the header is not valid.
    static SRecoveryContents Decode(const QByteArray& bytes);
    // Decodes the header alone from the first bytes of a file; false when they hold no valid
    // header. A header is never longer than kLongestHeader bytes.
    static bool DecodeOrigin(const QByteArray& firstBytes, SRecoveryOrigin& origin);
    static constexpr qint64 kLongestHeader = 1 << 16;
};
