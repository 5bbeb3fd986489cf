#include "TextSnapshot.h"

#include <algorithm>

CTextSnapshot::CTextSnapshot(const IStyledText& text, long long nSliceBytes, QObject* pParent)
    : QObject(pParent), m_text(text), m_nSliceBytes(nSliceBytes)
{
    m_nextSlice.setSingleShot(true);
    m_nextSlice.setInterval(0);
    connect(&m_nextSlice, &QTimer::timeout, this, &CTextSnapshot::CopySlice);
}

void CTextSnapshot::Start(Done done)
{
    Cancel();
    m_done = std::move(done);
    m_pCopy =
        std::make_shared<QByteArray>(static_cast<qsizetype>(m_text.Length()), Qt::Uninitialized);
    m_nCopied = 0;
    CopySlice();
}

void CTextSnapshot::Cancel()
{
    m_nextSlice.stop();
    m_pCopy.reset();
    m_done = nullptr;
}

void CTextSnapshot::CopySlice()
{
    const long long nCount = std::min(m_nSliceBytes, m_pCopy->size() - m_nCopied);
    const auto nRead = static_cast<long long>(
        m_text.Read(m_nCopied, m_pCopy->data() + m_nCopied, static_cast<std::size_t>(nCount)));
    m_nCopied += nRead;
    if (nRead == 0)
        m_pCopy->resize(m_nCopied);  // the text ended early: never loop on nothing
    if (m_nCopied < m_pCopy->size()) {
        m_nextSlice.start();
        return;
    }
    const Done done = std::move(m_done);
    const std::shared_ptr<const QByteArray> pCopy = std::move(m_pCopy);
    Cancel();
    done(pCopy);
}
