#pragma once

// The degrees of influence: the 19 technical complexity attributes, the six degrees each is rated
// by, and their sum, the total degree of influence (TGI).

#include "numeric/numeric.h"

#include <QStringList>

#include <array>

namespace method {

constexpr int kAttributes = 19;

// The attributes' names in rating order. Those of the 16th and 17th end with a blank, as they
// always have, and are shown so.
const QStringList& attributeNames();

// The six degrees of influence, "0-Sin Influencia" to "5-Inf.Muy Fuerte"; a degree's position in
// the list is its rating.
const QStringList& degrees();

// TGI: the 19 ratings added one by one from 0. Throws numeric::RuntimeError when a partial sum
// leaves the 16-bit range.
numeric::Integer totalInfluence(const std::array<numeric::Integer, kAttributes>& ratings);

} // namespace method
