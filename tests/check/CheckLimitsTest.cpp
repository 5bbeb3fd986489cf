#include "CheckCommand.h"

#include "files/FileFailureSupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

int RunCheck(const QStringList& args, QIODevice& in, QString& strErr)
{
    QString strOut;
    QTextStream out(&strOut);
    QTextStream err(&strErr);
    const int nStatus = RunCheckCommand(args, in, out, err);
    err.flush();
    return nStatus;
}

TEST(CheckLimitsTest, ANamedPipeIsReadLikeAFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::thread writer([&fifo] {
        QFile file(fifo);
        if (file.open(QIODevice::WriteOnly))
            file.write("<a><b/></a");
    });
    QBuffer none;
    none.open(QIODevice::ReadOnly);
    QString strErr;
    const int nStatus = RunCheck({fifo}, none, strErr);
    writer.join();
    EXPECT_EQ(nStatus, CHECK_EXIT_NOT_WELL_FORMED);
    EXPECT_TRUE(strErr.startsWith(fifo + QStringLiteral(":1:"))) << strErr.toStdString();
}

// Elements opened without end: expat keeps every open one in memory.
class CEndlessNesting : public QIODevice
{
public:
    explicit CEndlessNesting(qint64 nTotal) : m_nLeft(nTotal) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min(maxSize, m_nLeft);
        for (qint64 i = 0; i < n; ++i, ++m_nPosition)
            data[i] = "<a>"[m_nPosition % 3];
        m_nLeft -= n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 m_nLeft;
    qint64 m_nPosition = 0;
};

// Runs in a child: the address-space limit would hamper the rest of the tests.
TEST(CheckLimitsTest, InputTooLargeForMemoryIsReportedWithStatusTwo)
{
    if (!AddressSpaceLimitsWork())
        GTEST_SKIP() << "an address-space limit cannot work under a memory checker";
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        CEndlessNesting in(qint64(256) << 20);
        CAddressSpaceLimit limit(8 << 20);
        QString strErr;
        const int nStatus = RunCheck({QStringLiteral("-")}, in, strErr);
        const QByteArray text = strErr.toUtf8();
        const bool bWritten = ::write(fds[1], text.constData(), text.size()) == text.size();
        ::_exit(bWritten ? nStatus : 99);
    }
    ::close(fds[1]);
    QByteArray output;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    ::close(fds[0]);
    int nStatus = 0;
    ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), CHECK_EXIT_TROUBLE);
    EXPECT_EQ(output, QByteArray("-: too large to check: there is not enough memory.\n"));
}

}  // namespace
