// Reads and colours a document file on a worker thread while the editor takes in the pieces.
#pragma once

#include "DocumentReader.h"
#include "EncodingSniffer.h"
#include "MarkupScanner.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// One piece of the file and the styles of the complete tokens it finished.
struct SLoadPiece
{
    QByteArray text;  // empty for the last piece
    long long nStyleStart = 0;
    std::vector<char> styles;  // for [nStyleStart, nStyleStart + styles.size())
};

// Reads an opened CDocumentReader, tests UTF-8 and scans the markup on a worker thread, a few
// pieces ahead of the consumer; the editor itself is only touched by the consumer's thread.
class CLoadPipeline
{
public:
    // `reader` must be open and outlive the pipeline; `bColour` false leaves the styles empty.
    CLoadPipeline(CDocumentReader& reader, bool bColour);
    ~CLoadPipeline();
    CLoadPipeline(const CLoadPipeline&) = delete;
    CLoadPipeline& operator=(const CLoadPipeline&) = delete;

    // Waits for the next piece; false once the pieces are over (the last one has empty text).
    bool Next(SLoadPiece& piece);

    // Valid after Next returned false.
    bool Failed() const { return m_bFailed; }
    const QString& Error() const { return m_strError; }
    // UTF-8 mode: valid UTF-8 that declares no 8-bit encoding and is not UTF-16.
    bool IsUtf8() const { return m_eDeclared == EDeclaredEncoding::Unstated && m_reader.IsUtf8(); }
    // UTF-16 or UTF-32: shown byte for byte, which is no text to edit.
    bool IsWide() const { return m_eDeclared == EDeclaredEncoding::Wide; }
    // The first byte of the token left unfinished at the end.
    long long TailStart() const { return m_nTailStart; }

private:
    static constexpr std::size_t kAhead = 4;

    void Run();
    // Reads and scans until the end (0), a read error (-1) or the consumer leaving (0).
    qint64 ReadAll(CMarkupScanner& scanner, QString& strError);
    void Push(SLoadPiece&& piece);

    CDocumentReader& m_reader;
    bool m_bColour;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<SLoadPiece> m_pieces;
    bool m_bDone = false;     // the worker has pushed its last piece
    bool m_bStopped = false;  // the consumer left early
    bool m_bFailed = false;
    QString m_strError;
    long long m_nTailStart = 0;
    CEncodingSniffer m_sniffer;
    EDeclaredEncoding m_eDeclared = EDeclaredEncoding::Unstated;
    std::thread m_worker;
};
