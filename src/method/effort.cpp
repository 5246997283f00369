#include "method/effort.h"

#include "numeric/numeric.h"

namespace method {

double effortFactor(SystemType type, double batchPoints, double onLinePoints)
{
    switch (type) {
    case SystemType::Batch:
        return 1.5;
    case SystemType::OnLine:
        return 1;
    case SystemType::Mixed:
        break;
    }
    // No points on either side leaves nothing to weigh by; take the plain factor.
    if (batchPoints + onLinePoints == 0)
        return 1;
    const numeric::FloatingPointCheck fp;
    const double factor = (batchPoints * 1.5 + onLinePoints) / (batchPoints + onLinePoints);
    fp.check(factor);
    return factor;
}

double effortHours(double size, double factor, double productivity)
{
    const numeric::FloatingPointCheck fp;
    const double hours = (size * factor) / productivity;
    fp.check(hours);
    return hours;
}

double deliveryDivisor(double size)
{
    const numeric::FloatingPointCheck fp;
    const double divisor = numeric::power(size, 0.5) * 0.45;
    fp.check(divisor);
    return divisor;
}

double deliveryWeeks(double size, double divisor)
{
    // A system of size zero takes no time to deliver (E is 0 as well).
    const numeric::FloatingPointCheck fp;
    const double weeks = size == 0 ? 0 : size / divisor;
    fp.check(weeks);
    return weeks;
}

} // namespace method
