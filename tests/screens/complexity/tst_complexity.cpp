#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QTest>

class TestComplexity final : public QObject
{
    Q_OBJECT

    static Form6& mode() { return app::screen<Form6>(); }
    static Form2& ratings() { return app::screen<Form2>(); }
    static Form3& adjustment() { return app::screen<Form3>(); }

    // What the named boxes hold and the buttons say, a greyed one in brackets: "[]", "[Sumar]".
    static QStringList seen(const toolkit::Screen& screen, const QList<const char*>& names)
    {
        QStringList seen;
        for (const char* name : names) {
            auto* box = support::widget<QLineEdit>(screen, name);
            const QString text = box ? box->text() : name;
            seen << (support::widget<QWidget>(screen, name)->isEnabled() ? text : '[' + text + ']');
        }
        return seen;
    }

    // Picks every attribute's degree with the arrow keys; one row can be left unrated.
    static void rateAll(int rating, int skipped = 0)
    {
        for (int row = 1; row <= Form2::kAttributes; ++row)
            if (row != skipped)
                support::pick(ratings(), "Combo" + QByteArray::number(row), rating);
    }

    // Chooses the system type, then types one transaction's counts on its entry screen,
    // calculates it and leaves by the button given.
    template <class Entry>
    static void enter(const char* type, const QStringList& counts, const char* leave = "Aceptar")
    {
        app::screen<Form7>().Show();
        support::click(support::widget<QWidget>(app::screen<Form7>(), type));
        for (int i = 0; i < counts.size(); ++i)
            support::type(app::screen<Entry>(), "Text" + QByteArray::number(i + 1), counts[i]);
        support::press(app::screen<Entry>(), "Calcular");
        support::press(app::screen<Entry>(), leave);
    }

private slots:
    void init() { support::freshRun(); }

