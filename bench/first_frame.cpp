#include "first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWindow>

#include <ctime>

namespace bench {

qint64 now()
{
    timespec moment{};
    clock_gettime(CLOCK_MONOTONIC, &moment);
    return qint64(moment.tv_sec) * 1'000'000'000 + moment.tv_nsec;
}

qint64 cpuTime()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1'000'000'000 + used.tv_nsec;
}

qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

bool paintExposed(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Expose || !watched->isWindowType() ||
        !static_cast<QWindow*>(watched)->isExposed())
        return false;
    // The window paints and flushes its first frame while it handles the exposure.
    watched->event(event);
    return true;
}

} // namespace bench
