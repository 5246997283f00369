#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form3.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

namespace {

// Form5 as the user reaches it: the system type chosen earlier in the run (a mixed system selects
// neither of the first two options), then Form4's Aceptar with the size and productivity found.
Form5& arrive(const char* systemOption, double pfa, double p = 0.5)
{
    support::preselect(app::loaded<Form7>(), systemOption);
    app::screen<Form3>().PFA = pfa;
    Form4& productivity = app::screen<Form4>();
    productivity.P = p;
    productivity.Show();
    support::press(productivity, "Command2");
    return app::screen<Form5>();
}

} // namespace

class TestForm5 final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    // W = PFA × B / P, with P = 0.5 in every row, shows the factor B of the system type.
    void effortAndDeliveryTime_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<double>("pfnab");
        QTest::addColumn<double>("pfnao");
        QTest::addColumn<double>("pfa");
        QTest::addColumn<QStringList>("shown"); // W, E, PE
        // Mixed rows are named by their batch:on-line unadjusted points.
        const QString e = "4,5", pe = "22,2222222222222";
        QTest::newRow("batch") << "Option1" << 0.0 << 0.0 << 100.0 << QStringList{"300", e, pe};
        QTest::newRow("on line") << "Option2" << 0.0 << 0.0 << 100.0 << QStringList{"200", e, pe};
        QTest::newRow("mixed 1:1") << "Option3" << 4.0 << 4.0 << 100.0 << QStringList{"250", e, pe};
        QTest::newRow("mixed 1:0") << "Option3" << 4.0 << 0.0 << 100.0 << QStringList{"300", e, pe};
        QTest::newRow("mixed 0:0") << "Option3" << 0.0 << 0.0 << 100.0 << QStringList{"200", e, pe};
        QTest::newRow("size zero") << "Option1" << 0.0 << 0.0 << 0.0 << QStringList{"0", "0", "0"};
    }

    void effortAndDeliveryTime()
    {
        QFETCH(QString, system);
        QFETCH(double, pfnab);
        QFETCH(double, pfnao);
        QFETCH(double, pfa);
        QFETCH(QStringList, shown);
        app::screen<Form1>().PFNAB = pfnab;
        app::screen<Form1>().PFNAO = pfnao;
        const Form5& form = arrive(qPrintable(system), pfa);
        support::Messages messages;
        support::press(form, "Calcular");
        QCOMPARE(messages.count(), 0);
        QCOMPARE(QStringList({support::shown(form, "Text1"), support::shown(form, "Text2"),
                              support::shown(form, "Text3")}),
                 shown);
        QVERIFY(!form.Calcular->isEnabled());
        QVERIFY(form.Informe->isEnabled() && form.Finalizar->isEnabled());
    }

    void enterGoesOnToOneReportBesideTheEffort()
    {
        const Form5& form = arrive("Option1", 100);
        support::key(form, Qt::Key_Return);
        QCOMPARE(support::shown(form, "Text1"), QStringLiteral("300"));
        QCOMPARE(support::focused(form), QStringLiteral("Text1"));
        support::key(form, Qt::Key_Return); // Informe is next
        support::press(form, "Informe");
        int reports = 0;
        for (const QWidget* window : QApplication::topLevelWidgets())
            reports += window->objectName() == QLatin1String("Form10") && window->isVisible();
        QCOMPARE(reports, 1);
        QVERIFY(form.isShown());
        QCOMPARE(support::shown(app::screen<Form10>(), "Label21"), QStringLiteral("300"));
    }
};

SUPPORT_TEST_MAIN(TestForm5)
#include "tst_form5.moc"
