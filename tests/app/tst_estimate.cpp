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

// One whole estimate as the user enters it, and its report.
struct Estimate
{
    const char* name;
    Counts mixedFirst;  // a mixed entry sized, then left with Cancelar for another type
    const char* option; // the system type
    Counts transactions;
    const char* typedTgi; // empty: every attribute rated alike
    int rating;
    int language; // position in the list
    QLocale::Language locale;
    // PFNA batch, on line, mixed; TGI, ACT; PFA batch, on line, total; P, W, PE.
    QString report;
};

// clang-format off
static const Estimate estimates[] = {
    {"batch, typed TGI, SQL", {}, "Option1", {{2, 5, 10}, {1, 1, 1}}, "35", 0, 7, QLocale::Spanish,
     "11,32 0 0 35 0,825 9,339 0 9,339 0,148076282045204 94,6032666846913 6,79106166357798"},
    // Regional settings with a decimal point: the same estimate, written with points.
    {"batch, decimal point", {}, "Option1", {{2, 5, 10}, {1, 1, 1}}, "35", 0, 7, QLocale::English,
     "11.32 0 0 35 0.825 9.339 0 9.339 0.148076282045204 94.6032666846913 6.79106166357798"},
    {"on line, rated attributes, Java", {}, "Option2", {{3, 10, 20}}, "", 2, 10, QLocale::Spanish,
     "0 15,98 0 38 0,84 0 13,4232 13,4232 0,0932032690325373 144,020699481195 8,1417078925375"},
    {"mixed, typed TGI, COBOL", {}, "Option3", {{1, 1, 1, 2, 5, 10}}, "20", 0, 12, QLocale::Spanish,
     "2,5 8,82 11,32 20 0,75 1,875 6,615 8,49 0,0924111710197898 102,016887092374 6,47502323748154"},
    // An abandoned mixed entry keeps its totals, but the estimate and its report take the single
    // kind's alone.
    {"mixed, then batch", {{1, 1, 1, 2, 5, 10}}, "Option1", {{1, 1, 1}}, "70", 0, 0, QLocale::Spanish,
     "2,5 0 0 70 1 2,5 0 2,5 0,14631824682569 25,629065966512 3,51364184463153"},
    {"mixed, then on line", {{1, 1, 1, 2, 5, 10}}, "Option2", {{1, 1, 1}}, "70", 0, 0, QLocale::Spanish,
     "0 2,5 0 70 1 0 2,5 2,5 0,14631824682569 17,0860439776747 3,51364184463153"},
    // Nothing to build takes no time: zeros, not a division of 0 by 0.
    {"mixed of size zero", {}, "Option3", {{0, 0, 0, 0, 0, 0}}, "0", 0, 0, QLocale::Spanish,
     "0 0 0 0 0,65 0 0 0 0,145685192539506 0 0"},
};
// clang-format on

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
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(estimates)); ++i)
            QTest::newRow(estimates[i].name) << i;
    }

    void wholeEstimate()
    {
        QFETCH(int, index);
        const Estimate& estimate = estimates[index];
        QLocale::setDefault(QLocale(estimate.locale)); // the next fresh run sets Spanish again

        support::Messages messages;
        if (!estimate.mixedFirst.isEmpty()) {
            size("Option3", estimate.mixedFirst);
            support::press(app::screen<Form1>(), "Cancelar");
        }
        size(estimate.option, estimate.transactions);
        support::press(entryScreen(), "Aceptar");
        influence(estimate.typedTgi, estimate.rating);
        finish(estimate.language);
        QStringList report;
        for (const char* name : {"Label2", "Label4", "Label6", "Label8", "Label10", "Label12",
                                 "Label14", "Label16", "Label18", "Label21", "Label24"})
            report << support::shown(app::screen<Form10>(), name);
        QCOMPARE(report.join(u' '), estimate.report);
        QCOMPARE(messages.count(), 0);

        support::press(app::screen<Form5>(), "Finalizar");
        QVERIFY(toolkit::programEnded());
    }
};

SUPPORT_TEST_MAIN(TestEstimate)
#include "tst_estimate.moc"
