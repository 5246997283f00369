#include "numeric/numeric.h"

#include <QLatin1String>
#include <QLocale>

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace numeric {

namespace {

constexpr int integerMin = std::numeric_limits<Integer>::min();
constexpr int integerMax = std::numeric_limits<Integer>::max();

// A decimal number as read from screen text, before it becomes a double: whole.fraction times ten
// to the exponent. Only ASCII digits are kept, so the conversion below never depends on the C
// locale the program runs under.
struct DecimalDigits
{
    bool negative = false;
    std::string whole;
    std::string fraction;
    std::int64_t exponent = 0;

    bool hasDigits() const { return !whole.empty() || !fraction.empty(); }
};

// Exponents are clamped here while they are read. The limit is beyond the length of any text, so
// even a clamped exponent still puts a number with a non-zero digit far outside the double range.
constexpr std::int64_t exponentLimit = 1'000'000'000'000'000;

// No decimal number with a non-zero digit and a decimal exponent (as in 0.d × 10^exponent) beyond
// these is a finite non-zero double: the largest is about 1.8e308, the smallest about 4.9e-324.
constexpr std::int64_t beyondLargest = 310;
constexpr std::int64_t beyondSmallest = -325;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// The double nearest to the number; nullopt when its magnitude is beyond the double range.
std::optional<double> nearestDouble(const DecimalDigits& number)
{
    const double zero = number.negative ? -0.0 : 0.0;
    // Written as 0.<significant digits>e<magnitude>, so that a long run of zeros before the first
    // significant digit or a huge exponent is settled here rather than handed to from_chars.
    std::string significant = number.whole + number.fraction;
    const std::size_t leadingZeros = significant.find_first_not_of('0');
    if (leadingZeros == std::string::npos)
        return zero;
    significant.erase(0, leadingZeros);
    const std::int64_t magnitude = static_cast<std::int64_t>(number.whole.size()) -
                                   static_cast<std::int64_t>(leadingZeros) + number.exponent;
    if (magnitude > beyondLargest)
        return std::nullopt;
    if (magnitude < beyondSmallest)
        return zero; // too small to tell from zero, which is not an error

    std::string text;
    text.reserve(significant.size() + 10);
    if (number.negative)
        text += '-';
    text += "0.";
    text += significant;
    text += 'e';
    text += std::to_string(magnitude);

    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::scientific);
    if (error == std::errc::result_out_of_range) {
        // Reported for both ends of the range.
        if (magnitude > 0)
            return std::nullopt;
        return zero;
    }
    Q_ASSERT(error == std::errc() && end == text.data() + text.size());
    return value;
}

double roundHalfEven(double value)
{
    // Written out rather than relying on nearbyint so that a changed rounding mode cannot
    // change how counts are rounded.
    const double nearest = std::round(value);
    if (std::fabs(nearest - value) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

QString outOfIntegerRange(const QString& shown)
{
    return QStringLiteral("%1 no está comprendido entre %2 y %3.")
        .arg(shown)
        .arg(integerMin)
        .arg(integerMax);
}

} // namespace

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

double textToDouble(const QString& text, QChar decimalSeparator)
{
    const auto notANumber = [&text] {
        return RuntimeError(ErrorKind::TypeMismatch,
                            QStringLiteral("«%1» no es un número.").arg(text));
    };
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };

    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    DecimalDigits number;
    qsizetype i = begin;
    if (i < end && isSign(text[i])) {
        number.negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool separatorSeen = false;
    for (; i < end && text[i] != QLatin1Char('E') && text[i] != QLatin1Char('e'); ++i) {
        const QChar c = text[i];
        if (isAsciiDigit(c))
            (separatorSeen ? number.fraction : number.whole) += char(c.unicode());
        else if (c == decimalSeparator && !separatorSeen)
            separatorSeen = true;
        else
            throw notANumber();
    }
    if (!number.hasDigits())
        throw notANumber();

    // Exponent form, as doubleToText writes very large and very small magnitudes: "1E-05".
    if (i < end) {
        ++i; // the E
        bool negativeExponent = false;
        if (i < end && isSign(text[i])) {
            negativeExponent = text[i] == QLatin1Char('-');
            ++i;
        }
        if (i == end)
            throw notANumber();
        for (; i < end; ++i) {
            if (!isAsciiDigit(text[i]))
                throw notANumber();
            number.exponent =
                std::min(number.exponent * 10 + (text[i].unicode() - u'0'), exponentLimit);
        }
        if (negativeExponent)
            number.exponent = -number.exponent;
    }

    const std::optional<double> value = nearestDouble(number);
    if (!value)
        throw RuntimeError(ErrorKind::Overflow,
                           QStringLiteral("«%1» es demasiado grande.").arg(text.trimmed()));
    return *value;
}

Integer textToInteger(const QString& text, QChar decimalSeparator)
{
    const double value = textToDouble(text, decimalSeparator);
    if (!fitsInteger(value))
        throw RuntimeError(ErrorKind::Overflow, outOfIntegerRange(text.trimmed()));
    return static_cast<Integer>(roundHalfEven(value));
}

double leadingNumberValue(const QString& text)
{
    QString packed;
    packed.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            packed += c;
    }

    DecimalDigits number;
    qsizetype i = 0;
    const qsizetype size = packed.size();
    if (i < size && isSign(packed[i])) {
        number.negative = packed[i] == QLatin1Char('-');
        ++i;
    }
    for (; i < size && isAsciiDigit(packed[i]); ++i)
        number.whole += char(packed[i].unicode());
    if (i < size && packed[i] == QLatin1Char('.')) {
        for (++i; i < size && isAsciiDigit(packed[i]); ++i)
            number.fraction += char(packed[i].unicode());
    }
    if (!number.hasDigits())
        return 0.0;

    // This rule never fails, so a huge number saturates instead of becoming infinite.
    constexpr double largest = std::numeric_limits<double>::max();
    return nearestDouble(number).value_or(number.negative ? -largest : largest);
}

Integer doubleToInteger(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::Overflow, QStringLiteral("El valor no es un número finito."));
    if (!fitsInteger(value))
        throw RuntimeError(ErrorKind::Overflow, outOfIntegerRange(doubleToText(value)));
    return static_cast<Integer>(roundHalfEven(value));
}

