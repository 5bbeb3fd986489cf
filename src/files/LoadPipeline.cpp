#include "LoadPipeline.h"

#include "DocumentFile.h"

#include <new>

CLoadPipeline::CLoadPipeline(CDocumentReader& reader)
    : m_reader(reader), m_worker([this] { Run(); })
{
}

CLoadPipeline::~CLoadPipeline()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopped = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void CLoadPipeline::Push(SLoadPiece&& piece)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_pieces.size() < kAhead || m_bStopped; });
    m_pieces.push_back(std::move(piece));
    m_changed.notify_all();
}

void CLoadPipeline::Run()
{
    QString strError;
    qint64 nRead = 0;
    try {
        nRead = ReadAll(strError);
    } catch (const std::bad_alloc&) {
        nRead = -1;
        strError = OutOfMemorySentence(m_reader.Path());
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bFailed = nRead < 0;
    m_strError = strError;
    m_eDeclared = m_sniffer.Result();
    if (m_eDeclared == EDeclaredEncoding::Coded)
        m_pCodec = CFileCodec::ForHead(m_sniffer.Prefix());
    m_bDone = true;
    m_changed.notify_all();
}

qint64 CLoadPipeline::ReadAll(QString& strError)
{
    qint64 nRead = 0;
    while ((nRead = m_reader.ReadChunk(strError)) > 0) {
        SLoadPiece piece;
        piece.text = QByteArray(m_reader.Data(), nRead);
        m_sniffer.Feed(piece.text.constData(), static_cast<std::size_t>(nRead));
        m_lines.Feed(piece.text.constData(), static_cast<std::size_t>(nRead));
        Push(std::move(piece));
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bStopped)
            return 0;
    }
    return nRead;
}

bool CLoadPipeline::Next(SLoadPiece& piece)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_pieces.empty() || m_bDone; });
    if (m_pieces.empty())
        return false;
    piece = std::move(m_pieces.front());
    m_pieces.pop_front();
    m_changed.notify_all();
    return true;
}
