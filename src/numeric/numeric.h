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

// text-to-double: blanks around a plain signed decimal number with at most one locale decimal
// separator. TypeMismatch if not a number, Overflow beyond the double range.
double textToDouble(const QString& text, QChar decimalSeparator = localeDecimalSeparator());

// text-to-integer: as textToDouble, then rounded half to even; Overflow outside -32768..32767.
Integer textToInteger(const QString& text, QChar decimalSeparator = localeDecimalSeparator());

// leading-number value: blanks, tabs and line feeds removed, then the longest leading
// number with "." as the only decimal point; 0 when none. Never fails.
double leadingNumberValue(const QString& text);

// double-to-integer: rounded half to even; Overflow outside -32768..32767 (and for NaN).
Integer doubleToInteger(double value);

// True when doubleToInteger(value) would succeed.
bool fitsInteger(double value);

// integer-to-text: "-5", "0", "35".
QString integerToText(Integer value);

// double-to-text: 15 significant digits, locale decimal separator, no trailing zeros.
QString doubleToText(double value, QChar decimalSeparator = localeDecimalSeparator());

// integer-overflow: a + b, Overflow when the sum leaves -32768..32767.
Integer addIntegers(Integer a, Integer b);

// power: x^y as std::pow; InvalidArgument for a negative x with a non-integral y.
double power(double x, double y);

// text-compare: same characters in the same order, no folding.
bool textEquals(const QString& a, const QString& b);

// floating-point check: construct before a formula, call check() once its result is stored.
// A non-zero value divided by zero gives DivisionByZero; a result beyond the double range or an
// invalid operation (0/0, inf - inf, 0 * inf) gives Overflow. Underflow and rounding are fine.
class FloatingPointCheck final
{
public:
    FloatingPointCheck();
    void check(double result) const;
};

} // namespace numeric
