#include "LoadPipeline.h"

#include "DocumentFile.h"

#include <new>

namespace {

// Gathers the contiguous runs of one piece into its style bytes.
class CPieceStyles : public IStyleSink
{
public:
    explicit CPieceStyles(SLoadPiece& piece) : m_piece(piece) {}
    void StyleRun(long long start, long long length, MarkupStyle style) override
    {
        if (m_piece.styles.empty())
            m_piece.nStyleStart = start;
        m_piece.styles.insert(m_piece.styles.end(), static_cast<std::size_t>(length),
                              static_cast<char>(style));
    }

private:
    SLoadPiece& m_piece;
};

}  // namespace

CLoadPipeline::CLoadPipeline(CDocumentReader& reader, bool bColour)
    : m_reader(reader), m_bColour(bColour), m_worker([this] { Run(); })
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
    CMarkupScanner scanner(0);
    QString strError;
    qint64 nRead = 0;
    try {
        nRead = ReadAll(scanner, strError);
    } catch (const std::bad_alloc&) {
        nRead = -1;
        strError = OutOfMemorySentence(m_reader.Path());
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bFailed = nRead < 0;
    m_strError = strError;
    m_nTailStart = scanner.Position();
    m_eDeclared = m_sniffer.Result();
    m_bDone = true;
    m_changed.notify_all();
}

qint64 CLoadPipeline::ReadAll(CMarkupScanner& scanner, QString& strError)
{
    qint64 nRead = 0;
    while ((nRead = m_reader.ReadChunk(strError)) > 0) {
        SLoadPiece piece;
        piece.text = QByteArray(m_reader.Data(), nRead);
        m_sniffer.Feed(piece.text.constData(), static_cast<std::size_t>(nRead));
        if (m_bColour) {
            CPieceStyles styles(piece);
            scanner.Feed(piece.text.constData(), static_cast<std::size_t>(nRead), styles);
        }
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
