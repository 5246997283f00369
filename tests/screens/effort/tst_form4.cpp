#include "app/registry.h"
#include "numeric/numeric.h"
#include "screen_test.h"
#include "screens/complexity/form3.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "toolkit/runtime.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include <cmath>

namespace {

// Form4 as Form3's Aceptar leaves it: shown with the adjusted size, both buttons off.
Form4& arriveWith(double pfa)
{
    app::screen<Form3>().PFA = pfa;
    Form4& form = app::screen<Form4>();
    form.Show();
    form.Command1->setEnabled(false);
    form.Command2->setEnabled(false);
    return form;
}

QComboBox* languages(const Form4& form)
{
    return support::widget<QComboBox>(form, "Combo1");
}

// Picks a language from the drop-down list with the mouse.
void pick(const Form4& form, int position)
{
    QComboBox* combo = languages(form);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex item = combo->model()->index(position, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(item).center());
}

void calculate(const Form4& form)
{
    support::click(support::widget<QPushButton>(form, "Command1"));
}

QString shownP(const Form4& form)
{
    return support::widget<QLineEdit>(form, "Text1")->text();
}

} // namespace

class TestForm4 final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void offersTheLanguagesInOrder()
    {
        const Form4& form = arriveWith(100);
        QComboBox* combo = languages(form);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown,
                 QStringList({"NATURAL",    "ADSL/ON LINE", "IDEAL",      "FOCUS", "4GL",
                              "FOX ",       "RAMIS-II",     "SQL",        "QBE",   "SUPERNOVA",
                              "Java",       "C++",          "COBOL",      "BASIC", "Visual Basic",
                              "ALGOL",      "Prolog",       "Lisp",       "ADA",   "PASCAL ",
                              "Smalltalk ", "DELPHI",       "FORTRAN II", "PL/1 ", "SIMULA",
                              "ALP",        "Eiffel"}));
        QCOMPARE(combo->currentText(), QString());
    }

    void productivity_data()
    {
        QTest::addColumn<double>("pfa");
        QTest::addColumn<int>("language");
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("z");
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("p");

        // -1: not given by the example, not compared.
        QTest::newRow("peak, NATURAL") << 250.0 << 0 << 1.6 << 0.11 << 0.00831885 << 0.189310;
        QTest::newRow("peak, SUPERNOVA") << 250.0 << 9 << 1.6 << 0.11 << 0.00831885 << 0.189310;
        QTest::newRow("peak, Java") << 250.0 << 10 << 1.0 << 0.11 << 0.00831885 << 0.118319;
        QTest::newRow("size 0") << 0.0 << 12 << 1.0 << 0.0910532 << 0.0 << -1.0;
        QTest::newRow("size 500, same bell") << 500.0 << 12 << 1.0 << 0.0910532 << -1.0 << -1.0;
        QTest::newRow("size 1000") << 1000.0 << 26 << 1.0 << 0.0200686 << 0.0382234 << 0.0582920;
    }

    void productivity()
    {
        QFETCH(double, pfa);
        QFETCH(int, language);
        QFETCH(double, factor);
        QFETCH(double, z);
        QFETCH(double, k);
        QFETCH(double, p);

        Form4& form = arriveWith(pfa);
        pick(form, language);
        QCOMPARE(form.B, factor);
        QVERIFY(form.Command1->isEnabled());
        calculate(form);

        // The examples are rounded to six significant digits.
        const auto near = [](double actual, double expected) {
            if (expected <= 0)
                return expected < 0 || actual == 0;
            const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(expected)) - 5);
            return std::abs(actual - expected) <= halfUnit;
        };
        QVERIFY2(near(form.z, z), qPrintable(QString::number(form.z, 'g', 10)));
        QVERIFY2(near(form.k, k), qPrintable(QString::number(form.k, 'g', 10)));
        QVERIFY2(near(form.P, p), qPrintable(QString::number(form.P, 'g', 10)));
        QCOMPARE(numeric::textToDouble(shownP(form)), form.P);
        QVERIFY(!form.Command1->isEnabled());
        QVERIFY(form.Command2->isEnabled());
    }

    void anotherLanguageKeepsPUntilRecalculated()
    {
        Form4& form = arriveWith(250);
        pick(form, 10); // Java
        QVERIFY(!form.Command2->isEnabled());
        calculate(form);
        const QString java = shownP(form);

        pick(form, 7); // SQL: only the factor changes
        QCOMPARE(form.B, 1.6);
        QCOMPARE(shownP(form), java);
        QVERIFY(form.Command1->isEnabled());
        QVERIFY(form.Command2->isEnabled());

        support::click(support::widget<QPushButton>(form, "Command2"));
        QVERIFY(!form.isShown());
        Form5& effort = app::screen<Form5>();
        QVERIFY(effort.isShown());
        QCOMPARE(numeric::doubleToText(form.P), java);
        QVERIFY(effort.Calcular->isEnabled());
        QVERIFY(!effort.Informe->isEnabled());
        QVERIFY(!effort.Finalizar->isEnabled());
        for (const toolkit::TextBox* box : {effort.Text1, effort.Text2, effort.Text3})
            QVERIFY(box->isLocked());
    }

    void recalculatesWithTheNewLanguage()
    {
        Form4& form = arriveWith(250);
        pick(form, 10);
        calculate(form);
        pick(form, 0);
        support::click(support::widget<QLineEdit>(form, "Text1"));
        support::key(form, Qt::Key_Return); // Calcular is the default button
        QCOMPARE(shownP(form), QStringLiteral("0,189310166530419"));
    }

    void typingANamePicksNothing()
    {
        Form4& form = arriveWith(250);
        QComboBox* combo = languages(form);
        support::type(combo->lineEdit(), QStringLiteral("Java"));
        QTest::keyClick(combo, Qt::Key_Tab);
        QCOMPARE(form.B, 0.0);
        QVERIFY(!form.Command1->isEnabled());
        QVERIFY(!form.Command2->isEnabled());
    }

    void negativeSizeIsRefusedAndTheScreenStays()
    {
        Form4& form = arriveWith(-12.5);
        pick(form, 0);
        support::MessageCatcher messages;
        calculate(form);
        QCOMPARE(messages.count(), 1);
        QVERIFY2(messages.texts.first().contains(
                     QStringLiteral("El tamaño ajustado del sistema (PFA = -12,5) es negativo")),
                 qPrintable(messages.texts.first()));
        QVERIFY(!toolkit::programEnded());
        QVERIFY(form.isShown());
        QCOMPARE(form.P, 0.0);
        QCOMPARE(shownP(form), QString());
        QVERIFY(form.Command1->isEnabled());
        QVERIFY(!form.Command2->isEnabled());
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
