// The command-line parser over any argument list (NUL bytes separate the arguments).
#include "CommandLineInfo.h"
#include "FuzzAssert.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList args;
    if (!bytes.isEmpty()) {
        for (const QByteArray& arg : bytes.split('\0'))
            args << QString::fromUtf8(arg);
    }
    const CCommandLineInfo info = ParseCommandLine(args);
    if (info.m_strFileName.isEmpty()) {
        FUZZ_ASSERT(info.m_nShellCommand != CCommandLineInfo::FileOpen);
        FUZZ_ASSERT(info.m_strPrinterName.isEmpty());
    } else {
        FUZZ_ASSERT(info.m_nShellCommand != CCommandLineInfo::FileNew);
        FUZZ_ASSERT(args.contains(info.m_strFileName));
        // A file name may begin with "-" only after "--".
        const qsizetype nEnd = args.indexOf(QStringLiteral("--"));
        FUZZ_ASSERT(!info.m_strFileName.startsWith(QLatin1Char('-'))
                    || (nEnd >= 0 && args.indexOf(info.m_strFileName, nEnd + 1) > nEnd));
    }
    FUZZ_ASSERT(info.m_strUnknownOption.isEmpty()
                || (info.m_strUnknownOption.startsWith(QLatin1Char('-'))
                    && args.contains(info.m_strUnknownOption)));
    FUZZ_ASSERT(info.m_strDriverName.isEmpty() || !info.m_strPrinterName.isEmpty());
    FUZZ_ASSERT(info.m_strPortName.isEmpty() || !info.m_strDriverName.isEmpty());
    return 0;
}
