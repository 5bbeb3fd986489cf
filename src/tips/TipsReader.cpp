#include "TipsReader.h"

#include "DocumentFile.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <ctime>
#include <sys/stat.h>

QString MnemonicDisplayText(const QString& strText)
{
    QString result;
    result.reserve(strText.size());
    for (int i = 0; i < strText.size(); ++i) {
        if (strText[i] != QLatin1Char('&'))
            result += strText[i];
        else if (i + 1 < strText.size() && strText[i + 1] == QLatin1Char('&'))
            result += strText[++i];
    }
    return result;
}

CTipsFile::CTipsFile(const QString& strPath) : m_strPath(strPath)
{
    m_pFile = OpenRegularStdioFile(strPath);
}

CTipsFile::~CTipsFile()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

QString CTipsFile::TimeStamp() const
{
    struct stat status = {};
    if (!m_pFile || fstat(fileno(m_pFile), &status) != 0)
        return QString();
    const time_t changed = status.st_ctime;
    const char* szTime = std::ctime(&changed);
    return szTime ? QString::fromLatin1(szTime).trimmed() : QString();
}

bool CTipsFile::Seek(long nPos)
{
    return m_pFile && std::fseek(m_pFile, nPos, SEEK_SET) == 0;
}

long CTipsFile::Tell() const
{
    return m_pFile ? std::ftell(m_pFile) : -1;
}

CTipsFile::EReadResult CTipsFile::ReadNextTip(QString& strTip)
{
    strTip.clear();
    m_nFailedSeeks = 0;
    if (!m_pFile)
        return EReadResult::ReadFailed;
    char szLine[kLineBufferSize];
    // Reaching the end twice without a tip in between means a whole pass found none.
    int nEndsWithoutTip = 0;
    while (nEndsWithoutTip < 2) {
        if (!std::fgets(szLine, sizeof szLine, m_pFile)) {
            ++nEndsWithoutTip;
            if (!RewindAfterEnd())
                return EReadResult::ReadFailed;
            continue;
        }
        if (IsSkipped(szLine))
            continue;
        strTip = Decode(szLine);
        return EReadResult::Tip;
    }
    return EReadResult::NoTips;
}

bool CTipsFile::RewindAfterEnd()
{
    for (int nAttempt = 0; nAttempt < kSeekAttempts; ++nAttempt) {
        std::clearerr(m_pFile);
        if (std::fseek(m_pFile, 0, SEEK_SET) == 0)
            return true;
        ++m_nFailedSeeks;
    }
    return false;
}

bool CTipsFile::IsSkipped(const char* szLine)
{
    // Text mode keeps "\r" here, so a CRLF file's empty line reads as "\r\n". A line that
    // starts with a NUL byte would show as an empty tip.
    if (szLine[0] == '\0' || std::strchr(" \t\n;", szLine[0]) != nullptr)
        return true;
    return szLine[0] == '\r' && (szLine[1] == '\n' || szLine[1] == '\0');
}

QString CTipsFile::Decode(const char* szLine)
{
    QByteArray bytes(szLine);
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    // A 999-byte piece may cut a UTF-8 sequence; such a piece falls back to Latin-1.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}
