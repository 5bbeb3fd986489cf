// Where recovered edits are replayed: the editor's text, or bytes in tests.
#pragma once

#include "RecoveryCodec.h"

#include <QByteArray>
#include <QtGlobal>

#include <vector>

class IRecoveryTarget
{
public:
    virtual ~IRecoveryTarget() = default;
    virtual void Insert(qint64 nPos, const QByteArray& bytes) = 0;
    virtual void Delete(qint64 nPos, qint64 nLength) = 0;

    // Applies `edits`, which CRecoveryCodec::Decode has checked against the text's length.
    void Replay(const std::vector<SRecoveryEdit>& edits)
    {
        for (const SRecoveryEdit& edit : edits) {
            if (edit.kind == SRecoveryEdit::EKind::Insert)
                Insert(edit.nPos, edit.data);
            else if (edit.kind == SRecoveryEdit::EKind::Delete)
                Delete(edit.nPos, edit.nLength);
        }
    }
};
