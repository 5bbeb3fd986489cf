#include "DocumentFile.h"
#include "DocumentReader.h"

#include "files/FileFailureSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Paths of each kind that is not a regular file, made in `dir`.
QStringList SpecialFiles(const QTemporaryDir& dir)
{
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    const QString socketPath = dir.filePath(QStringLiteral("socket"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(fd);
    return {fifo, socketPath, QStringLiteral("/dev/zero"), QStringLiteral("/dev/null")};
}

// A FIFO without a writer would block an ordinary open for ever: reaching the end is the test.
TEST(RegularFileTest, OnlyRegularFilesAreOpenedAndTheRestAreRefusedAtOnce)
{
    QTemporaryDir dir;
    for (const QString& path : SpecialFiles(dir)) {
        QFile file(path);
        QString error;
        EXPECT_FALSE(OpenDocumentFile(file, error)) << path.toStdString();
        EXPECT_EQ(error.toStdString(),
                  QStringLiteral("Could not open %1: not a regular file.").arg(path).toStdString());
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(OpenRegularStdioFile(path), nullptr) << path.toStdString();
        CDocumentReader reader(path);
        EXPECT_FALSE(reader.Open(error)) << path.toStdString();
    }
    QFile folder(dir.path());
    QString error;
    EXPECT_FALSE(OpenDocumentFile(folder, error));
    EXPECT_EQ(error, QStringLiteral("Could not open %1: Is a directory.").arg(dir.path()));
    EXPECT_EQ(OpenRegularStdioFile(dir.path()), nullptr);
}

TEST(RegularFileTest, ARegularFileOpensInEveryWayAndReadsNormally)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.xml"));
    WriteRaw(path, "<plain/>\n");
    QFile file(path);
    QString error;
    ASSERT_TRUE(OpenDocumentFile(file, error)) << error.toStdString();
    EXPECT_EQ(file.readAll(), QByteArray("<plain/>\n"));
    std::FILE* pFile = OpenRegularStdioFile(path);
    ASSERT_NE(pFile, nullptr);
    char line[32] = {};
    EXPECT_NE(std::fgets(line, sizeof line, pFile), nullptr);
    EXPECT_STREQ(line, "<plain/>\n");
    std::fclose(pFile);
}

TEST(RegularFileTest, StreamsModeStillReadsDevices)
{
    QFile file(QStringLiteral("/dev/zero"));
    QString error;
    ASSERT_TRUE(OpenDocumentFile(file, error, EFileKinds::Streams)) << error.toStdString();
    EXPECT_EQ(file.read(4), QByteArray(4, '\0'));
}

TEST(RegularFileTest, AFileTooLargeToEditIsRefusedBeforeAnythingIsRead)
{
    const struct
    {
        qint64 nSize;
        const char* reason;
    } cases[] = {
        {CDocumentReader::LargestEditableSize() + (1 << 20), "larger than this computer's memory"},
        {CDocumentReader::kLargestText + 1, "larger than the 2047 MB the editor can hold"},
    };
    for (const auto& c : cases) {
        if (c.nSize <= CDocumentReader::kLargestText + 1
            && c.nSize > CDocumentReader::LargestEditableSize())
            continue;  // a computer with less memory than the editor could hold says so first
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.xml"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (!file.resize(c.nSize))  // sparse: no disk space is used
            GTEST_SKIP() << "this file system cannot hold a sparse file of " << c.nSize << " bytes";
        file.close();
        CDocumentReader reader(path);
        QString error;
        EXPECT_FALSE(reader.Open(error));
        EXPECT_EQ(error, QStringLiteral("Could not open %1: at %2 MB it is %3.")
                             .arg(path)
                             .arg(c.nSize >> 20)
                             .arg(QString::fromLatin1(c.reason)));
    }
}

}  // namespace
