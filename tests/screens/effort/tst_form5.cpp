#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

enum class System { Batch, OnLine, Mixed };

// The system type as chosen on Form7 earlier in the run (a mixed system selects neither of the
// first two options).
void chooseSystem(System system)
{
    const Form7& systemType = app::loaded<Form7>();
    const char* option = system == System::Batch    ? "Option1"
                         : system == System::OnLine ? "Option2"
                                                    : "Option3";
    support::widget<QRadioButton>(systemType, option)->setChecked(true);
}

// Form5 as the user reaches it: Form4's Aceptar with the size and productivity found before.
Form5& arrive(System system, double pfa, double p)
{
    chooseSystem(system);
    app::screen<Form3>().PFA = pfa;
    app::screen<Form4>().P = p;
    Form4& productivity = app::screen<Form4>();
    productivity.Show();
    support::click(support::widget<QPushButton>(productivity, "Command2"));
    return app::screen<Form5>();
}

QString shown(const Form5& form, const char* box)
{
    return support::widget<QLineEdit>(form, box)->text();
}

void press(const Form5& form, const char* button)
{
    support::click(support::widget<QPushButton>(form, button));
}

// The report reads TGI from the influence screens; until they exist it cannot be shown.
bool influenceScreensReady()
{
    return app::loaded<Form6>().Text1 && app::loaded<Form2>().Text20;
}

} // namespace

class TestForm5 final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void effortAndDeliveryTime_data()
    {
        QTest::addColumn<System>("system");
        QTest::addColumn<double>("pfnab");
        QTest::addColumn<double>("pfnao");
        QTest::addColumn<double>("pfa");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("w");
        QTest::addColumn<QString>("e");
        QTest::addColumn<QString>("pe");

        QTest::newRow("batch") << System::Batch << 0.0 << 0.0 << 100.0 << 1.5 << "300"
                               << "4,5"
                               << "22,2222222222222";
        QTest::newRow("on line") << System::OnLine << 0.0 << 0.0 << 100.0 << 1.0 << "200"
                                 << "4,5"
                                 << "22,2222222222222";
        QTest::newRow("mixed, equal parts")
            << System::Mixed << 40.0 << 40.0 << 100.0 << 1.25 << "250"
            << "4,5"
            << "22,2222222222222";
        QTest::newRow("mixed, batch part only")
            << System::Mixed << 40.0 << 0.0 << 100.0 << 1.5 << "300"
            << "4,5"
            << "22,2222222222222";
        QTest::newRow("mixed, no points") << System::Mixed << 0.0 << 0.0 << 100.0 << 1.0 << "200"
                                          << "4,5"
                                          << "22,2222222222222";
        QTest::newRow("size zero") << System::Batch << 0.0 << 0.0 << 0.0 << 1.5 << "0"
                                   << "0"
                                   << "0";
    }

    void effortAndDeliveryTime()
    {
        QFETCH(System, system);
        QFETCH(double, pfnab);
        QFETCH(double, pfnao);
        QFETCH(double, pfa);
        QFETCH(double, factor);
        QFETCH(QString, w);
        QFETCH(QString, e);
        QFETCH(QString, pe);

        app::screen<Form1>().PFNAB = pfnab;
        app::screen<Form1>().PFNAO = pfnao;
        Form5& form = arrive(system, pfa, 0.5);
        QVERIFY(form.isShown());

        support::MessageCatcher messages;
        press(form, "Calcular");
        QCOMPARE(messages.count(), 0);
        QCOMPARE(form.B, factor);
        QCOMPARE(shown(form, "Text1"), w);
        QCOMPARE(shown(form, "Text2"), e);
        QCOMPARE(shown(form, "Text3"), pe);
        QVERIFY(!form.Calcular->isEnabled());
        QVERIFY(form.Informe->isEnabled());
        QVERIFY(form.Finalizar->isEnabled());
    }

    void enterCalculatesOnlyOnce()
    {
        Form5& form = arrive(System::Batch, 100, 0.5);
        QVERIFY(!form.Informe->isEnabled());
        support::key(form, Qt::Key_Return);
        QCOMPARE(shown(form, "Text1"), QStringLiteral("300"));

        app::screen<Form4>().P = 0.25;
        support::key(form, Qt::Key_Return);
        QCOMPARE(shown(form, "Text1"), QStringLiteral("300"));
        QVERIFY(!app::Registry::instance().exists<Form10>());
    }

    void reportComesUpOnceBesideTheScreen()
    {
        if (!influenceScreensReady())
            QSKIP("needs the real Form6 and Form2 (the report reads TGI from them)");
        const Form5& form = arrive(System::Batch, 100, 0.5);
        press(form, "Calcular");
        press(form, "Informe");
        press(form, "Informe");

        int reports = 0;
        for (const QWidget* window : QApplication::topLevelWidgets())
            reports += window->objectName() == QLatin1String("Form10") && window->isVisible();
        QCOMPARE(reports, 1);
        QVERIFY(form.isShown());
        QCOMPARE(support::widget<QLabel>(app::screen<Form10>(), "Label21")->text(),
                 QStringLiteral("300"));
    }

    void finalizarEndsTheProgram()
    {
        const Form5& form = arrive(System::OnLine, 100, 0.5);
        press(form, "Calcular");
        press(form, "Finalizar");
        QVERIFY(toolkit::programEnded());
        QVERIFY(!form.isLoaded());
    }
};

QTEST_MAIN(TestForm5)
#include "tst_form5.moc"
