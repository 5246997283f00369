#include "numeric/numeric.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <random>

using namespace numeric;

// What the call returns as the shortest text that reads back exactly (QCOMPARE on doubles is
// fuzzy), or the kind of RuntimeError it throws; anything else thrown fails the test.
static QString outcome(auto&& call)
try {
    return QString::number(call(), 'g', QLocale::FloatingPointShortest);
} catch (const RuntimeError& error) {
    return QString("refused|overflow|zero divide|invalid").split('|')[int(error.kind())];
}

// Cases of a rule as "inputs=outcome", inputs split at | and cases at ;. A text read as a Double
// (D), an Integer (I), by its leading number (L), by that leading number rounded to an Integer
// (R); a number written as text (W). In lower case under an English locale, else a Spanish one.
// Z stands for 400 zeros.
// clang-format off
static const std::pair<char, const char*> rules[] = {
    {'D', " \t+3,25 \t=3.25;-7=-7"}, {'L', "1 2|12abc|12,5|\t1\r\n2=12;95.5|95.5E5=95.5;,5|abc|=0"},
    {'D', "|abc|12abc|1,2,3|1.000|E5|-e5|1E|1E+|1 E5|1E2,5|1E2E3|1E٣|٣=refused"},
    {'D', "-1Z|1,79769313486232E+308|1E+999999999999|1E+18446744073709551617=overflow"},
    {'D', "1E-05=1e-05;8,88178419700125E-16=8.88178419700125e-16;1,5e+15=1.5e+15"},
    {'D', "-1E-999999999999|-1E-4294967297|-2E-324|-0E+99999=0;1ZE-400|0,Z1E+401=1"},
    {'d', " -3.5E2 =-350;1,5=refused;1.5=1.5"}, {'I', "32767,5|40000|1E+999999999999=overflow"},
    {'I', "3,5|35E-1=4;2,5=2;-2,5E0|-2,5=-2;0,5=0;-32768,5=-32768"}, {'w', "0.825=0.825"},
    {'R', "95.5=96;94.5|94.4=94;32767.5|-32768.6=overflow"}, {'L', "-1Z=-1.7976931348623157e+308"},
    {'W', "0.3333333333333333=0,333333333333333;0.6666666666666666=0,666666666666667"},
    {'W', "0.30000000000000004=0,3;1500=1500;-2.5=-2,5;-0=0;1e-05=1E-05"}, {'I', "|abc=refused"},
    {'W', "999999999999999.9=1E+15;1.7976931348623157e308=1,79769313486231E+308"},
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
        QTest::addColumn<QChar>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        for (const auto& [rule, cases] : rules)
            for (const QString& item : QString::fromUtf8(cases).split(u';'))
                for (const QString& input : item.section(u'=', 0, -2).split(u'|'))
                    QTest::addRow("%c «%s»", rule, qPrintable(input))
                        << QChar(rule) << QString(input).replace(u'Z', QString(400, u'0'))
                        << item.section(u'=', -1);
    }

    void textNumberRules()
    {
        QFETCH(QChar, rule);
        QFETCH(QString, input);
        QLocale::setDefault(QLocale(rule.isLower() ? QLocale::English : QLocale::Spanish));
        const double lead = leadingNumberValue(input);
        // clang-format off
        const QString results[] = {outcome([&] { return textToDouble(input); }),
            outcome([&] { return textToInteger(input); }), outcome([&] { return lead; }),
            outcome([&] { return doubleToInteger(lead); }), doubleToText(input.toDouble())};
        // clang-format on
        QTEST(results[QString("DILRW").indexOf(rule.toUpper())], "expected");
        QVERIFY(rule != u'R' || fitsInteger(lead) == (results[3] != "overflow"));
    }

    // Edge values and the powers of ten, each just below, at and just above, then seeded random
    // doubles; both signs, both separators: the text written reads back as the value rounded to
    // 15 digits, halves to even (beside the largest double, rounded down).
    void roundTrip()
    {
        // clang-format off
        const double edges[] = {0.0, 1.0 / 3, 0.1 + 0.2, 8.881784197001252e-16, 0x1p-1022,
                                1.7976931348623157e308, 999999999999999.5, 0.00009999999999999995};
        // clang-format on
        std::mt19937_64 random(0x4d61726b4949); // fixed, so that a failure can be replayed
        for (int draw = 0, fixed = 3 * (8 + 616); draw < fixed + 40000; ++draw) {
            const double edge = draw < 24 ? edges[draw / 3] : std::pow(10.0, draw / 3 - 8 - 307);
            const double x =
                (draw % 2 ? -1 : 1) * (draw < fixed ? std::nextafter(edge, draw % 3 * edge)
                                       : draw % 3   ? std::bit_cast<double>(random())
                                                    : std::pow(10.0, int64_t(random()) * 0x1p-59));
            char digits[32] = {};                  // x to 15 digits, halves to even
            double nearest = 1.79769313486231e308; // kept where 15 digits leave the range
            std::to_chars(digits, digits + 31, std::fabs(x), std::chars_format::scientific, 14);
            std::from_chars(digits, digits + 31, nearest);
            const QChar point = draw / 2 % 2 ? u'.' : u',';
            if (std::isfinite(x))
                QCOMPARE(outcome([&] { return textToDouble(doubleToText(x, point), point); }),
                         outcome([&] { return std::copysign(nearest, x); }));
        }
    }

    // Any text: the rules fail only with RuntimeError; an Integer read from a text is the Double
    // read from it rounded half to even when that fits, else the Double's error or Overflow.
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
            // + 0.0 since an Integer has no -0
            QString want = outcome([&] { return std::nearbyint(textToDouble(text, point)) + 0.0; });
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
