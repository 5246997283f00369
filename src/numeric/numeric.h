#pragma once

// Text-number rules of the program: how the text of a box or label becomes a number and back,
// and which arithmetic is checked. Pure functions; a failing rule throws numeric::RuntimeError.

#include "numeric/runtime_error.h"

#include <QChar>
#include <QString>

#include <cstdint>

namespace numeric {

// The 16-bit signed whole number of counts, TGI and list positions.
using Integer = std::int16_t;

// Decimal separator of the user's locale (QLocale()), "," with Spanish settings.
QChar localeDecimalSeparator();

// Reads a signed decimal number with at most one decimal separator and an optional exponent
// ("1,5E+15", "1e-05"), blanks and tabs allowed around it; the nearest double. Throws TypeMismatch
// for any other text and Overflow beyond the double range; a magnitude too small to tell from
// zero reads as zero.
double textToDouble(const QString& text, QChar decimalSeparator = localeDecimalSeparator());

// Reads the text as textToDouble does and rounds it half to even. Throws as textToDouble, and
// Overflow when the rounded number is outside -32768..32767.
Integer textToInteger(const QString& text, QChar decimalSeparator = localeDecimalSeparator());

// The number at the start of the text once blanks, tabs and line breaks are removed, with "." as
// the only decimal point and no exponent: "12abc" is 12, "1E5" is 1; 0 when there is none. Never
// throws; a number beyond the double range gives the largest double of its sign.
double leadingNumberValue(const QString& text);

// The value rounded half to even. Throws Overflow outside -32768..32767 and for NaN or infinity.
Integer doubleToInteger(double value);

// True when doubleToInteger(value) would succeed.
bool fitsInteger(double value);

// Plain decimal text of the number: "-5", "0", "35".
QString integerToText(Integer value);

// The value rounded to 15 significant digits, with the given decimal separator and no trailing
// zeros; exponent form ("1E-05", "-1,5E+15") below 1E-04 and from 1E+15 in magnitude. Whatever
// it writes for a finite value, textToDouble reads back. Never throws.
QString doubleToText(double value, QChar decimalSeparator = localeDecimalSeparator());

// a + b. Throws Overflow when the sum leaves -32768..32767.
Integer addIntegers(Integer a, Integer b);

// x raised to y as std::pow. Throws InvalidArgument for a negative x with a non-integral y.
double power(double x, double y);

// True when both texts have the same characters in the same order; no case or accent folding.
bool textEquals(const QString& a, const QString& b);

// Guards one formula: construct it before the formula, call check() with the stored result.
// check() throws DivisionByZero when a non-zero value was divided by zero, and Overflow for a
// result beyond the double range or an invalid operation (0/0, inf - inf, 0 * inf). Underflow
// and rounding are fine.
//
// It reads the floating-point exception flags (fetestexcept), which only works if the compiler
// neither folds the guarded arithmetic at compile time nor moves it across the flag calls. GCC
// keeps to that in practice with its default -ftrapping-math and without -ffast-math (which
// src/numeric/CMakeLists.txt makes explicit for every user of this library), but it has no
// #pragma STDC FENV_ACCESS to promise it. So check() also tests the result itself: an overflow or
// invalid operation that reaches the result is caught even if the flags were lost. Only telling a
// division by zero from an overflow depends on the flags; without them it is reported as an
// overflow.
class FloatingPointCheck final
{
public:
    FloatingPointCheck();
    void check(double result) const;
};

} // namespace numeric
