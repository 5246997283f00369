#include "numeric/numeric.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <bit>
#include <cfenv>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <random>

using namespace numeric;
using namespace Qt::StringLiterals;

namespace {

constexpr int NoError = -1;
constexpr int Overflow = int(ErrorKind::Overflow);

// The kind of RuntimeError the call throws, NoError when it returns; anything else thrown goes
// through, and QtTest fails the test on it.
template <typename F> int errorOf(F&& call)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        return int(error.kind());
    }
    return NoError;
}

// Exact text of a double, "-0" for negative zero: QCOMPARE on doubles is fuzzy.
QString exactly(double value)
{
    return QString::number(value, 'g', 17);
}

// Why the text written for x does not read back as x rounded to 15 digits; empty when it does.
QString roundTripProblem(double x, QChar separator)
{
    const QString text = doubleToText(x, separator);
    double back = 0.0, nearest = x; // nearest stays x only where 15 digits leave the range
    const int error = errorOf([&] { back = textToDouble(text, separator); });
    char digits[40];
    const auto written = std::to_chars(digits, digits + 40, x, std::chars_format::scientific, 14);
    const bool inRange = std::from_chars(digits, written.ptr, nearest).ec == std::errc();
    if (error == NoError && doubleToText(back, separator) == text &&
        (!inRange || back == nearest) &&
        std::fabs(back - x) <= (5e-15 + DBL_EPSILON) * std::fabs(x))
        return {};
    return u"%1 written «%2», read %3 (error %4) "_s.arg(exactly(x), text, exactly(back))
        .arg(error);
}

// Cases of a rule as "input=expected", split at |. A text read as a Double (D), an Integer (I),
// by its leading number (L), by that leading number rounded to an Integer (R), gives a number,
// "refused" (type mismatch) or "overflow"; a number written as text (W) gives that text. In
// lower case under an English locale, else a Spanish one. Z stands for 400 zeros.
const std::tuple<char, const char*, const char*> rules[] = {
    {'D', "blanks, signs", " \t+3,25 \t=3.25|-7=-7"},
    {'d', "dot locale", " -3.5E2 =-350|1,5=refused|1.5=1.5"},
    {'D', "mismatch", "1.000|12abc|1,2,3|E5|-e5|1E|1E+|1 E5|1E2,5|1E2E3|1E٣|٣|=refused"},
    {'D', "overflow", "-1Z|1,79769313486232E+308|1E+999999999999|1E+18446744073709551617=overflow"},
    {'D', "exponent forms", "1E-05=1e-05|8,88178419700125E-16=8.88178419700125e-16|1,5e+15=1.5e15"},
    {'D', "underflow to zero", "-1E-999999999999|-1E-4294967297|-2E-324|-0E+99999=-0"},
    {'D', "exponent undoes long digits", "1ZE-400|0,Z1E+401|,1E1=1"},
    {'D', "smallest subnormal", "4,94065645841247E-324=5e-324"},
    {'I', "half to even", "3,5|35E-1=4|-2,5E0|-2,5=-2|0,5=0|-32768,5=-32768"},
    {'I', "overflow", "32767,5|40000|1E+999999999999=overflow"},
    {'I', "mismatch", "|abc=refused"},
    {'L', "leading number",
     "\t1 \r\n2abc|12,5=12|95.5E5=95.5|,5|abc|=0|-1Z=-1.7976931348623157e308"},
    {'R', "half to even", "95.5=96|94.5|94.4=94|32767.5|-32768.6=overflow"},
    {'W', "fractions", "0.3333333333333333=0,333333333333333|0.6666666666666666=0,666666666666667"},
    {'W', "sums", "0.30000000000000004=0,3|1500=1500|-2.5=-2,5|-0=0"},
    {'W', "exponent forms", "999999999999999.9=1E+15|1e-05=1E-05|-1.5e15=-1,5E+15"},
    {'W', "largest double rounds down", "1.7976931348623157e308=1,79769313486231E+308"},
    {'w', "dot locale", "0.825=0.825"},
};

} // namespace

class TestNumeric final : public QObject
{
    Q_OBJECT

private slots:
    void textNumberRules_data()
    {
        QTest::addColumn<QChar>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        for (const auto& [rule, name, cases] : rules) {
            QStringList inputs;
            for (const QString& item : QString::fromUtf8(cases).split(u'|')) {
                const qsizetype equals = item.lastIndexOf(u'=');
                inputs << item.left(equals);
                for (const QString& input : equals < 0 ? QStringList() : std::exchange(inputs, {}))
                    QTest::addRow("%c %s «%s»", rule, name, qPrintable(input))
                        << QChar(rule) << QString(input).replace(u'Z', QString(400, u'0'))
                        << item.mid(equals + 1);
            }
        }
    }

