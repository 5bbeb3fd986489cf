// What a journal's edits typed, when the text they were made on is no longer there to replay
// them on: the inserted bytes still in the text at the end, in text order.
#pragma once

#include "RecoveryCodec.h"

#include <QByteArray>

#include <vector>

class CTypedText
{
public:
    // Replays `edits` on a stand-in for an original of `nBaseLength` bytes and returns the
    // inserted bytes that survive; runs that the original's bytes separated are put on lines of
    // their own.
    static QByteArray Of(qint64 nBaseLength, const std::vector<SRecoveryEdit>& edits);
};
