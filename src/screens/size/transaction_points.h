#pragma once

#include "numeric/numeric.h"

// Mk II unadjusted function points of one logical transaction: 0.58 per input data element type,
// 1.66 per entity type referenced, 0.26 per output data element type. The terms are added in
// this order on every entry screen, so equal counts give equal points to the last bit.
inline double transactionPoints(numeric::Integer entities, numeric::Integer inputs,
                                numeric::Integer outputs)
{
    const numeric::FloatingPointCheck check;
    double t = static_cast<double>(inputs) * 0.58;
    t = t + static_cast<double>(entities) * 1.66;
    t = t + static_cast<double>(outputs) * 0.26;
    check.check(t);
    return t;
}