    void directValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("c");
        QTest::addColumn<QString>("left"); // empty when refused
        QTest::addColumn<double>("act");
        QTest::addColumn<QString>("shownAct");
        // Rounded half to even; a point counts as decimal, a comma ends the number.
        // 0.005 * 40 + 0.65 is not the double nearest 0.85, and stays so.
        QTest::newRow("40") << "40" << 40 << "40" << 0.8500000000000001 << "0,85";
        QTest::newRow("70") << "70" << 70 << "70" << 1.0 << "1";
        QTest::newRow("95") << "95" << 95 << "95" << 1.125 << "1,125";
        QTest::newRow("96") << "96" << 0 << "" << 0.65 << "0,65";
        QTest::newRow("-0.5") << "-0.5" << 0 << "-0.5" << 0.6475000000000001 << "0,6475";
        QTest::newRow("-1") << "-1" << 0 << "" << 0.65 << "0,65";
        QTest::newRow("95.5") << "95.5" << 0 << "" << 0.65 << "0,65";
        QTest::newRow("94.5") << "94.5" << 94 << "94.5" << 1.1225 << "1,1225";
        QTest::newRow("95,4") << "95,4" << 95 << "95,4" << 1.125 << "1,125";
        QTest::newRow("pasted at once") << "40000" << 0 << "" << 0.65 << "0,65";
    }

    void directValue()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(double, act);
        mode().Show();
        mode().Command1->setEnabled(false);    // as the mixed entry screen leaves it
        support::type(mode(), "Text1", typed); // locked until the direct value is chosen
        QCOMPARE(support::shown(mode(), "Text1"), QString());
        QVERIFY(!mode().Command1->isEnabled());

        support::click(support::widget<QWidget>(mode(), "Option1"));
        support::Messages messages;
        if (typed == "40000")
            support::widget<QLineEdit>(mode(), "Text1")->insert(typed);
        else
            support::type(mode(), "Text1", typed);
        QCOMPARE(support::shown(mode(), "Text1"), left);
        QTEST(int(mode().c), "c");
        const QStringList refusal = {"Error", "El valor debe estar comprendido entre 0 y 95"};
        QCOMPARE(messages.titles() + messages.texts(), left.isEmpty() ? refusal : QStringList());

        support::press(mode(), "Command1");
        support::key(adjustment(), Qt::Key_Return);
        QVERIFY2(adjustment().ACT == act, qPrintable(QString::number(adjustment().ACT, 'g', 17)));
        QTEST(support::shown(adjustment(), "Text1"), "shownAct");
    }

    void ratingsSum_data()
    {
        QTest::addColumn<int>("rating");
        QTest::addColumn<QString>("tgi");
        QTest::newRow("all without influence") << 0 << "0";
        QTest::newRow("all very strong") << 5 << "95";
    }

    void ratingsSum()
    {
        QFETCH(int, rating);
        QFETCH(QString, tgi);
        const QList<const char*> controls = {"Text20", "Sumar", "Aceptar"};
        ratings().Show();
        rateAll(rating, 3);
        support::Messages messages;
        support::press(ratings(), "Sumar"); // an unrated attribute is named, nothing changes
        QCOMPARE(messages.titles(), QStringList("Error"));
        QVERIFY2(messages.texts()[0].contains("«Prestaciones»"), qPrintable(messages.texts()[0]));
        QCOMPARE(seen(ratings(), controls), QStringList({"[]", "Sumar", "[Aceptar]"}));
        QCOMPARE(ratings().window()->focusWidget()->objectName(), QStringLiteral("Combo3"));

        support::pick(ratings(), "Combo3", rating);
        support::key(ratings(), Qt::Key_Return); // from a combo: the default button
        QCOMPARE(seen(ratings(), controls), QStringList({tgi, "[Sumar]", "Aceptar"}));
        rateAll(rating == 0 ? 3 : 1); // the total is taken once
        QCOMPARE(support::shown(ratings(), "Text20"), tgi);
    }

    void adjustedSize_data()
    {
        QTest::addColumn<QString>("tgi");       // typed directly, null for no option, or "rated 1"
        QTest::addColumn<QStringList>("shown"); // ACT, then the batch, on-line and total sizes
        // The box of a kind the system lacks stays empty and greyed.
        QTest::newRow("on line") << "rated 1" << QStringList{"0,745", "[]", "37,25", "37,25"};
        QTest::newRow("mixed") << "20" << QStringList{"0,75", "75", "37,5", "112,5"};
        QTest::newRow("mixed then batch") << QString() << QStringList{"0,65", "32,5", "[]", "32,5"};
    }

    void adjustedSize()
    {
        QFETCH(QString, tgi);
        QFETCH(QStringList, shown);
        const QString road = QTest::currentDataTag();
        const QStringList fifty = {"27", "4", "11"};
        if (road == "on line")
            enter<Form9>("Option2", fifty);
        if (road.startsWith("mixed"))
            enter<Form1>("Option3", QStringList{"55", "15", "0"} + fifty,
                         road == "mixed" ? "Aceptar" : "Cancelar");
        if (road.endsWith("batch"))
            enter<Form8>("Option1", fifty);

        const bool rated = tgi.startsWith("rated");
        if (rated) {
            support::click(support::widget<QWidget>(mode(), "Option2"));
            rateAll(1);
            support::press(ratings(), "Sumar");
            support::press(ratings(), "Aceptar");
        } else {
            if (!tgi.isNull()) {
                support::click(support::widget<QWidget>(mode(), "Option1"));
                support::type(mode(), "Text1", tgi);
            }
            support::press(mode(), "Command1");
        }
        // The rated road greys the results until they are computed.
        const QString box = rated ? "[]" : "";
        const QList<const char*> all = {"Text1",    "Text3",     "Text4",   "Text7",
                                        "Calcular", "Obtencion", "Command1"};
        QCOMPARE(seen(adjustment(), all),
                 QStringList({box, box, box, "", "Calcular", "[Obtencion]", "[Command1]"}));
        support::key(adjustment(), Qt::Key_Return);
        QCOMPARE(seen(adjustment(), all),
                 QStringList({shown[0], box, box, "", "[Calcular]", "Obtencion", "[Command1]"}));
        support::press(adjustment(), "Obtencion");
        QCOMPARE(seen(adjustment(), all),
                 (shown + QStringList{"[Calcular]", "[Obtencion]", "Command1"}));

        support::press(adjustment(), "Command1");
        QVERIFY(!adjustment().isShown() && app::screen<Form4>().isShown());
        QCOMPARE(seen(app::screen<Form4>(), {"Command1", "Command2"}),
                 QStringList({"[Command1]", "[Command2]"}));
    }
};

SUPPORT_TEST_MAIN(TestComplexity)
#include "tst_complexity.moc"
