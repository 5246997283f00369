#pragma once

// The effort W in working hours and the delivery time PE in weeks, from the adjusted size PFA,
// the productivity P and the system type:
//     W = PFA × B / P,  E = 0.45 × √PFA,  PE = PFA / E
// with B the effort factor of the system type. Each step throws numeric::RuntimeError when its
// result fails the floating-point check.

#include "method/system_type.h"

namespace method {

// B: 1.5 for batch, 1 for on line; for a mixed system the two weighted by the unadjusted points
// of each part, (batch × 1.5 + on line) / (batch + on line), and 1 when both parts have none.
// The points are read for a mixed system only.
double effortFactor(SystemType type, double batchPoints, double onLinePoints);

// W = (PFA × B) / P hours.
double effortHours(double size, double factor, double productivity);

// E = √PFA × 0.45. A negative size throws numeric::RuntimeError.
double deliveryDivisor(double size);

// PE = PFA / E weeks; a system of size 0 takes none.
double deliveryWeeks(double size, double divisor);

} // namespace method
