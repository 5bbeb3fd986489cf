#include "DocumentReader.h"

#include "DocumentFile.h"

#include <limits>
#include <unistd.h>

CDocumentReader::CDocumentReader(const QString& path, qint64 nChunkSize)
    : m_file(path), m_strPath(path), m_buffer(nChunkSize > 0 ? nChunkSize : 1, Qt::Uninitialized)
{
}

bool CDocumentReader::Open(QString& error)
{
    if (!OpenDocumentFile(m_file, error))
        return false;
    m_nSizeHint = m_file.size();
    m_stamp = SFileStamp::OfDescriptor(m_file.handle());
    QString strReason;
    if (m_nSizeHint > LargestEditableSize())
        strReason = QStringLiteral("at %1 MB it is larger than this computer's memory");
    else if (m_nSizeHint > kLargestText)
        strReason = QStringLiteral("at %1 MB it is larger than the 2047 MB the editor can hold");
    if (strReason.isEmpty())
        return true;
    error = FileErrorSentence(QStringLiteral("open"), m_strPath, strReason.arg(m_nSizeHint >> 20));
    m_file.close();
    return false;
}

qint64 CDocumentReader::LargestEditableSize()
{
    // The editor holds the whole text in memory, and more besides: a file larger than the
    // memory could only end in an allocation failure or in swapping for minutes.
    const long nPages = ::sysconf(_SC_PHYS_PAGES);
    const long nPageSize = ::sysconf(_SC_PAGESIZE);
    if (nPages <= 0 || nPageSize <= 0)
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(nPages) * nPageSize;
}

qint64 CDocumentReader::ReadChunk(QString& error)
{
    const qint64 nRead = m_file.read(m_buffer.data(), m_buffer.size());
    if (nRead < 0 || m_file.error() != QFileDevice::NoError) {
        error = FileErrorSentence(QStringLiteral("read"), m_strPath, m_file.errorString());
        return -1;
    }
    m_utf8.Feed(m_buffer.constData(), static_cast<std::size_t>(nRead));
    m_digest.Add(m_buffer.constData(), static_cast<std::size_t>(nRead));
    return nRead;
}