    void textNumberRules()
    {
        QFETCH(QChar, rule);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        QLocale::setDefault(rule.isLower() ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : QLocale(QLocale::Spanish, QLocale::Spain));
        if (rule.toUpper() == u'W') {
            QCOMPARE(doubleToText(input.toDouble()), expected);
            return;
        }
        double result = 0.0; // stays 0, as "refused" and "overflow" read, when the rule throws
        const int error = errorOf([&] {
            result = rule == u'R'   ? doubleToInteger(leadingNumberValue(input))
                     : rule == u'L' ? leadingNumberValue(input)
                     : rule == u'I' ? textToInteger(input)
                                    : textToDouble(input);
        });
        QCOMPARE(error, expected == u"refused"    ? int(ErrorKind::TypeMismatch)
                        : expected == u"overflow" ? Overflow
                                                  : NoError);
        QCOMPARE(exactly(result), exactly(expected.toDouble()));
        if (rule == u'R')
            QCOMPARE(fitsInteger(leadingNumberValue(input)), error == NoError);
    }

    // Powers of ten across the range, edge values and a unit either side of each, then seeded
    // random doubles, both signs, both separators: what is written reads back as the text shows.
    void roundTrip()
    {
        QList<double> edges{0.0,     1.0 / 3, 0.1 + 0.2,         8.881784197001252e-16,
                            DBL_MIN, DBL_MAX, 999999999999999.5, 0.00009999999999999995};
        for (int exponent = -307; exponent <= 308; ++exponent)
            edges << QByteArray("1e" + QByteArray::number(exponent)).toDouble();
        std::mt19937_64 random(0x4d61726b4949); // fixed, so that a failure can be replayed
        std::uniform_real_distribution<double> ordinary(-1e6, 1e6), tenPower(-20.0, 20.0);
        const double towards[] = {HUGE_VAL, 0.0, -HUGE_VAL};
        for (qsizetype draw = 0, fixed = 3 * edges.size(); draw < fixed + 20000; ++draw) {
            const double x = draw < fixed    ? std::nextafter(edges[draw / 3], towards[draw % 3])
                             : draw % 3 == 0 ? std::bit_cast<double>(random())
                             : draw % 3 == 1 ? ordinary(random)
                                             : std::pow(10.0, tenPower(random));
            if (!std::isfinite(x))
                continue;
            const QString problem = roundTripProblem(x, u',') + roundTripProblem(-x, u'.');
            QVERIFY2(problem.isEmpty(), qPrintable(u"draw %1: "_s.arg(draw) + problem));
        }
    }

    // Any text: the rules fail only with RuntimeError, and an Integer read from a text is the
    // Double read from it rounded half to even, whenever that fits.
    void randomTextReadsConsistently()
    {
        std::mt19937_64 random(0x4d6b49493130); // fixed, so that a failure can be replayed
        const QStringList pieces =
            u"0|1|2|3|4|5|6|7|8|9|0|1|+|-|,|.|E|e| |\t|\n|a|x|ñ|½|٣|E+400|e-400|32767|-32768"_s
                .split(u'|')
            << QString(400, u'7') << QString(40, u'0');
        int integersRead = 0;
        for (int draw = 0; draw < 6000; ++draw) {
            QString text;
            for (auto length = random() % 9; length > 0; --length)
                text += pieces[qsizetype(random() % pieces.size())];
            const QChar separator = draw % 2 ? u',' : u'.';
            double asDouble = 0.0, asInteger = 0.0;
            const bool read = errorOf([&] { asDouble = textToDouble(text, separator); }) == NoError;
            const bool readInteger =
                errorOf([&] { asInteger = textToInteger(text, separator); }) == NoError;
            const bool fits = read && std::fabs(std::nearbyint(asDouble) + 0.5) <= 32767.5;
            QVERIFY2(readInteger == fits && (!fits || asInteger == std::nearbyint(asDouble)),
                     qPrintable(u"draw %1: «%2»"_s.arg(draw).arg(text)));
            integersRead += fits;
            errorOf([&] { doubleToInteger(leadingNumberValue(text)); });
        }
        QVERIFY(integersRead > 300); // the texts do exercise the successful reads
    }

    void checkedArithmetic()
    {
        QCOMPARE(addIntegers(-32768, 32767), Integer(-1));
        QCOMPARE(errorOf([] { return addIntegers(32767, 1); }), Overflow);
        QCOMPARE(errorOf([] { return addIntegers(-32768, -1); }), Overflow);
        QCOMPARE(power(-2.0, 3.0), -8.0);
        QCOMPARE(errorOf([] { return power(-8.0, 0.5); }), int(ErrorKind::InvalidArgument));
        volatile double zero = 0.0, one = 1.0, big = 1e308, tiny = 1e-308, inf = HUGE_VAL;
        const auto checked = [](auto formula) {
            std::feraiseexcept(FE_ALL_EXCEPT); // left over from an earlier formula, must not count
            FloatingPointCheck guard;
            volatile double result = formula();
            return errorOf([&] { guard.check(result); });
        };
        QCOMPARE(checked([&] { return one / zero; }), int(ErrorKind::DivisionByZero));
        QCOMPARE(checked([&] { return zero / zero; }), Overflow);
        QCOMPARE(checked([&] { return big * 10; }), Overflow);
        QCOMPARE(checked([&] { return inf - inf; }), Overflow);
        QCOMPARE(checked([&] { return zero * inf; }), Overflow);
        QCOMPARE(checked([&] { return tiny / 1e10; }), NoError); // underflow
        QCOMPARE(checked([&] { return one / 3; }), NoError);     // inexact
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
