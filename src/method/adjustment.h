#pragma once

// The technical complexity adjustment: ACT from the total degree of influence, and the adjusted
// function points it gives the unadjusted ones.

namespace method {

// ACT = TGI × 0.005 + 0.65, the product first: TGI 0 gives 0.65, 70 gives 1, 95 gives 1.125.
// Throws numeric::RuntimeError for a result beyond the double range.
double complexityAdjustment(double tgi);

// The adjusted function points of one part of the system, batch or on line: unadjusted × ACT.
double adjustedSize(double unadjusted, double act);

// PFA of a system with both parts: the on-line part plus the batch part. A system with only one
// part has that part's adjusted size as its PFA.
double totalAdjustedSize(double batch, double onLine);

} // namespace method
