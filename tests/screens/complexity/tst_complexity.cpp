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

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

class TestComplexity final : public QObject
{
    Q_OBJECT

    static Form6& mode() { return app::screen<Form6>(); }
    static Form2& ratings() { return app::screen<Form2>(); }
    static Form3& adjustment() { return app::screen<Form3>(); }
    using Screen = toolkit::Screen;
    static QLineEdit* box(const Screen& s, const char* name)
    {
        return support::widget<QLineEdit>(s, name);
    }
    static void choose(const Screen& s, const char* name)
    {
        support::click(support::widget<QRadioButton>(s, name));
    }

    // Picks every attribute's degree with the arrow keys, as the user may; one row can be skipped.
    static void rateAll(int rating, int skipped = 0)
    {
        for (int row = 1; row <= Form2::kAttributes; ++row) {
            auto* list = support::widget<QComboBox>(ratings(), "Combo" + QByteArray::number(row));
            list->setFocus();
            for (int at = list->currentIndex(); row != skipped && at != rating;
                 at += at < rating ? 1 : -1)
                QTest::keyClick(list, at < rating ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    // Types one transaction's counts and calculates it, on whichever entry screen.
    template <class Entry> static Entry& enter(const QStringList& counts)
    {
        Entry& entry = app::screen<Entry>();
        for (int i = 0; i < counts.size(); ++i)
            support::type(box(entry, "Text" + QByteArray::number(i + 1)), counts[i]);
        entry.Calcular->press();
        return entry;
    }

    // From Form7 on to Form6 with a batch total of 100, an on-line total of 50, both on the mixed
    // screen, or, "mixed then batch", a mixed entry left behind and a batch total of 50.
    static void enterSystem(const QString& road)
    {
        app::screen<Form7>().Show();
        const QStringList hundred = {"55", "15", "0"};
        const QStringList fifty = {"27", "4", "11"};
        if (road.startsWith(QLatin1String("mixed"))) {
            choose(app::screen<Form7>(), "Option3");
            Form1& mixed = enter<Form1>(hundred + fifty);
            (road == QLatin1String("mixed") ? mixed.Aceptar : mixed.Cancelar)->press();
        }
        if (road.endsWith(QLatin1String("batch"))) {
            choose(app::screen<Form7>(), "Option1");
            enter<Form8>(road == QLatin1String("batch") ? hundred : fifty).Aceptar->press();
        } else if (road == QLatin1String("on line")) {
            choose(app::screen<Form7>(), "Option2");
            enter<Form9>(fifty).Aceptar->press();
        }
    }

    // On Form6: a direct value, no option at all (null), or "all N": every attribute rated N.
    static void giveTgi(const QString& tgi)
    {
        if (tgi.startsWith(QLatin1String("all "))) {
            choose(mode(), "Option2");
            rateAll(tgi.back().digitValue());
            ratings().Sumar->press();
            ratings().Aceptar->press();
            return;
        }
        if (!tgi.isNull()) {
            choose(mode(), "Option1");
            support::type(box(mode(), "Text1"), tgi);
        }
        mode().Command1->press();
    }

    static QList<bool> adjustmentButtons()
    {
        return {adjustment().Calcular->isEnabled(), adjustment().Obtencion->isEnabled(),
                adjustment().Command1->isEnabled()};
    }

private slots:
    void init() { support::freshRun(); }

    void directValueRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("left");
        QTest::addColumn<int>("c");
        QTest::newRow("95") << "95" << false << "95" << 95;
        QTest::newRow("96") << "96" << false << "" << 0;
        QTest::newRow("-0.5 rounds to 0") << "-0.5" << false << "-0.5" << 0;
        QTest::newRow("-1") << "-1" << false << "" << 0;
        QTest::newRow("95.5 rounds to 96") << "95.5" << false << "" << 0;
        QTest::newRow("94.5 rounds to 94") << "94.5" << false << "94.5" << 94;
        QTest::newRow("the comma ends the number") << "95,4" << false << "95,4" << 95;
        QTest::newRow("pasted beyond a whole number") << "40000" << true << "" << 0;
    }

    void directValueRange()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(QString, left);
        mode().Show();
        // As the mixed entry screen leaves it: the box's first change enables the button.
        mode().Command1->setEnabled(false);
        support::type(box(mode(), "Text1"), typed); // locked until the direct value is chosen
        QCOMPARE(box(mode(), "Text1")->text(), QString());
        QVERIFY(!mode().Command1->isEnabled());
        choose(mode(), "Option1");
        support::MessageCatcher messages;
        if (pasted)
            box(mode(), "Text1")->insert(typed);
        else
            support::type(box(mode(), "Text1"), typed);

        QCOMPARE(box(mode(), "Text1")->text(), left);
        QTEST(int(mode().c), "c");
        const bool refused = left.isEmpty();
        QCOMPARE(messages.texts, refused
                                     ? QStringList{"El valor debe estar comprendido entre 0 y 95"}
                                     : QStringList());
        QCOMPARE(messages.titles, refused ? QStringList{"Error"} : QStringList());
        QVERIFY(mode().Command1->isEnabled());
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
        ratings().Show();
        QVERIFY(!ratings().Aceptar->isEnabled());
        rateAll(rating);
        support::key(ratings(), Qt::Key_Return); // from the last combo: the default button
        QTEST(box(ratings(), "Text20")->text(), "tgi");
        QVERIFY(box(ratings(), "Text20")->isEnabled());
        QVERIFY(!ratings().Sumar->isEnabled());
        QVERIFY(ratings().Aceptar->isEnabled());

        // The total is taken once: a later pick changes nothing shown.
        rateAll(rating == 0 ? 3 : 1);
        QTEST(box(ratings(), "Text20")->text(), "tgi");
        QCOMPARE(int(ratings().TGI), 19 * rating);
    }

    void unratedAttributeIsNamed()
    {
        ratings().Show();
        rateAll(1, 3);
        support::MessageCatcher messages;
        ratings().Sumar->press();
        QCOMPARE(messages.count(), 1);
        QVERIFY2(messages.texts[0].contains(QStringLiteral("«Prestaciones»")),
                 qPrintable(messages.texts[0]));
        QCOMPARE(messages.titles[0], QStringLiteral("Error"));
        QCOMPARE(box(ratings(), "Text20")->text(), QString());
        QVERIFY(!ratings().Aceptar->isEnabled());
        QCOMPARE(ratings().window()->focusWidget()->objectName(), QStringLiteral("Combo3"));

        rateAll(1);
        ratings().Sumar->press();
        QCOMPARE(box(ratings(), "Text20")->text(), QStringLiteral("19"));
    }

    void adjustmentFactor_data()
    {
        QTest::addColumn<QString>("tgi");
        QTest::addColumn<double>("act");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0") << "0" << 0.65 << "0,65";
        // 0.005 * 40 + 0.65 is not the double nearest 0.85, and stays so.
        QTest::newRow("40") << "40" << 0.8500000000000001 << "0,85";
        QTest::newRow("70") << "70" << 1.0 << "1";
        QTest::newRow("95") << "95" << 1.125 << "1,125";
        QTest::newRow("12.5") << "12.5" << 0.7125 << "0,7125";
        QTest::newRow("12,5 stops at the comma") << "12,5" << 0.71 << "0,71";
        QTest::newRow("no option: the unrated total") << QString() << 0.65 << "0,65";
    }

    void adjustmentFactor()
    {
        QFETCH(QString, tgi);
        QFETCH(double, act);
        mode().Show();
        giveTgi(tgi);
        support::key(adjustment(), Qt::Key_Return);
        QVERIFY2(adjustment().ACT == act, qPrintable(QString::number(adjustment().ACT, 'g', 17)));
        QTEST(box(adjustment(), "Text1")->text(), "shown");
    }

    void adjustedSize_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("tgi");
        QTest::addColumn<QStringList>("shown"); // batch, on line, total
        QTest::addColumn<double>("PFA");
        QTest::newRow("batch") << "batch"
                               << "70" << QStringList{"100", "", "100"} << 100.0;
        QTest::newRow("on line, rated") << "on line"
                                        << "all 1" << QStringList{"", "37,25", "37,25"} << 37.25;
        QTest::newRow("mixed") << "mixed"
                               << "20" << QStringList{"75", "37,5", "112,5"} << 112.5;
        QTest::newRow("mixed then batch") << "mixed then batch"
                                          << "20" << QStringList{"37,5", "", "37,5"} << 37.5;
    }

