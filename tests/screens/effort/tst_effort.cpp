#include "app/registry.h"
#include "numeric/numeric.h"
#include "screen_test.h"
#include "screens/complexity/form3.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"

#include <QComboBox>
#include <QTest>

namespace {

// Form4 as Form3's Aceptar leaves it: shown with the adjusted size, both buttons off.
Form4& productivityWith(double pfa)
{
    app::screen<Form3>().PFA = pfa;
    Form4& form = app::screen<Form4>();
    form.Show();
    form.Command1->setEnabled(false);
    form.Command2->setEnabled(false);
    return form;
}

// Form5 as the user reaches it: the system type chosen earlier (a mixed system selects neither
// of the first two options), then Form4's Aceptar with the size and productivity found.
Form5& effortWith(const char* systemOption, double pfa, double p = 0.5)
{
    support::preselect(app::loaded<Form7>(), systemOption);
    app::screen<Form3>().PFA = pfa;
    app::screen<Form4>().P = p;
    app::screen<Form4>().Show();
    support::press(app::screen<Form4>(), "Command2");
    return app::screen<Form5>();
}

QStringList shown(const toolkit::Screen& screen, const QList<const char*>& boxes)
{
    QStringList texts;
    for (const char* box : boxes)
        texts << support::shown(screen, box);
    return texts;
}

} // namespace

class TestEffort final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void productivity_data()
    {
        QTest::addColumn<double>("pfa");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("zkp"); // to six significant digits
        const QStringList peak = {"0.11", "0.00831885", "0.18931"};
        QTest::newRow("peak, first language") << 250.0 << 0 << peak;
        QTest::newRow("peak, tenth language") << 250.0 << 9 << peak;
        QTest::newRow("peak, Java") << 250.0 << 10 << QStringList{"0.11", "0.00831885", "0.118319"};
        QTest::newRow("size 0") << 0.0 << 12 << QStringList{"0.0910532", "0", "0.0910532"};
        QTest::newRow("size 1000")
            << 1000.0 << 26 << QStringList{"0.0200686", "0.0382234", "0.058292"};
    }
    void productivity()
    {
        QFETCH(double, pfa);
        QFETCH(int, language);
        Form4& form = productivityWith(pfa);
        support::pick(form, "Combo1", language);
        support::key(form, Qt::Key_Return); // Calcular is the default button
        const auto six = [](double value) { return QString::number(value, 'g', 6); };
        QTEST(QStringList({six(form.z), six(form.k), six(form.P)}), "zkp");
        QVERIFY(!form.Command1->isEnabled() && form.Command2->isEnabled());
    }

    void lettersPickAndAnotherLanguageKeepsP()
    {
        Form4& form = productivityWith(250);
        auto* combo = support::widget<QComboBox>(form, "Combo1");
        // Entries keep their trailing blanks; nothing is picked to begin with.
        QCOMPARE(QStringList({combo->itemText(5), combo->currentText()}),
                 QStringList({"FOX ", ""}));
        // A typed letter picks the first language that starts with it.
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("J"));
        QCOMPARE(combo->currentText(), QStringLiteral("Java"));
        QCOMPARE(form.B, 1.0);
        support::key(form, Qt::Key_Return);
        const QString java = support::shown(form, "Text1");
        QCOMPARE(support::focused(form), QStringLiteral("Text1"));

        // Another language changes only the factor, and Enter asks for P again.
        support::pick(form, "Combo1", 7); // SQL
        QCOMPARE(form.B, 1.6);
        QCOMPARE(support::shown(form, "Text1"), java);
        QVERIFY(support::widget<QPushButton>(form, "Command1")->isDefault());
        support::press(form, "Command2");
        const Form5& effort = app::screen<Form5>();
        QVERIFY(!form.isShown() && effort.isShown());
        QCOMPARE(numeric::doubleToText(form.P), java);
        QVERIFY(!effort.Informe->isEnabled() && !effort.Finalizar->isEnabled());
        QVERIFY(effort.Text1->isLocked() && effort.Text2->isLocked() && effort.Text3->isLocked());
    }

    void negativeSizeIsRefusedAndNothingIsLost()
    {
        Form4& form = productivityWith(-12.5);
        support::pick(form, "Combo1", 0);
        support::Messages messages;
        support::press(form, "Command1");
        QCOMPARE(messages.count(), 1);
        // It tells the truth about what can be done from here.
        QVERIFY(messages.texts()[0].contains("(PFA = -12,5) es negativo"));
        QVERIFY(messages.texts()[0].contains("empezar una estimación nueva"));
        QVERIFY(!toolkit::programEnded() && form.isShown());
        QCOMPARE(support::shown(form, "Text1"), QString());
        QVERIFY(form.Command1->isEnabled() && !form.Command2->isEnabled());
    }

    // W = PFA × B / P, with P = 0.5 in every row, shows the factor B of the system type.
    void effortAndDeliveryTime_data()
    {
        QTest::addColumn<QByteArray>("system");
        QTest::addColumn<double>("pfnab");
        QTest::addColumn<double>("pfnao");
        QTest::addColumn<double>("pfa");
        QTest::addColumn<QStringList>("shown"); // W, E, PE
        // Mixed rows are named by their batch:on-line unadjusted points.
        const QString e = "4,5", pe = "22,2222222222222";
        QTest::newRow("batch") << QByteArray("Option1") << 0.0 << 0.0 << 100.0
                               << QStringList{"300", e, pe};
        QTest::newRow("on line") << QByteArray("Option2") << 0.0 << 0.0 << 100.0
                                 << QStringList{"200", e, pe};
        QTest::newRow("mixed 1:1")
            << QByteArray("Option3") << 4.0 << 4.0 << 100.0 << QStringList{"250", e, pe};
        QTest::newRow("mixed 0:0")
            << QByteArray("Option3") << 0.0 << 0.0 << 100.0 << QStringList{"200", e, pe};
        QTest::newRow("size zero")
            << QByteArray("Option1") << 0.0 << 0.0 << 0.0 << QStringList{"0", "0", "0"};
    }
    void effortAndDeliveryTime()
    {
        QFETCH(QByteArray, system);
        QFETCH(double, pfnab);
        QFETCH(double, pfnao);
        QFETCH(double, pfa);
        app::screen<Form1>().PFNAB = pfnab;
        app::screen<Form1>().PFNAO = pfnao;
        const Form5& form = effortWith(system.constData(), pfa);
        support::key(form, Qt::Key_Return);
        QTEST(shown(form, {"Text1", "Text2", "Text3"}), "shown");
        QCOMPARE(support::focused(form), QStringLiteral("Text1"));
        QVERIFY(!form.Calcular->isEnabled());
        QVERIFY(form.Informe->isEnabled() && form.Finalizar->isEnabled());

        // Enter goes on to the report, which opens once however often it is asked for.
        support::key(form, Qt::Key_Return);
        support::press(form, "Informe");
        QVERIFY(form.isShown() && app::screen<Form10>().isShown());
        QCOMPARE(support::shown(app::screen<Form10>(), "Label21"), support::shown(form, "Text1"));
    }
};

SUPPORT_TEST_MAIN(TestEffort)
#include "tst_effort.moc"
