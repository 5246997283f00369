// Linked into a program, ends it as soon as its first window has been painted and put on the
// display, printing that moment (monotonic clock, ns), the processor time used (ns) and the peak
// memory (kB) for the start
// benchmark.
#include "first_frame.h"

#include <QCoreApplication>
#include <QObject>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstFrame final : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!bench::paintExposed(watched, event))
            return false;
        std::printf("frame %lld %lld %lld\n", static_cast<long long>(bench::now()),
                    static_cast<long long>(bench::cpuTime()),
                    static_cast<long long>(bench::peakMemoryKb()));
        std::fflush(stdout);
        std::_Exit(0);
    }
};

void watchFirstFrame()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrame);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrame)
