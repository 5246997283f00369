#pragma once

// The productivity P, in function points per hour, from the adjusted size and the programming
// language:
//     P = B × (0.11 × 2.718281828^(−((A − 250) / 575)²) + 0.01 × A^1.1 / 522)
// with A the adjusted size and B the language factor.

#include <QStringList>

namespace method {

// The languages in list order; the first ten are the fourth-generation ones that get the higher
// factor. Some names carry a trailing blank ("FOX ", "PASCAL ", "Smalltalk ", "PL/1 "), and are
// shown so.
const QStringList& languages();

// The language factor B of a list position: 1.6 for positions 0 to 9, 1.0 for any other.
double languageFactor(double position);

// The productivity and the two terms it is made of.
struct Productivity
{
    double bellCurve = 0; // 0.11 × 2.718281828^(−((A − 250) / 575)²), 0.11 at A = 250
    double growth = 0;    // 0.01 × A^1.1 / 522
    double perHour = 0;   // P = (growth + bellCurve) × B
};

// P for an adjusted size and a language factor. Every step is checked before the next runs, and a
// failing one throws numeric::RuntimeError; a negative size is refused with a message that says
// why and what the user can do.
Productivity productivity(double size, double languageFactor);

} // namespace method
