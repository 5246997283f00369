#include "numeric/numeric.h"

#include <QLocale>
#include <QTest>

#include <cfenv>
#include <cfloat>
#include <cmath>

using namespace numeric;

namespace {

constexpr int NoError = -1;
constexpr int TypeMismatch = int(ErrorKind::TypeMismatch);
constexpr int Overflow = int(ErrorKind::Overflow);

const QChar comma(u',');
const QChar dot(u'.');

// The kind of RuntimeError the call throws, NoError when it returns.
template <typename F> int errorOf(F&& call)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        return int(error.kind());
    }
    return NoError;
}

} // namespace

class TestNumeric final : public QObject
{
    Q_OBJECT

private slots:
    void separatorFollowsLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(numeric::doubleToText(0.825), QStringLiteral("0.825"));
        QCOMPARE(numeric::textToDouble(QStringLiteral("0.5")), 0.5);
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(numeric::doubleToText(0.825), QStringLiteral("0,825"));
    }

    // Text read as a Double (D), an Integer (I), by its leading number (L), and that leading
    // number rounded to an Integer (R).
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("rule");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        const QString huge = "-1" + QString(400, u'0');
        QTest::newRow("D blanks and tabs around") << " \t7 \t" << 'D' << comma << 7.0 << NoError;
        QTest::newRow("D sign, comma fraction") << "+3,25" << 'D' << comma << 3.25 << NoError;
        QTest::newRow("D dot locale") << "12.5" << 'D' << dot << 12.5 << NoError;
        QTest::newRow("D comma under dot") << "1,5" << 'D' << dot << 0.0 << TypeMismatch;
        QTest::newRow("D group separator") << "1.000" << 'D' << comma << 0.0 << TypeMismatch;
        QTest::newRow("D trailing letters") << "12abc" << 'D' << comma << 0.0 << TypeMismatch;
        QTest::newRow("D two separators") << "1,2,3" << 'D' << comma << 0.0 << TypeMismatch;
        QTest::newRow("D beyond double") << huge << 'D' << comma << 0.0 << Overflow;
        QTest::newRow("I 2,5 to even") << "2,5" << 'I' << comma << 2.0 << NoError;
        QTest::newRow("I 3,5 to even") << "3,5" << 'I' << comma << 4.0 << NoError;
        QTest::newRow("I -2,5 to even") << "-2,5" << 'I' << comma << -2.0 << NoError;
        QTest::newRow("I 0,5 to zero") << "0,5" << 'I' << comma << 0.0 << NoError;
        QTest::newRow("I 32767,4 fits") << "32767,4" << 'I' << comma << 32767.0 << NoError;
        QTest::newRow("I -32768,5 fits") << "-32768,5" << 'I' << comma << -32768.0 << NoError;
        QTest::newRow("I 32767,5") << "32767,5" << 'I' << comma << 0.0 << Overflow;
        QTest::newRow("I 40000") << "40000" << 'I' << comma << 0.0 << Overflow;
        QTest::newRow("I empty") << "" << 'I' << comma << 0.0 << TypeMismatch;
        QTest::newRow("I abc") << "abc" << 'I' << comma << 0.0 << TypeMismatch;
        QTest::newRow("L blanks anywhere") << "\t1 \r\n2" << 'L' << comma << 12.0 << NoError;
        QTest::newRow("L trailing letters") << "12abc" << 'L' << comma << 12.0 << NoError;
        QTest::newRow("L comma ends it") << "12,5" << 'L' << comma << 12.0 << NoError;
        QTest::newRow("L dot fraction") << "95.5" << 'L' << comma << 95.5 << NoError;
        QTest::newRow("L empty") << "" << 'L' << comma << 0.0 << NoError;
        QTest::newRow("L comma first") << ",5" << 'L' << comma << 0.0 << NoError;
        QTest::newRow("L huge saturates") << huge << 'L' << comma << -DBL_MAX << NoError;
        QTest::newRow("R 95.5 up to even") << "95.5" << 'R' << comma << 96.0 << NoError;
        QTest::newRow("R 94.5 down to even") << "94.5" << 'R' << comma << 94.0 << NoError;
        QTest::newRow("R -0.4") << "-0.4" << 'R' << comma << 0.0 << NoError;
        QTest::newRow("R -32768.5") << "-32768.5" << 'R' << comma << -32768.0 << NoError;
        QTest::newRow("R 32767.5") << "32767.5" << 'R' << comma << 0.0 << Overflow;
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(char, rule);
        QFETCH(QChar, separator);
        QFETCH(double, value);
        QFETCH(int, error);
        double result = 0.0;
        QCOMPARE(errorOf([&] {
                     result = rule == 'D'   ? textToDouble(text, separator)
                              : rule == 'I' ? textToInteger(text, separator)
                              : rule == 'L' ? leadingNumberValue(text)
                                            : doubleToInteger(leadingNumberValue(text));
                 }),
                 error);
        QCOMPARE(result, value);
        if (rule == 'R')
            QCOMPARE(fitsInteger(leadingNumberValue(text)), error == NoError);
    }

    void doubleToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        volatile double three = 3.0;
        volatile double tenth = 0.1;
        QTest::newRow("1/3") << 1 / three << "0,333333333333333";
        QTest::newRow("2/3") << 2 / three << "0,666666666666667";
        QTest::newRow("0.1 + 0.2") << tenth + 0.2 << "0,3";
        QTest::newRow("whole number keeps zeros") << 1500.0 << "1500";
        QTest::newRow("negative") << -2.5 << "-2,5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("rounds up to 1E+15") << 999999999999999.9 << "1E+15";
    }

    void doubleToText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numeric::doubleToText(value, comma), text);
    }

    void integerAdditionAndPower()
    {
        QCOMPARE(addIntegers(-32768, 32767), Integer(-1));
        QCOMPARE(errorOf([] { addIntegers(32767, 1); }), Overflow);
        QCOMPARE(errorOf([] { addIntegers(-32768, -1); }), Overflow);
        QCOMPARE(numeric::power(-2.0, 3.0), -8.0);
        QCOMPARE(errorOf([] { numeric::power(-8.0, 0.5); }), int(ErrorKind::InvalidArgument));
    }

    void floatingPointCheck()
    {
        volatile double zero = 0.0, one = 1.0, big = 1e308, tiny = 1e-308, inf = HUGE_VAL;
        const auto checked = [](auto formula) {
            std::feraiseexcept(FE_ALL_EXCEPT); // left over from an earlier formula, must not count
            return errorOf([&] {
                FloatingPointCheck guard;
                volatile double result = formula();
                guard.check(result);
            });
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
