#include "screen_test.h"

#include "app/registry.h"
#include "screens/complexity/form6.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The function entry screens, reached from the system type screen as the user does. Rows name the
// option picked there: Option1 batch (Form8), Option2 on line (Form9), Option3 mixed (Form1).
namespace {

toolkit::Screen& entryScreen(const QByteArray& option)
{
    if (option == "Option1")
        return app::screen<Form8>();
    if (option == "Option2")
        return app::screen<Form9>();
    return app::screen<Form1>();
}

void choose(const QByteArray& option)
{
    support::click(support::widget<QRadioButton>(app::screen<Form7>(), option));
}

toolkit::Screen& start(const QByteArray& option)
{
    app::start();
    choose(option);
    return entryScreen(option);
}

QLineEdit* box(const toolkit::Screen& form, int number)
{
    return support::widget<QLineEdit>(form, QByteArray("Text") + QByteArray::number(number));
}

QPushButton* button(const toolkit::Screen& form, const char* name)
{
    return support::widget<QPushButton>(form, name);
}

// The count boxes are Text1.. in order; the total boxes follow them.
void typeCounts(const toolkit::Screen& form, const QStringList& counts)
{
    for (int i = 0; i < counts.size(); ++i)
        support::type(box(form, i + 1), counts[i]);
}

QStringList texts(const toolkit::Screen& form, int first, int last)
{
    QStringList result;
    for (int n = first; n <= last; ++n)
        result << box(form, n)->text();
    return result;
}

// Enabled state of Calcular, Aceptar and NuevaFuncion, as "011".
QString buttonStates(const toolkit::Screen& form)
{
    QString states;
    for (const char* name : {"Calcular", "Aceptar", "NuevaFuncion"})
        states += button(form, name)->isEnabled() ? u'1' : u'0';
    return states;
}

QList<int> countFields(const QByteArray& option)
{
    if (option == "Option1") {
        const Form8& f = app::screen<Form8>();
        return {f.X1, f.X2, f.X3};
    }
    if (option == "Option2") {
        const Form9& f = app::screen<Form9>();
        return {f.Z1, f.Z2, f.Z3};
    }
    const Form1& f = app::screen<Form1>();
    return {f.A, f.B, f.c, f.d, f.E, f.f};
}

const QStringList kTwinFirst{"2", "5", "10"};
const QStringList kMixedFirst{"1", "1", "1", "2", "5", "10"};

} // namespace

