#include "FuzzFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

CFuzzFile::CFuzzFile()
{
    QByteArray name = QFile::encodeName(QDir::tempPath() + QStringLiteral("/tarnel-fuzz-XXXXXX"));
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        std::perror("mkstemp");
        std::abort();
    }
    close(fd);
    m_strPath = QFile::decodeName(name);
}

CFuzzFile::~CFuzzFile()
{
    QFile::remove(m_strPath);
}

void CFuzzFile::Write(const std::uint8_t* data, std::size_t size)
{
    QFile file(m_strPath);
    const auto nSize = static_cast<qint64>(size);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), nSize) != nSize) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(m_strPath));
        std::abort();
    }
}
