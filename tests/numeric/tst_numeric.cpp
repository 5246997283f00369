#include "numeric/numeric.h"

#include <QLocale>
#include <QTest>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>

using namespace numeric;

namespace {

constexpr int NoError = -1;
constexpr int TypeMismatch = int(ErrorKind::TypeMismatch);
constexpr int Overflow = int(ErrorKind::Overflow);
constexpr int DivisionByZero = int(ErrorKind::DivisionByZero);
constexpr int InvalidArgument = int(ErrorKind::InvalidArgument);

const QChar comma(u',');
const QChar dot(u'.');
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

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
    void errorNumbersAndMessage()
    {
        QCOMPARE(RuntimeError(ErrorKind::TypeMismatch).number(), 13);
        QCOMPARE(RuntimeError(ErrorKind::Overflow).number(), 6);
        QCOMPARE(RuntimeError(ErrorKind::DivisionByZero).number(), 11);
        QCOMPARE(RuntimeError(ErrorKind::InvalidArgument).number(), 5);
        QCOMPARE(RuntimeError(ErrorKind::SubscriptOutOfRange).number(), 9);

        RuntimeError error(ErrorKind::TypeMismatch, QStringLiteral("«x» no es un número."));
        const QString message =
            QString::fromUtf8(error.setSubject(QStringLiteral("Entradas")).what());
        for (const char* part :
             {"13", "No coinciden los tipos", "Entradas", "«x» no es un número."})
            QVERIFY2(message.contains(QString::fromUtf8(part)), qPrintable(message));
    }

    void separatorFollowsLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(localeDecimalSeparator(), comma);
        QCOMPARE(numeric::textToDouble(QStringLiteral("0,5")), 0.5);
        QCOMPARE(numeric::doubleToText(0.825), QStringLiteral("0,825"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(localeDecimalSeparator(), dot);
        QCOMPARE(numeric::doubleToText(0.825), QStringLiteral("0.825"));
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    }

    void textToDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("comma fraction") << "0,5" << comma << 0.5 << NoError;
        QTest::newRow("blanks and tabs around") << " \t7 \t" << comma << 7.0 << NoError;
        QTest::newRow("signs") << "+3,25" << comma << 3.25 << NoError;
        QTest::newRow("nearest double") << "0,1" << comma << 0.1 << NoError;
        QTest::newRow("separator first") << ",5" << comma << 0.5 << NoError;
        QTest::newRow("dot locale") << "12.5" << dot << 12.5 << NoError;
        QTest::newRow("underflow is zero")
            << "0," + QString(400, u'0') + "1" << comma << 0.0 << NoError;
        QTest::newRow("empty") << "" << comma << 0.0 << TypeMismatch;
        QTest::newRow("trailing letters") << "12abc" << comma << 0.0 << TypeMismatch;
        QTest::newRow("two separators") << "1,2,3" << comma << 0.0 << TypeMismatch;
        QTest::newRow("group separator") << "1.000" << comma << 0.0 << TypeMismatch;
        QTest::newRow("comma under dot locale") << "1,5" << dot << 0.0 << TypeMismatch;
        QTest::newRow("exponent") << "1e5" << comma << 0.0 << TypeMismatch;
        QTest::newRow("inner blank") << "1 2" << comma << 0.0 << TypeMismatch;
        QTest::newRow("sign alone") << "-" << comma << 0.0 << TypeMismatch;
        QTest::newRow("beyond double") << "1" + QString(400, u'0') << comma << 0.0 << Overflow;
    }