bool fitsInteger(double value)
{
    // isfinite first: an ordered comparison with NaN would raise the invalid flag that a
    // surrounding FloatingPointCheck looks at.
    if (!std::isfinite(value))
        return false;
    const double rounded = roundHalfEven(value);
    return rounded >= integerMin && rounded <= integerMax;
}

QString integerToText(Integer value)
{
    return QString::number(value);
}

QString doubleToText(double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinito") : QStringLiteral("Infinito");
    if (value == 0.0)
        return QStringLiteral("0"); // negative zero too

    // Correctly rounded to 15 significant digits, whatever the C locale says:
    // "[-]d.dddddddddddddde[+-]dd".
    char buffer[40];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    Q_ASSERT(error == std::errc());
    std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));

    const bool negative = scientific.front() == '-';
    if (negative)
        scientific.remove_prefix(1);
    // The few doubles just below the largest one round up to 1.79769313486232e+308, which is
    // beyond the double range and could not be read back: those are written rounded down. With
    // the same exponent the texts have the same length, so comparing them compares the numbers.
    constexpr std::string_view largestReadable = "1.79769313486231e+308";
    if (scientific.ends_with("e+308") && scientific > largestReadable)
        scientific = largestReadable;
    const std::size_t exponentMark = scientific.find('e');
    std::string digits(1, scientific[0]);
    digits += scientific.substr(2, exponentMark - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    int exponent = 0;
    for (std::size_t i = exponentMark + 2; i < scientific.size(); ++i)
        exponent = exponent * 10 + (scientific[i] - '0');
    if (scientific[exponentMark + 1] == '-')
        exponent = -exponent;

    QString text;
    if (negative)
        text += QLatin1Char('-');
    const auto append = [&text](std::string_view part) {
        text += QLatin1String(part.data(), static_cast<qsizetype>(part.size()));
    };

    if (exponent >= 15 || exponent < -4) {
        append(std::string_view(digits).substr(0, 1));
        if (digits.size() > 1) {
            text += decimalSeparator;
            append(std::string_view(digits).substr(1));
        }
        const int magnitude = std::abs(exponent);
        text += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
        text += QStringLiteral("%1").arg(magnitude, 2, 10, QLatin1Char('0'));
    } else if (exponent >= 0) {
        const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < wholeLength)
            digits.append(wholeLength - digits.size(), '0');
        append(std::string_view(digits).substr(0, wholeLength));
        if (digits.size() > wholeLength) {
            text += decimalSeparator;
            append(std::string_view(digits).substr(wholeLength));
        }
    } else {
        text += QLatin1Char('0');
        text += decimalSeparator;
        append(std::string(static_cast<std::size_t>(-exponent - 1), '0'));
        append(digits);
    }
    return text;
}

Integer addIntegers(Integer a, Integer b)
{
    const int sum = int(a) + int(b);
    if (sum < integerMin || sum > integerMax)
        throw RuntimeError(ErrorKind::Overflow, QStringLiteral("La suma %1 + %2 no está "
                                                               "comprendida entre %3 y %4.")
                                                    .arg(a)
                                                    .arg(b)
                                                    .arg(integerMin)
                                                    .arg(integerMax));
    return static_cast<Integer>(sum);
}

double power(double x, double y)
{
    // isless, not <, so that a NaN base does not raise the invalid flag here.
    if (std::isless(x, 0.0) && std::trunc(y) != y)
        throw RuntimeError(
            ErrorKind::InvalidArgument,
            QStringLiteral(
                "No se puede elevar el número negativo %1 a una potencia no entera (%2).")
                .arg(doubleToText(x), doubleToText(y)));
    return std::pow(x, y);
}

bool textEquals(const QString& a, const QString& b)
{
    return a == b;
}

FloatingPointCheck::FloatingPointCheck()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void FloatingPointCheck::check(double result) const
{
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised & FE_DIVBYZERO)
        throw RuntimeError(ErrorKind::DivisionByZero,
                           QStringLiteral("Se ha dividido un valor entre cero."));
    // The finiteness test does not rely on the flags: it still catches an overflow or invalid
    // operation if the compiler moved the arithmetic before the constructor cleared them, and an
    // infinite or NaN value that came in from outside. A division by zero then shows as overflow.
    if ((raised & (FE_OVERFLOW | FE_INVALID)) || !std::isfinite(result))
        throw RuntimeError(ErrorKind::Overflow,
                           QStringLiteral("El resultado del cálculo es demasiado grande o la "
                                          "operación no es válida."));
}

} // namespace numeric
