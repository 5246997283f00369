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
    {"double: small exponent", toDouble, {"1E-05"}, "1e-05"},
    {"double: not a number", toDouble, {"", "abc", "12abc", "1,2,3", "1.000", "E5", "-e5", "1E", "1E+", "1 E5", "1E2,5", "1E2E3", "1E٣", "٣"}, "refused"},
    {"double: too large", toDouble, {"-1" + zeros400, "1,79769313486232E+308", "1E+999999999999", "1E+18446744073709551617"}, "overflow"},
    {"double: machine epsilon", toDouble, {"8,88178419700125E-16"}, "8.88178419700125e-16"},
    {"double: lower-case exponent", toDouble, {"1,5e+15"}, "1.5e+15"},
    {"double: underflow reads 0", toDouble, {"-1E-999999999999", "-1E-4294967297", "-2E-324", "-0E+99999"}, "0"},
    {"double: long digits balanced by the exponent", toDouble, {"1" + zeros400 + "E-400", "0," + zeros400 + "1E+401"}, "1"},
    {"double: English point", toDouble, {" -3.5E2 "}, "-350", QLocale::English},
    {"double: English refuses a comma", toDouble, {"1,5"}, "refused", QLocale::English},
    {"integer: too large", toInteger, {"32767,5", "40000", "1E+999999999999"}, "overflow"},
    {"integer: rounds up", toInteger, {"3,5", "35E-1"}, "4"},
    {"integer: half to even, down", toInteger, {"2,5"}, "2"},
    {"integer: negative half to even", toInteger, {"-2,5E0", "-2,5"}, "-2"},
    {"integer: a half rounds to 0", toInteger, {"0,5"}, "0"},
    {"integer: smallest", toInteger, {"-32768,5"}, "-32768"},
    {"integer: not a number", toInteger, {"", "abc"}, "refused"},
    {"leading number: blanks inside are skipped", leading, {"1 2", "12abc", "12,5", "\t1\r\n2"}, "12"},
    {"leading number: a point is decimal", leading, {"95.5", "95.5E5"}, "95.5"},
    {"leading number: none", leading, {",5", "abc", ""}, "0"},
    {"leading number: too large reads the largest", leading, {"-1" + zeros400}, "-1.7976931348623157e+308"},
    {"leading number rounded: half to even, up", leadingRounded, {"95.5"}, "96"},
    {"leading number rounded: half to even, down", leadingRounded, {"94.5", "94.4"}, "94"},
    {"leading number rounded: too large", leadingRounded, {"32767.5", "-32768.6"}, "overflow"},
    {"text: rounds the 15th digit", toText, {"0.6666666666666666"}, "0,666666666666667"},
    {"text: binary noise goes", toText, {"0.30000000000000004"}, "0,3"},
    {"text: negative", toText, {"-2.5"}, "-2,5"},
    {"text: no negative zero", toText, {"-0"}, "0"},
    {"text: small in exponent form", toText, {"1e-05"}, "1E-05"},
    {"text: 15 nines round up", toText, {"999999999999999.9"}, "1E+15"},
    {"text: largest double", toText, {"1.7976931348623157e308"}, "1,79769313486231E+308"},
    {"text: English point", toText, {"0.825"}, "0.825", QLocale::English},
};
// clang-format on

static volatile double zero = 0.0, big = 1e308, tiny = 1e-308, inf = HUGE_VAL; // read at run time

// Each formula with its outcome when guarded as the program guards its formulas.
// clang-format off
static const std::pair<double (*)(), const char*> formulas[] = {
    {[] { return 0.0 + addIntegers(-32768, 32767); }, "-1"}, {[] { return power(-2, 3); }, "-8"},
    {[] { return 0.0 + addIntegers(32767, 1); }, "overflow"}, {[] { return big * 10; }, "overflow"},
    {[] { return power(-8, 0.5); }, "invalid"}, {[] { return 1 / zero; }, "zero divide"},
    {[] { return zero / zero; }, "overflow"}, {[] { return inf - inf; }, "overflow"},
    {[] { return tiny / 1e10; }, "1e-318"}, {[] { return big + 1; }, "1e+308"},
};
// clang-format on

class TestNumeric final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

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
        for (const QString& input : rule.inputs) {
            const QString result = rule.rule(input);
            QVERIFY2(result == rule.expected,
                     qPrintable(QString("«%1» gives %2").arg(input, result)));
            if (rule.rule == leadingRounded) // the check that guards the rounding agrees
                QCOMPARE(fitsInteger(leadingNumberValue(input)), result != "overflow");
        }
    }

    // Edges, powers of ten and seeded doubles, with their neighbours, both signs and separators:
    // the text written reads back as the value rounded to 15 digits (the largest, rounded down).
    void roundTrip()
    {
        QList<double> values = {0.0, 1.0 / 3, 0.1 + 0.2, 8.881784197001252e-16, 0x1p-1022};
        values << 1.7976931348623157e308 << 999999999999999.5 << 0.00009999999999999995;
        for (int exponent = -307; exponent <= 308; ++exponent)
            values << std::pow(10.0, exponent);
        QList<double> neighbours;
        for (const double value : values)
            neighbours << std::nextafter(value, 0.0) << value << std::nextafter(value, HUGE_VAL);
        std::mt19937_64 random(0x4d61726b4949); // fixed, so that a failure can be replayed
        for (int draw = 0; draw < 5000; ++draw) {
            neighbours << std::bit_cast<double>(random());             // any bit pattern
            neighbours << std::pow(10.0, int64_t(random()) * 0x1p-59); // any magnitude
        }
        for (const double value : neighbours) {
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

    // Any text: an Integer read is the Double read rounded half to even, or its error, or Overflow.
    void randomTextReadsConsistently()
    {
        std::mt19937_64 random(0x4d6b49493130); // fixed, so that a failure can be replayed
        // clang-format off
        const QStringList pieces = QString("0|1|2|3|4|5|6|7|8|9|0|1|+|-|,|.|E|e| |\t|\n|a|x|ñ|½|٣|"
            "E+400|e-400|32767|-32768|%1|%2").arg(QString(400, '7'), QString(40, '0')).split('|');
        // clang-format on
        for (int draw = 0; draw < 6000; ++draw) {
            QString text;
            for (auto length = random() % 9; length > 0; --length)
                text += pieces[qsizetype(random() % pieces.size())];
            const QChar point = draw % 2 ? u',' : u'.';
            QString want =
                outcome([&] { return std::nearbyint(textToDouble(text, point)) + 0.0; }); // no -0
            if (std::fabs(want.toDouble() + 0.5) > 32767.5) // an error's name reads 0
                want = "overflow";
            QVERIFY2(outcome([&] { return textToInteger(text, point); }) == want,
                     qPrintable(QString("draw %1: «%2»").arg(draw).arg(text)));
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
