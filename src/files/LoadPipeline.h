// Reads a document file on a worker thread while the editor takes in the pieces.
#pragma once

#include "DocumentReader.h"
#include "EncodingSniffer.h"
#include "FileCodec.h"
#include "LineLengthScan.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// One piece of the file.
struct SLoadPiece
{
    QByteArray text;  // empty for the last piece
};

// Reads an opened CDocumentReader and tests UTF-8 and the declared encoding on a worker thread, a few
// pieces ahead of the consumer; the editor itself is only touched by the consumer's thread.
class CLoadPipeline
{
public:
    // `reader` must be open and outlive the pipeline.
    explicit CLoadPipeline(CDocumentReader& reader);
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
    // UTF-32: shown byte for byte, which is no text to edit.
    bool IsWide() const { return m_eDeclared == EDeclaredEncoding::Wide; }
    // UTF-16 or a declared single-byte encoding, to decode for editing; null for the others.
    const CFileCodec* Codec() const { return m_pCodec; }
    // The longest line's length in bytes, found while reading.
    long long LongestLine() const { return m_lines.Longest(); }

private:
    static constexpr std::size_t kAhead = 4;

    void Run();
    // Reads and scans until the end (0), a read error (-1) or the consumer leaving (0).
    qint64 ReadAll(QString& strError);
    void Push(SLoadPiece&& piece);

    CDocumentReader& m_reader;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<SLoadPiece> m_pieces;
    bool m_bDone = false;     // the worker has pushed its last piece
    bool m_bStopped = false;  // the consumer left early
    bool m_bFailed = false;
    QString m_strError;
    CEncodingSniffer m_sniffer;
    CLineLengthScan m_lines;
    EDeclaredEncoding m_eDeclared = EDeclaredEncoding::Unstated;
    const CFileCodec* m_pCodec = nullptr;
    std::thread m_worker;
};
