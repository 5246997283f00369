#include "method/adjustment.h"

#include "numeric/numeric.h"

namespace method {

double complexityAdjustment(double tgi)
{
    const numeric::FloatingPointCheck check;
    const double act = tgi * 0.005 + 0.65;
    check.check(act);
    return act;
}

double adjustedSize(double unadjusted, double act)
{
    const numeric::FloatingPointCheck check;
    const double adjusted = unadjusted * act;
    check.check(adjusted);
    return adjusted;
}

double totalAdjustedSize(double batch, double onLine)
{
    const numeric::FloatingPointCheck check;
    const double total = onLine + batch;
    check.check(total);
    return total;
}

} // namespace method