    void adjustedSize()
    {
        QFETCH(QString, road);
        QFETCH(QString, tgi);
        QFETCH(QStringList, shown);
        QFETCH(double, PFA);
        enterSystem(road);
        giveTgi(tgi);
        QVERIFY(adjustment().isShown());
        // The rated road greys the results until they are computed.
        QCOMPARE(box(adjustment(), "Text1")->isEnabled(), !tgi.startsWith(QLatin1String("all")));
        QCOMPARE(adjustmentButtons(), QList<bool>({true, false, false}));
        adjustment().Calcular->press();
        QCOMPARE(adjustmentButtons(), QList<bool>({false, true, false}));
        adjustment().Obtencion->press();
        QCOMPARE(adjustmentButtons(), QList<bool>({false, false, true}));

        QCOMPARE(QStringList({adjustment().Text3->text(), adjustment().Text4->text(),
                              adjustment().Text7->text()}),
                 shown);
        // The box of a kind the system lacks stays empty and greyed.
        QCOMPARE(box(adjustment(), "Text3")->isEnabled(), !shown[0].isEmpty());
        QCOMPARE(box(adjustment(), "Text4")->isEnabled(), !shown[1].isEmpty());
        QVERIFY(adjustment().PFA == PFA);
        QCOMPARE(adjustment().PFAb == 0, shown[0].isEmpty());
        QCOMPARE(adjustment().PFAo == 0, shown[1].isEmpty());

        adjustment().Command1->press();
        QVERIFY(!adjustment().isShown());
        QVERIFY(app::screen<Form4>().isShown());
        QVERIFY(!support::widget<QPushButton>(app::screen<Form4>(), "Command1")->isEnabled());
        QVERIFY(!support::widget<QPushButton>(app::screen<Form4>(), "Command2")->isEnabled());
    }
};

QTEST_MAIN(TestComplexity)
#include "tst_complexity.moc"
