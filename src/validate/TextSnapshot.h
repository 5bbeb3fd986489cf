// A copy of a text taken a slice per turn of the event loop, so that on a big text no single turn
// of the user-interface thread copies more than a slice and keys are handled in between. The
// owner cancels it when the text changes and starts again.
#pragma once

#include "StyledText.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class CTextSnapshot : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(std::shared_ptr<const QByteArray>)>;
    static constexpr long long kSliceBytes = 4 << 20;

    explicit CTextSnapshot(const IStyledText& text, long long nSliceBytes = kSliceBytes,
                           QObject* pParent = nullptr);

    // Copies the first slice now; `done` gets the whole copy in the turn of its last slice.
    void Start(Done done);
    void Cancel();
    bool IsRunning() const { return m_pCopy != nullptr; }

private:
    void CopySlice();

    const IStyledText& m_text;
    const long long m_nSliceBytes;
    std::shared_ptr<QByteArray> m_pCopy;
    long long m_nCopied = 0;
    Done m_done;
    QTimer m_nextSlice;
};
