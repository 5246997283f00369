#include "screen_test.h"

#include "app/registry.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QRadioButton>
#include <QTest>

// Whole estimates, from the system type to the report, driven through every screen as a user
// does. The expected figures were worked out apart from the program, step by step in doubles.
class TestEstimate final : public QObject
{
    Q_OBJECT

    template <class Form> static void press(const char* button)
    {
        support::press(app::screen<Form>(), button);
    }

    template <class Form> static void fill(std::initializer_list<std::pair<const char*, int>> boxes)
    {
        for (const auto& [name, count] : boxes)
            support::type(app::screen<Form>(), name, QString::number(count));
    }

    static void chooseSystem(const char* option)
    {
        support::click(support::widget<QRadioButton>(app::screen<Form7>(), option));
    }

    static void giveTgi(const QString& direct, int rating)
    {
        QVERIFY(app::screen<Form6>().isShown());
        if (!direct.isEmpty()) {
            support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option1"));
            support::type(app::screen<Form6>(), "Text1", direct);
            press<Form6>("Command1");
            return;
        }
        support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option2"));
        for (int row = 1; row <= Form2::kAttributes; ++row)
            support::pick(app::screen<Form2>(),
                          QStringLiteral("Combo%1").arg(row).toLatin1().constData(), rating);
        press<Form2>("Sumar");
        press<Form2>("Aceptar");
    }

    static void finishEstimate(int language)
    {
        QVERIFY(app::screen<Form3>().isShown());
        press<Form3>("Calcular");
        press<Form3>("Obtencion");
        press<Form3>("Command1");
        support::pick(app::screen<Form4>(), "Combo1", language);
        press<Form4>("Command1");
        press<Form4>("Command2");
        press<Form5>("Calcular");
        press<Form5>("Informe");
        QVERIFY(app::screen<Form10>().isShown());
        QVERIFY(app::screen<Form5>().isShown());
    }

    static QStringList report()
    {
        QStringList values;
        for (const char* name : {"Label2", "Label4", "Label6", "Label8", "Label10", "Label12",
                                 "Label14", "Label16", "Label18", "Label21", "Label24"})
            values << support::shown(app::screen<Form10>(), name);
        return values;
    }

private slots:
    void init()
    {
        support::freshRun();
        app::start();
    }

    void batchWithDirectInfluence()
    {
        chooseSystem("Option1");
        fill<Form8>({{"Text1", 2}, {"Text2", 5}, {"Text3", 10}});
        press<Form8>("Calcular");
        press<Form8>("NuevaFuncion");
        fill<Form8>({{"Text1", 1}, {"Text2", 1}, {"Text3", 1}});
        press<Form8>("Calcular");
        press<Form8>("Aceptar");
        giveTgi(QStringLiteral("35"), 0);
        finishEstimate(7); // SQL
        QCOMPARE(report(),
                 QStringList({"11,32", "0", "0", "35", "0,825", "9,339", "0", "9,339",
                              "0,148076282045204", "94,6032666846913", "6,79106166357798"}));
        QCOMPARE(app::screen<Form5>().Text2->text(), QStringLiteral("1,37518998687454"));

        press<Form5>("Finalizar");
        QVERIFY(toolkit::programEnded());
    }

    void onLineWithRatedAttributes()
    {
        chooseSystem("Option2");
        fill<Form9>({{"Text1", 3}, {"Text2", 10}, {"Text3", 20}});
        press<Form9>("Calcular");
        press<Form9>("Aceptar");
        giveTgi(QString(), 2);
        QCOMPARE(app::screen<Form2>().Text20->text(), QStringLiteral("38"));
        finishEstimate(10); // Java
        QCOMPARE(report(),
                 QStringList({"0", "15,98", "0", "38", "0,84", "0", "13,4232", "13,4232",
                              "0,0932032690325373", "144,020699481195", "8,1417078925375"}));
    }

    void mixedWithDirectInfluence()
    {
        chooseSystem("Option3");
        fill<Form1>(
            {{"Text1", 1}, {"Text2", 1}, {"Text3", 1}, {"Text4", 2}, {"Text5", 5}, {"Text6", 10}});
        press<Form1>("Calcular");
        press<Form1>("Aceptar");
        // After a mixed entry the influence screen waits for a value before it confirms.
        QVERIFY(!app::screen<Form6>().Command1->isEnabled());
        giveTgi(QStringLiteral("20"), 0);
        finishEstimate(12); // COBOL
        QCOMPARE(report(),
                 QStringList({"0", "0", "11,32", "20", "0,75", "1,875", "6,615", "8,49",
                              "0,0924111710197898", "102,016887092374", "6,47502323748154"}));
    }

    void switchingFromMixedToBatchAdjustsOnlyTheBatchTotal()
    {
        chooseSystem("Option3");
        fill<Form1>(
            {{"Text1", 1}, {"Text2", 1}, {"Text3", 1}, {"Text4", 2}, {"Text5", 5}, {"Text6", 10}});
        press<Form1>("Calcular");
        press<Form1>("Cancelar");
        chooseSystem("Option1");
        fill<Form8>({{"Text1", 1}, {"Text2", 1}, {"Text3", 1}});
        press<Form8>("Calcular");
        press<Form8>("Aceptar");
        giveTgi(QStringLiteral("70"), 0);
        finishEstimate(0); // NATURAL
        // Each entry screen still shows its own total; the estimate takes the batch one alone.
        QCOMPARE(report(),
                 QStringList({"2,5", "0", "11,32", "70", "1", "2,5", "0", "2,5", "0,14631824682569",
                              "25,629065966512", "3,51364184463153"}));
    }

    void allZeroCountsGiveAZeroEstimate()
    {
        chooseSystem("Option3");
        fill<Form1>(
            {{"Text1", 0}, {"Text2", 0}, {"Text3", 0}, {"Text4", 0}, {"Text5", 0}, {"Text6", 0}});
        press<Form1>("Calcular");
        press<Form1>("Aceptar");
        giveTgi(QStringLiteral("0"), 0);
        support::MessageCatcher messages;
        finishEstimate(0);
        QCOMPARE(messages.count(), 0);
        QCOMPARE(report().mid(9), QStringList({"0", "0"}));
        QCOMPARE(app::screen<Form5>().Text2->text(), QStringLiteral("0"));
    }

    void reportFollowsTheEffortScreenBackAndForth()
    {
        chooseSystem("Option1");
        fill<Form8>({{"Text1", 1}, {"Text2", 1}, {"Text3", 1}});
        press<Form8>("Calcular");
        press<Form8>("Aceptar");
        press<Form6>("Command1"); // no mode chosen: the never-rated total counts as 0
        finishEstimate(0);
        QCOMPARE(report()[3], QStringLiteral("0"));
        QCOMPARE(report()[4], QStringLiteral("0,65"));

        // Closing the report returns to the effort screen; Informe shows it again, refreshed.
        app::screen<Form10>().window()->close();
        QVERIFY(!toolkit::programEnded());
        QVERIFY(!app::screen<Form10>().isShown());
        QVERIFY(app::screen<Form5>().isShown());
        press<Form5>("Informe");
        QVERIFY(app::screen<Form10>().isShown());
        QCOMPARE(report()[0], QStringLiteral("2,5"));
    }
};

QTEST_MAIN(TestEstimate)
#include "tst_estimate.moc"
