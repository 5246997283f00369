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

#include <QLocale>
#include <QRadioButton>

using Counts = QList<QList<int>>;

// Whole estimates, from the system type to the report, driven through every screen as a user
// does. The expected figures were worked out apart from the program, step by step in doubles.
class TestEstimate final : public QObject
{
    Q_OBJECT

    static toolkit::Screen& entryScreen()
    {
        const Form7& type = app::screen<Form7>();
        return type.Option1->value()   ? static_cast<toolkit::Screen&>(app::screen<Form8>())
               : type.Option2->value() ? static_cast<toolkit::Screen&>(app::screen<Form9>())
                                       : app::screen<Form1>();
    }

    // Chooses the system type and enters its transactions, one "Calcular" each.
    static void size(const char* option, const Counts& transactions)
    {
        support::click(support::widget<QRadioButton>(app::screen<Form7>(), option));
        toolkit::Screen& entry = entryScreen();
        for (const QList<int>& counts : transactions) {
            if (!support::widget<QWidget>(entry, "Calcular")->isEnabled())
                support::press(entry, "NuevaFuncion");
            for (int box = 0; box < counts.size(); ++box)
                support::type(entry, "Text" + QByteArray::number(box + 1),
                              QString::number(counts[box]));
            support::press(entry, "Calcular");
        }
    }

    // A typed total degree of influence, or every attribute rated alike.
    static void influence(const QString& typed, int rating)
    {
        const Form6& mode = app::screen<Form6>();
        if (!typed.isEmpty()) {
            support::click(support::widget<QRadioButton>(mode, "Option1"));
            support::type(mode, "Text1", typed);
            support::key(mode, Qt::Key_Return);
            return;
        }
        support::click(support::widget<QRadioButton>(mode, "Option2"));
        for (int row = 1; row <= Form2::kAttributes; ++row)
            support::pick(app::screen<Form2>(), QStringLiteral("Combo%1").arg(row).toLatin1(),
                          rating);
        for (int step = 0; step < 2; ++step) // Sumar, Aceptar
            support::key(app::screen<Form2>(), Qt::Key_Return);
    }

    // From the adjustment to the report by Enter alone, after the language is picked.
    static void finish(int language)
    {
        for (int step = 0; step < 3; ++step) // Calcular, Obtener, Aceptar
            support::key(app::screen<Form3>(), Qt::Key_Return);
        support::pick(app::screen<Form4>(), "Combo1", language);
        for (int step = 0; step < 2; ++step) // Calcular, Aceptar
            support::key(app::screen<Form4>(), Qt::Key_Return);
        for (int step = 0; step < 2; ++step) // Calcular, Informe
            support::key(app::screen<Form5>(), Qt::Key_Return);
        support::require(app::screen<Form10>().isShown() && app::screen<Form5>().isShown(),
                         QStringLiteral("the report is not open beside the effort screen"));
    }

private slots:
    void init()
    {
        support::freshRun();
        app::start<Form7>();
    }

    void wholeEstimate_data()
    {
        QTest::addColumn<Counts>("mixedFirst"); // sized, then cancelled for another type
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<Counts>("transactions");
        QTest::addColumn<QString>("typedTgi");
        QTest::addColumn<int>("rating");
        QTest::addColumn<int>("language");
        QTest::addColumn<QLocale::Language>("locale");
        // PFNA batch, on line, mixed; TGI, ACT; PFA batch, on line, total; P, W, PE.
        QTest::addColumn<QString>("report");
        const auto spanish = QLocale::Spanish;
        // clang-format off
        QTest::newRow("batch, typed TGI, SQL") << Counts{} << QByteArray("Option1") << Counts{{2, 5, 10}, {1, 1, 1}} << "35" << 0 << 7 << spanish
            << QString("11,32 0 0 35 0,825 9,339 0 9,339 0,148076282045204 94,6032666846913 6,79106166357798");
        // Regional settings with a decimal point: the same estimate, written with points.
        QTest::newRow("batch, decimal point") << Counts{} << QByteArray("Option1") << Counts{{2, 5, 10}, {1, 1, 1}} << "35" << 0 << 7 << QLocale::English
            << QString("11.32 0 0 35 0.825 9.339 0 9.339 0.148076282045204 94.6032666846913 6.79106166357798");
        QTest::newRow("on line, rated attributes, Java") << Counts{} << QByteArray("Option2") << Counts{{3, 10, 20}} << "" << 2 << 10 << spanish
            << QString("0 15,98 0 38 0,84 0 13,4232 13,4232 0,0932032690325373 144,020699481195 8,1417078925375");
        QTest::newRow("mixed, typed TGI, COBOL") << Counts{} << QByteArray("Option3") << Counts{{1, 1, 1, 2, 5, 10}} << "20" << 0 << 12 << spanish
            << QString("2,5 8,82 11,32 20 0,75 1,875 6,615 8,49 0,0924111710197898 102,016887092374 6,47502323748154");
        // An abandoned mixed entry keeps its totals, but the estimate and its report take the batch one alone.
        QTest::newRow("mixed, then batch") << Counts{{1, 1, 1, 2, 5, 10}} << QByteArray("Option1") << Counts{{1, 1, 1}} << "70" << 0 << 0 << spanish
            << QString("2,5 0 0 70 1 2,5 0 2,5 0,14631824682569 25,629065966512 3,51364184463153");
        // Nothing to build takes no time: zeros, not a division of 0 by 0.
        QTest::newRow("mixed of size zero") << Counts{} << QByteArray("Option3") << Counts{{0, 0, 0, 0, 0, 0}} << "0" << 0 << 0 << spanish
            << QString("0 0 0 0 0,65 0 0 0 0,145685192539506 0 0");
        // clang-format on
    }

