#pragma once

#include <QtGlobal>

class QEvent;
class QObject;

namespace bench {

// The monotonic clock in nanoseconds, the same in every process.
qint64 now();
// The processor time this process has used so far, in nanoseconds: a busy machine barely
// changes it.
qint64 cpuTime();
// This process's peak resident memory in kB.
qint64 peakMemoryKb();
// Paints an exposed window's frame now, in an event filter; true when it did.
bool paintExposed(QObject* watched, QEvent* event);

} // namespace bench
