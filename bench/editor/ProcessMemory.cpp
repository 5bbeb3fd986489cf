#include "ProcessMemory.h"

#include <QFile>

namespace {

long long StatusBytes(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

}  // namespace

long long PeakMemoryBytes()
{
    return StatusBytes("VmHWM:");
}

long long ResidentMemoryBytes()
{
    return StatusBytes("VmRSS:");
}

void ResetPeakMemory()
{
    // "5" resets the high-water mark of the process's resident set.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}
