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

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
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
            QWidget* control = support::widget(screen, name);
            auto* box = qobject_cast<QLineEdit*>(control);
            const QString text = box ? box->text() : name;
            seen << (control->isEnabled() ? text : '[' + text + ']');
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

    // Chooses the system type by its option on Form7, types one transaction's counts on its
    // entry screen, calculates it and leaves by the button given.
    static void enter(int option, const QString& counts, const char* leave)
    {
        app::screen<Form7>().Show();
        support::click(
            support::widget(app::screen<Form7>(), "Option" + QByteArray::number(option)));
        toolkit::Screen* screens[] = {&app::screen<Form8>(), &app::screen<Form9>(),
                                      &app::screen<Form1>()};
        toolkit::Screen& entry = *screens[option - 1];
        const QStringList each = counts.split(u' ');
        for (int i = 0; i < each.size(); ++i)
            support::type(entry, "Text" + QByteArray::number(i + 1), each[i]);
        support::press(entry, "Calcular");
        support::press(entry, leave);
    }

private slots:
    void init() { support::freshRun(); }

    void directValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<char>("how"); // t typed, p pasted at once, a written by an assistive tool
        QTest::addColumn<int>("c");
        QTest::addColumn<QString>("left"); // empty when refused
        QTest::addColumn<double>("act");
        QTest::addColumn<QString>("shownAct");
        // Rounded half to even; a point counts as decimal, a comma ends the number.
        // 0.005 * 40 + 0.65 is not the double nearest 0.85, and stays so.
        QTest::newRow("40") << "40" << 't' << 40 << "40" << 0.8500000000000001 << "0,85";
        QTest::newRow("95") << "95" << 't' << 95 << "95" << 1.125 << "1,125";
        QTest::newRow("96") << "96" << 't' << 0 << "" << 0.65 << "0,65";
        QTest::newRow("-1") << "-1" << 't' << 0 << "" << 0.65 << "0,65";
        QTest::newRow("95.5") << "95.5" << 't' << 0 << "" << 0.65 << "0,65";
        QTest::newRow("95,4") << "95,4" << 't' << 95 << "95,4" << 1.125 << "1,125";
        QTest::newRow("pasted 40000") << "40000" << 'p' << 0 << "" << 0.65 << "0,65";
        QTest::newRow("assistive 500") << "500" << 'a' << 0 << "" << 0.65 << "0,65";
        // Travels to the adjustment screen as "1E-05", which must read back as a number.
        QTest::newRow("0.00001") << "0.00001" << 't' << 0 << "0.00001" << 0.65000005
                                 << "0,65000005";
    }

    void directValue()
    {
        QFETCH(QString, typed);
        QFETCH(char, how);
        QFETCH(QString, left);
        QFETCH(double, act);
        mode().Show();
        mode().Command1->setEnabled(false);    // as the mixed entry screen leaves it
        support::type(mode(), "Text1", typed); // locked until the direct value is chosen
        QCOMPARE(support::shown(mode(), "Text1"), QString());
        QVERIFY(!mode().Command1->isEnabled());

        support::click(support::widget(mode(), "Option1"));
        // Browsing the options with the arrow keys does not leave for the attribute ratings.
        support::key(mode(), Qt::Key_Down);
        QVERIFY(mode().isShown() && mode().Option1->isSelected());

        support::Messages messages;
        auto* box = support::widget<QLineEdit>(mode(), "Text1");
        if (how == 'p')
            box->insert(typed);
        else if (how == 'a')
            QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, typed);
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
        {
            support::Messages messages;
            support::press(ratings(), "Sumar"); // an unrated attribute is named, nothing changes
            QCOMPARE(messages.titles(), QStringList("Falta una valoración"));
            QVERIFY2(messages.texts()[0].contains("«Prestaciones»"),
                     qPrintable(messages.texts()[0]));
        }
        QCOMPARE(seen(ratings(), controls), QStringList({"[]", "Sumar", "[Aceptar]"}));
        QCOMPARE(support::focused(ratings()), QStringLiteral("Combo3"));

        // A typed digit picks the rating that starts with it.
        QTest::keyClicks(support::widget(ratings(), "Combo3"), QString::number(rating));
        support::key(ratings(), Qt::Key_Return); // from a list: the default button
        QCOMPARE(seen(ratings(), controls), QStringList({tgi, "[Sumar]", "Aceptar"}));
        QCOMPARE(support::focused(ratings()), QStringLiteral("Text20"));
        rateAll(rating == 0 ? 3 : 1); // the total is taken once
        QCOMPARE(support::shown(ratings(), "Text20"), tgi);
        support::key(ratings(), Qt::Key_Return);
        QVERIFY(!ratings().isShown() && adjustment().isShown());
    }

    // Every rating reads whole in its closed list, every attribute name on its row.
    void ratingsAndNamesReadWhole()
    {
        ratings().Show();
        for (int row = 1; row <= Form2::kAttributes; ++row) {
            auto* list = support::widget<QComboBox>(ratings(), "Combo" + QByteArray::number(row));
            auto* name = support::widget<QLabel>(ratings(), "Label" + QByteArray::number(row));
            QVERIFY2(list->sizeHint().width() <= list->width(), qPrintable(list->objectName()));
            QVERIFY2(name->sizeHint().width() <= name->width() &&
                         name->geometry().right() < list->x(),
                     qPrintable(name->text()));
        }
    }

    void adjustedSize_data()
    {
        QTest::addColumn<int>("abandoned"); // a system type sized first, then left with Cancelar
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("tgi"); // typed directly, null for no option, empty: rated 1
        QTest::addColumn<QStringList>("shown"); // ACT, then the batch, on-line and total sizes
        // The box of a kind the system lacks stays empty and greyed, whatever total an abandoned
        // entry screen still holds.
        QTest::newRow("on line") << 0 << 2 << "" << QStringList{"0,745", "[]", "37,25", "37,25"};
        QTest::newRow("mixed") << 0 << 3 << "20" << QStringList{"0,75", "75", "37,5", "112,5"};
        QTest::newRow("mixed then batch")
            << 3 << 1 << QString() << QStringList{"0,65", "32,5", "[]", "32,5"};
        QTest::newRow("mixed then on line")
            << 3 << 2 << "0" << QStringList{"0,65", "[]", "32,5", "32,5"};
    }

    void adjustedSize()
    {
        QFETCH(int, abandoned);
        QFETCH(int, option);
        QFETCH(QString, tgi);
        QFETCH(QStringList, shown);
        const QString fifty = "27 4 11";
        const auto counts = [&](int kind) { return kind == 3 ? "55 15 0 " + fifty : fifty; };
        if (abandoned)
            enter(abandoned, counts(abandoned), "Cancelar");
        enter(option, counts(option), "Aceptar");

        const bool rated = !tgi.isNull() && tgi.isEmpty();
        if (rated) {
            support::click(support::widget(mode(), "Option2"));
            rateAll(1);
            support::press(ratings(), "Sumar");
            support::press(ratings(), "Aceptar");
        } else {
            if (!tgi.isNull()) {
                support::click(support::widget(mode(), "Option1"));
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
        // Enter alone goes the whole road, each result read as soon as it is computed; coming
        // back to the screen in between changes nothing.
        support::key(adjustment(), Qt::Key_Return);
        QCOMPARE(support::focused(adjustment()), QStringLiteral("Text1"));
        QCOMPARE(seen(adjustment(), all),
                 QStringList({shown[0], box, box, "", "[Calcular]", "Obtencion", "[Command1]"}));
        adjustment().Hide();
        adjustment().Show();
        support::key(adjustment(), Qt::Key_Return);
        QCOMPARE(support::focused(adjustment()), QStringLiteral("Text7"));
        QCOMPARE(seen(adjustment(), all),
                 (shown + QStringList{"[Calcular]", "[Obtencion]", "Command1"}));

        support::key(adjustment(), Qt::Key_Return);
        QVERIFY(!adjustment().isShown() && app::screen<Form4>().isShown());
        QCOMPARE(seen(app::screen<Form4>(), {"Command1", "Command2"}),
                 QStringList({"[Command1]", "[Command2]"}));
    }
};

SUPPORT_TEST_MAIN(TestComplexity)
#include "tst_complexity.moc"