    void wholeEstimate()
    {
        QFETCH(Counts, mixedFirst);
        QFETCH(QByteArray, option);
        QFETCH(Counts, transactions);
        QFETCH(QString, typedTgi);
        QFETCH(int, rating);
        QFETCH(int, language);
        QFETCH(QLocale::Language, locale);
        QLocale::setDefault(QLocale(locale)); // the next fresh run sets Spanish again

        support::Messages messages;
        if (!mixedFirst.isEmpty()) {
            size("Option3", mixedFirst);
            support::press(app::screen<Form1>(), "Cancelar");
        }
        size(option.constData(), transactions);
        support::press(entryScreen(), "Aceptar");
        influence(typedTgi, rating);
        finish(language);
        QStringList report;
        for (const char* name : {"Label2", "Label4", "Label6", "Label8", "Label10", "Label12",
                                 "Label14", "Label16", "Label18", "Label21", "Label24"})
            report << support::shown(app::screen<Form10>(), name);
        QTEST(report.join(u' '), "report");
        QCOMPARE(messages.count(), 0);

        support::press(app::screen<Form5>(), "Finalizar");
        QVERIFY(toolkit::programEnded());
    }

    // After each computing button, a screen reader hears the result with its name, and on the
    // effort screen all three results together.
    void resultsAreHeardAfterEachStep()
    {
        QStringList heard;
        const auto step = [&heard](const toolkit::Screen& screen, const char* button) {
            support::press(screen, button);
            heard << support::announced(screen);
        };
        support::click(support::widget<QRadioButton>(app::screen<Form7>(), "Option3"));
        for (int box = 1; box <= 6; ++box)
            support::type(app::screen<Form1>(), "Text" + QByteArray::number(box), "2");
        step(app::screen<Form1>(), "Calcular");
        support::press(app::screen<Form1>(), "Aceptar");
        support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option2"));
        for (int row = 1; row <= Form2::kAttributes; ++row)
            support::pick(app::screen<Form2>(), QStringLiteral("Combo%1").arg(row).toLatin1(), 1);
        step(app::screen<Form2>(), "Sumar");
        support::press(app::screen<Form2>(), "Aceptar");
        step(app::screen<Form3>(), "Calcular");
        step(app::screen<Form3>(), "Obtencion");
        support::press(app::screen<Form3>(), "Command1");
        support::pick(app::screen<Form4>(), "Combo1", 7);
        step(app::screen<Form4>(), "Command1");
        support::press(app::screen<Form4>(), "Command2");
        step(app::screen<Form5>(), "Calcular");
        QCOMPARE(heard, QStringList({"PFNA (Batch): 5; PFNA (On Line): 5", "TGI: 19", "ACT: 0,745",
                                     "PFA: 7,45; PFA en Batch: 3,725; PFA On Line: 3,725",
                                     "P: 0,147590249922299",
                                     "W: 63,0969864533917; E: 1,22826096575606; PE: "
                                     "6,06548625064719"}));
    }
};

SUPPORT_TEST_MAIN(TestEstimate)
#include "tst_estimate.moc"