class TstEntryScreens : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }
    // The screens' windows must go while the application still exists.

    void transactionsAddUp_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("firstTotals");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("secondTotals");
        QTest::newRow("batch") << QByteArray("Option1") << kTwinFirst << QStringList{"8,82"}
                               << QStringList{"1", "1", "1"} << QStringList{"11,32"};
        // Zero and negative counts are taken as they are.
        QTest::newRow("on line") << QByteArray("Option2") << kTwinFirst << QStringList{"8,82"}
                                 << QStringList{"0", "-1", "1"} << QStringList{"8,5"};
        QTest::newRow("mixed") << QByteArray("Option3") << kMixedFirst << QStringList{"2,5", "8,82"}
                               << QStringList{"2", "5", "10", "0", "0", "0"}
                               << QStringList{"11,32", "8,82"};
    }
    void transactionsAddUp()
    {
        QFETCH(QByteArray, option);
        QFETCH(QStringList, first);
        QFETCH(QStringList, firstTotals);
        QFETCH(QStringList, second);
        QFETCH(QStringList, secondTotals);
        const int counts = int(first.size());
        const int lastTotal = counts + int(firstTotals.size());

        toolkit::Screen& form = start(option);
        QVERIFY(form.isShown());
        QVERIFY(!app::screen<Form7>().isShown());
        QCOMPARE(form.window()->focusWidget(), box(form, 1));
        QCOMPARE(buttonStates(form), QStringLiteral("100"));

        typeCounts(form, first);
        support::click(button(form, "Calcular"));
        QCOMPARE(texts(form, counts + 1, lastTotal), firstTotals);
        QCOMPARE(buttonStates(form), QStringLiteral("011"));

        // A new function empties the counts; the running totals stay in view.
        support::click(button(form, "NuevaFuncion"));
        QCOMPARE(texts(form, 1, counts), QStringList(counts, QString()));
        QCOMPARE(texts(form, counts + 1, lastTotal), firstTotals);
        QCOMPARE(buttonStates(form), QStringLiteral("111"));

        // Enter calculates while Calcular is enabled, and only then.
        typeCounts(form, second);
        support::key(form, Qt::Key_Return);
        support::key(form, Qt::Key_Return);
        QCOMPARE(texts(form, counts + 1, lastTotal), secondTotals);
        QCOMPARE(buttonStates(form), QStringLiteral("011"));
    }

    void badCountChangesNothingAfterIt_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<int>("bad");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("boxName");
        QTest::newRow("batch, empty") << QByteArray("Option1") << 1 << ""
                                      << "Nº Entidades";
        QTest::newRow("on line, not a number") << QByteArray("Option2") << 2 << "abc"
                                               << "Nº Datos de Entrada";
        QTest::newRow("batch, out of range") << QByteArray("Option1") << 3 << "40000"
                                             << "Nº Datos de Salida";
        QTest::newRow("mixed, on-line column empty") << QByteArray("Option3") << 4 << ""
                                                     << "Nº Entidades (On Line)";
    }
    void badCountChangesNothingAfterIt()
    {
        QFETCH(QByteArray, option);
        QFETCH(int, bad);
        QFETCH(QString, text);
        QFETCH(QString, boxName);
        toolkit::Screen& form = start(option);
        const QStringList good = option == "Option3" ? QStringList{"3", "4", "5", "6", "7", "8"}
                                                     : QStringList{"3", "4", "5"};
        const int counts = int(good.size());
        typeCounts(form, QStringList(counts, "1"));
        support::click(button(form, "Calcular"));
        support::click(button(form, "NuevaFuncion"));

        QStringList typed = good;
        typed[bad - 1] = text;
        typeCounts(form, typed);
        {
            support::MessageCatcher catcher;
            support::click(button(form, "Calcular"));
            QCOMPARE(catcher.count(), 1);
            QVERIFY2(catcher.texts.first().contains(u'«' + boxName + u'»'),
                     qPrintable(catcher.texts.first()));
        }
        QVERIFY(form.isShown());
        QCOMPARE(box(form, counts + 1)->text(), QStringLiteral("2,5"));
        QCOMPARE(buttonStates(form), QStringLiteral("111"));
        // The counts read before the bad box are taken; the others keep the last ones.
        const QList<int> fields = countFields(option);
        for (int i = 0; i < counts; ++i)
            QCOMPARE(fields[i], i < bad - 1 ? good[i].toInt() : 1);

        support::type(box(form, bad), good[bad - 1]);
        support::click(button(form, "Calcular"));
        QCOMPARE(box(form, counts + 1)->text(), QStringLiteral("11,1")); // 2.5 + 8.6
    }

    void comingBackAfterCancelKeepsEverything_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QByteArray>("other");
        QTest::newRow("batch") << QByteArray("Option1") << QByteArray("Option2");
        QTest::newRow("on line") << QByteArray("Option2") << QByteArray("Option1");
        QTest::newRow("mixed") << QByteArray("Option3") << QByteArray("Option1");
    }
    void comingBackAfterCancelKeepsEverything()
    {
        QFETCH(QByteArray, option);
        QFETCH(QByteArray, other);
        toolkit::Screen& form = start(option);
        const QStringList counts = option == "Option3" ? kMixedFirst : kTwinFirst;
        typeCounts(form, counts);
        support::click(button(form, "Calcular"));
        const QStringList shown = texts(form, 1, option == "Option3" ? 8 : 4);

        support::key(form, Qt::Key_Escape);
        QVERIFY(!form.isShown());
        QVERIFY(app::screen<Form7>().isShown());
        choose(other);
        support::click(button(entryScreen(other), "Cancelar"));
        choose(option);

        QVERIFY(form.isShown());
        QCOMPARE(texts(form, 1, int(shown.size())), shown);
        QCOMPARE(buttonStates(form), QStringLiteral("011"));
        support::click(button(form, "NuevaFuncion"));
        typeCounts(form, counts);
        support::click(button(form, "Calcular"));
        QCOMPARE(box(form, int(counts.size()) + 1)->text(), option == "Option3" ? "5" : "17,64");
    }

    void aceptarShowsTheInfluenceChoice_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::newRow("batch") << QByteArray("Option1");
        QTest::newRow("on line") << QByteArray("Option2");
        QTest::newRow("mixed") << QByteArray("Option3");
    }
    void aceptarShowsTheInfluenceChoice()
    {
        QFETCH(QByteArray, option);
        toolkit::Screen& form = start(option);
        typeCounts(form, option == "Option3" ? kMixedFirst : kTwinFirst);
        support::click(button(form, "Calcular"));
        support::click(button(form, "Aceptar"));

        const Form6& form6 = app::screen<Form6>();
        QVERIFY(form6.isShown());
        QVERIFY(!form.isShown());
        QCOMPARE(form6.Option1->value(), numeric::Integer(0));
        QCOMPARE(form6.Option2->value(), numeric::Integer(0));
        if (option == "Option3")
            QVERIFY(!form6.Command1->isEnabled());
    }

    void mixedTabsDownBatchThenOnLine()
    {
        toolkit::Screen& form = start("Option3");
        for (int next = 2; next <= 8; ++next) {
            support::key(form, Qt::Key_Tab);
            QCOMPARE(form.window()->focusWidget(), box(form, next));
        }
    }
};

QTEST_MAIN(TstEntryScreens)
#include "tst_entry_screens.moc"