    void textToDouble()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(double, value);
        QFETCH(int, error);
        double result = 0.0;
        QCOMPARE(errorOf([&] { result = numeric::textToDouble(text, separator); }), error);
        QCOMPARE(result, value);
    }

    void textToInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("blanks around") << " 12 " << 12 << NoError;
        QTest::newRow("tie 2,5 to even") << "2,5" << 2 << NoError;
        QTest::newRow("tie 3,5 to even") << "3,5" << 4 << NoError;
        QTest::newRow("tie -2,5 to even") << "-2,5" << -2 << NoError;
        QTest::newRow("tie 0,5 to zero") << "0,5" << 0 << NoError;
        QTest::newRow("32767,4 fits") << "32767,4" << 32767 << NoError;
        QTest::newRow("-32768,5 fits") << "-32768,5" << -32768 << NoError;
        QTest::newRow("32767,5 overflows") << "32767,5" << 0 << Overflow;
        QTest::newRow("40000") << "40000" << 0 << Overflow;
        QTest::newRow("empty") << "" << 0 << TypeMismatch;
    }

    void textToInteger()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        int result = 0;
        QCOMPARE(errorOf([&] { result = numeric::textToInteger(text, comma); }), error);
        QCOMPARE(result, value);
    }

    void leadingNumberValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("inner blank") << "1 2" << 12.0;
        QTest::newRow("tab, line feed, return") << "\t1\r\n2\n" << 12.0;
        QTest::newRow("blank after sign") << "- 3" << -3.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("comma ends it") << "12,5" << 12.0;
        QTest::newRow("dot fraction") << "95.5" << 95.5;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("comma first") << ",5" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("huge saturates") << "-1" + QString(400, u'0') << -DBL_MAX;
    }

    void leadingNumberValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numeric::leadingNumberValue(text), value);
    }

    void doubleToInteger_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("fits");
        QTest::newRow("95.5 up to even") << 95.5 << 96 << true;
        QTest::newRow("94.5 down to even") << 94.5 << 94 << true;
        QTest::newRow("-0.4") << -0.4 << 0 << true;
        QTest::newRow("-0.5") << -0.5 << 0 << true;
        QTest::newRow("-32768.5") << -32768.5 << -32768 << true;
        QTest::newRow("32767.5") << 32767.5 << 0 << false;
        QTest::newRow("-32768.51") << -32768.51 << 0 << false;
        QTest::newRow("NaN") << notANumber << 0 << false;
        QTest::newRow("infinity") << infinity << 0 << false;
    }

    void doubleToInteger()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QFETCH(bool, fits);
        QCOMPARE(fitsInteger(value), fits);
        int result = 0;
        QCOMPARE(errorOf([&] { result = numeric::doubleToInteger(value); }),
                 fits ? NoError : Overflow);
        QCOMPARE(result, expected);
    }

    void doubleToText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");
        volatile double three = 3.0;
        QTest::newRow("1/3") << 1 / three << comma << "0,333333333333333";
        QTest::newRow("ACT at TGI 35") << 0.65 + 0.005 * 35 << comma << "0,825";
        QTest::newRow("ACT at TGI 40") << 0.65 + 0.005 * 40 << comma << "0,85";
        QTest::newRow("200/9") << 200 / (three * 3) << comma << "22,2222222222222";
        QTest::newRow("whole number keeps zeros") << 1500.0 << comma << "1500";
        QTest::newRow("negative") << -2.5 << comma << "-2,5";
        QTest::newRow("negative zero") << -0.0 << comma << "0";
        QTest::newRow("dot locale") << 0.825 << dot << "0.825";
        QTest::newRow("15 digits plain") << 123456789012345.0 << comma << "123456789012345";
        QTest::newRow("16 digits rounded") << 1234567890123456.0 << comma << "1,23456789012346E+15";
        QTest::newRow("rounds up to 1E+15") << 999999999999999.9 << comma << "1E+15";
        QTest::newRow("0,0001 plain") << 0.0001 << comma << "0,0001";
        QTest::newRow("1E-05") << 0.00001 << comma << "1E-05";
    }

    void doubleToText()
    {
        QFETCH(double, value);
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QCOMPARE(numeric::doubleToText(value, separator), text);
    }

    void integerArithmetic()
    {
        QCOMPARE(addIntegers(-32768, 32767), Integer(-1));
        QCOMPARE(addIntegers(32766, 1), Integer(32767));
        QCOMPARE(errorOf([] { addIntegers(32767, 1); }), Overflow);
        QCOMPARE(errorOf([] { addIntegers(-32768, -1); }), Overflow);
    }

    void power()
    {
        QCOMPARE(numeric::power(-2.0, 3.0), -8.0);
        QCOMPARE(numeric::power(2.0, 0.5), std::sqrt(2.0));
        QCOMPARE(errorOf([] { numeric::power(-8.0, 0.5); }), InvalidArgument);
    }

    void floatingPointCheck_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<char>("op");
        QTest::addColumn<double>("b");
        QTest::addColumn<int>("error");
        QTest::newRow("1/0") << 1.0 << '/' << 0.0 << DivisionByZero;
        QTest::newRow("0/0") << 0.0 << '/' << 0.0 << Overflow;
        QTest::newRow("1e308*10") << 1e308 << '*' << 10.0 << Overflow;
        QTest::newRow("inf - inf") << infinity << '-' << infinity << Overflow;
        QTest::newRow("0 * inf") << 0.0 << '*' << infinity << Overflow;
        QTest::newRow("underflow") << 1e-308 << '/' << 1e10 << NoError;
        QTest::newRow("inexact 1/3") << 1.0 << '/' << 3.0 << NoError;
    }

    void floatingPointCheck()
    {
        QFETCH(double, a);
        QFETCH(char, op);
        QFETCH(double, b);
        QFETCH(int, error);
        volatile double x = a;
        volatile double y = b;
        std::feraiseexcept(FE_ALL_EXCEPT); // left over from an earlier formula, must not count
        const int raised = errorOf([&] {
            FloatingPointCheck guard;
            volatile double result = op == '/' ? x / y : op == '*' ? x * y : x - y;
            guard.check(result);
        });
        QCOMPARE(raised, error);
    }
};

QTEST_GUILESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
