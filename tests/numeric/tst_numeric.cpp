#include "numeric/numeric.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <random>

using namespace numeric;

// The call's result as the shortest text that reads back exactly, or its RuntimeError's kind.
static QString outcome(auto&& call)
try {
    return QString::number(call(), 'g', QLocale::FloatingPointShortest);
} catch (const RuntimeError& error) {
    return QString("refused|overflow|zero divide|invalid").split('|')[int(error.kind())];
}

// The rules' outcomes for a text (toText takes a double in C notation).
// clang-format off
static QString toDouble(const QString& text) { return outcome([&] { return textToDouble(text); }); }
static QString toInteger(const QString& text) { return outcome([&] { return textToInteger(text); }); }
static QString leading(const QString& text) { return outcome([&] { return leadingNumberValue(text); }); }
static QString leadingRounded(const QString& text) { return outcome([&] { return doubleToInteger(leadingNumberValue(text)); }); }
static QString toText(const QString& number) { return doubleToText(number.toDouble()); }
// clang-format on

struct Case
{
    const char* name;
    QString (*rule)(const QString&);
    QStringList inputs;
    QString expected;
    QLocale::Language language = QLocale::Spanish;
};

static const QString zeros400(400, u'0');

// clang-format off
static const Case cases[] = {
    {"double: blanks and sign around a decimal comma", toDouble, {" \t+3,25 \t"}, "3.25"},
    {"double: not a number", toDouble, {"", "abc", "12abc", "1,2,3", "1.000", "E5", "-e5", "1E", "1E+", "1 E5", "1E2,5", "1E2E3", "1E٣", "٣"}, "refused"},
    {"double: too large", toDouble, {"-1" + zeros400, "1,79769313486232E+308", "1E+999999999999", "1E+18446744073709551617"}, "overflow"},
    {"double: underflow reads 0", toDouble, {"-1E-999999999999", "-1E-4294967297", "-2E-324", "-0E+99999"}, "0"},
    {"double: long digits balanced by the exponent", toDouble, {"1" + zeros400 + "E-400", "0," + zeros400 + "1E+401", "10e-1"}, "1"},
    {"double: English point", toDouble, {" -3.5E2 "}, "-350", QLocale::English},
    {"integer: too large", toInteger, {"32767,5", "40000", "1E+999999999999"}, "overflow"},
    {"integer: halves to even", toInteger, {"2,5", "1,5", "15E-1"}, "2"},
    {"integer: negative halves to even", toInteger, {"-2,5", "-1,5"}, "-2"},
    {"integer: smallest", toInteger, {"-32768,5"}, "-32768"},
    {"leading number: blanks inside are skipped", leading, {"1 2", "12abc", "12,5", "\t1\r\n2"}, "12"},
    {"leading number: a point is decimal", leading, {"95.5", "95.5E5"}, "95.5"},
    {"leading number: none", leading, {",5", "abc", ""}, "0"},
    {"leading number: too large reads the largest", leading, {"-1" + zeros400}, "-1.7976931348623157e+308"},
    {"leading number rounded: too large", leadingRounded, {"32767.5", "-32768.6"}, "overflow"},
    {"text: binary noise goes", toText, {"0.30000000000000004"}, "0,3"},
    {"text: no negative zero", toText, {"-0"}, "0"},
    {"text: small in exponent form", toText, {"1e-05"}, "1E-05"},
};
// clang-format on

static volatile double zero = 0.0, big = 1e308, tiny = 1e-308; // read at run time

// Each formula with its outcome when guarded as the program guards its formulas.
// clang-format off
static const std::pair<double (*)(), const char*> formulas[] = {
    {[] { return 0.0 + addIntegers(-32768, 32767); }, "-1"}, {[] { return power(-2, 3); }, "-8"},
    {[] { return 0.0 + addIntegers(32767, 1); }, "overflow"}, {[] { return big * 10; }, "overflow"},
    {[] { return power(-8, 0.5); }, "invalid"}, {[] { return 1 / zero; }, "zero divide"},
    {[] { return zero / zero; }, "overflow"}, {[] { return tiny / 1e10; }, "1e-318"},
};
// clang-format on

class TestNumeric final : public QObject
{
    Q_OBJECT

private slots:
    void textNumberRules_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(cases)); ++i)
            QTest::newRow(cases[i].name) << i;
    }

    void textNumberRules()
    {
        QFETCH(int, index);
        const Case& rule = cases[index];
        QLocale::setDefault(QLocale(rule.language));
        for (const QString& input : rule.inputs)
            QVERIFY2(rule.rule(input) == rule.expected,
                     qPrintable(QString("«%1» gives %2").arg(input, rule.rule(input))));
    }

    // Edges, powers of ten and seeded doubles, with their neighbours, both signs and separators:
    // the text written reads back as the value rounded to 15 digits (the largest, rounded down).
    void roundTrip()
    {
        QList<double> values = {0.0, 1.0 / 3, 0.1 + 0.2, 8.881784197001252e-16, 0x1p-1022};
        values << 1.7976931348623157e308 << 999999999999999.5 << 0.00009999999999999995;
        std::mt19937_64 random(0x4d61726b4949); // fixed, so that a failure can be replayed
        for (int draw = 0; draw < 5000; ++draw) // powers of ten, any bit pattern, any magnitude
            values << std::pow(10.0, draw % 616 - 307) << std::bit_cast<double>(random())
                   << std::pow(10.0, int64_t(random()) * 0x1p-59);
        for (const double value : QList<double>(values))
            values << std::nextafter(value, 0.0) << std::nextafter(value, HUGE_VAL);
        for (const double value : values) {
            if (!std::isfinite(value))
                continue;
            char digits[32] = {};                  // to 15 digits, halves to even
            double nearest = 1.79769313486231e308; // kept where 15 digits leave the range
            std::to_chars(digits, digits + 31, std::fabs(value), std::chars_format::scientific, 14);
            std::from_chars(digits, digits + 31, nearest);
            for (const double x : {value, -value})
                for (const QChar point : {u'.', u','})
                    QCOMPARE(outcome([&] { return textToDouble(doubleToText(x, point), point); }),
                             outcome([&] { return std::copysign(nearest, x); }));
        }
    }

    // Each formula guarded as the program guards its formulas; underflow and inexact are fine.
    void checkedArithmetic()
    {
        for (const auto& [formula, expected] : formulas) {
            std::feraiseexcept(FE_ALL_EXCEPT); // left over from an earlier formula, must not count
            const FloatingPointCheck guard;
            double result = 0.0;
            QCOMPARE(outcome([&] { return guard.check(result = formula()), result; }), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
