#include "DocumentReader.h"

#include "DocumentFile.h"

CDocumentReader::CDocumentReader(const QString& path, qint64 nChunkSize)
    : m_file(path), m_buffer(nChunkSize > 0 ? nChunkSize : 1, Qt::Uninitialized)
{
}

bool CDocumentReader::Open(QString& error)
{
    if (!OpenDocumentFile(m_file, error))
        return false;
    m_nSizeHint = m_file.size();
    return true;
}

qint64 CDocumentReader::ReadChunk(QString& error)
{
    const qint64 nRead = m_file.read(m_buffer.data(), m_buffer.size());
    if (nRead < 0 || m_file.error() != QFileDevice::NoError)
    {
        error = FileErrorSentence(QStringLiteral("read"), m_file.fileName(), m_file.errorString());
        return -1;
    }
    m_utf8.Feed(m_buffer.constData(), static_cast<std::size_t>(nRead));
    return nRead;
}
