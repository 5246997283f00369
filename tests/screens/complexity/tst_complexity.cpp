#include "screen_test.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>

class TestComplexity final : public QObject
{
    Q_OBJECT

    static Form6& mode() { return app::screen<Form6>(); }
    static Form2& ratings() { return app::screen<Form2>(); }
    static Form3& adjustment() { return app::screen<Form3>(); }

    // The named boxes' texts and buttons' names, greyed ones in brackets, then the focus.
    static QStringList seen(const toolkit::Screen& screen, const QList<const char*>& names)
    {
        QStringList seen;
        for (const char* name : names) {
            auto* box = qobject_cast<QLineEdit*>(support::widget(screen, name));
            const QString text = box ? box->text() : name;
            seen << (support::widget(screen, name)->isEnabled() ? text : '[' + text + ']');
        }
        return seen << support::focused(screen);
    }

    // Rates every attribute but one skipped; each rating and attribute name reads whole.
    static void rateAll(int rating, int skipped = 0)
    {
        for (int row = 1; row <= Form2::kAttributes; ++row) {
            auto* list = support::widget<QComboBox>(ratings(), "Combo" + QByteArray::number(row));
            auto* name = support::widget<QLabel>(ratings(), "Label" + QByteArray::number(row));
            if (row != skipped)
                support::pick(ratings(), list->objectName().toLatin1(), rating);
            QVERIFY2(list->sizeHint().width() <= list->width() &&
                         name->sizeHint().width() <= name->width() &&
                         name->geometry().right() < list->x(),
                     qPrintable(name->text()));
        }
    }

private slots:
    void init() { support::freshRun(); }

    void directValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<char>("how"); // t typed, p pasted at once, a written by an assistive tool
        QTest::addColumn<QString>("left");    // empty when refused
        QTest::addColumn<QString>("refusal"); // what the one message says, if any
        QTest::addColumn<double>("act");
        const QString range = "entre 0 y 95", notWhole = "El TGI es un número entero de 0 a 95";
        // 0.005 * 40 + 0.65 is not the double nearest 0.85, and stays so.
        // clang-format off
        QTest::newRow("40")            << "40"    << 't' << "40" << ""       << 0.8500000000000001;
        QTest::newRow("95")            << "95"    << 't' << "95" << ""       << 1.125;
        QTest::newRow("96")            << "96"    << 't' << ""   << range    << 0.0;
        QTest::newRow("pasted 40000")  << "40000" << 'p' << ""   << range    << 0.0;
        QTest::newRow("abc")           << "abc"   << 'a' << ""   << notWhole << 0.0;
        QTest::newRow("emptied")       << ""      << 't' << ""   << ""       << 0.0;
        // clang-format on
    }

    // Only a whole number from 0 to 95 goes on; anything else is refused and the box emptied.
    void directValue()
    {
        QFETCH(QString, typed);
        QFETCH(char, how);
        QFETCH(QString, left);
        QFETCH(QString, refusal);
        QFETCH(double, act);
        mode().Show();
        support::type(mode(), "Text1", typed); // locked until the direct value is chosen
        support::key(mode(), Qt::Key_Return);
        QCOMPARE(seen(mode(), {"Text1", "Command1"}), QStringList({"", "[Command1]", "Text1"}));

        support::click(support::widget(mode(), "Option1"));

        support::Messages messages;
        auto* box = support::widget<QLineEdit>(mode(), "Text1");
        if (how == 'a')
            QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, typed);
        else if (how == 'p')
            box->insert(typed);
        else
            support::type(box, typed);
        QCOMPARE(support::shown(mode(), "Text1"), left);
        QVERIFY(messages.count() == !refusal.isEmpty() &&
                messages.texts().value(0).contains(refusal));
        support::key(mode(), Qt::Key_Return);
        QCOMPARE(mode().isShown(), left.isEmpty());
        if (left.isEmpty())
            return;
        support::key(adjustment(), Qt::Key_Return);
        QVERIFY2(adjustment().ACT == act, qPrintable(QString::number(adjustment().ACT, 'g', 17)));
    }

    // Each rating list is heard by its attribute.
    void heardOnceAndByName()
    {
        ratings().Show();
        support::pick(ratings(), "Combo1", 2);
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(support::widget(ratings(), "Combo1"));
        QCOMPARE(list->text(QAccessible::Value), "2-Inf.Moderada");
        QCOMPARE(list->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
                 "Comunicación de datos");
    }

    // Without any influence, then all moderate.
    void ratingsSum()
    {
        const QList<const char*> sum = {"Text20", "Sumar", "Aceptar"};
        ratings().Show();
        rateAll(0, 3);
        support::Messages messages;
        support::press(ratings(), "Sumar"); // an unrated attribute is named, nothing changes
        QVERIFY(messages.texts().value(0).contains("«Prestaciones»"));
        QCOMPARE(seen(ratings(), sum), QStringList({"[]", "Sumar", "[Aceptar]", "Combo3"}));
        support::pick(ratings(), "Combo3", 0);
        support::key(ratings(), Qt::Key_Return); // from a list: the default button
        QCOMPARE(seen(ratings(), sum), QStringList({"0", "[Sumar]", "Aceptar", "Text20"}));
        // A rating changed after the sum takes the stale total away.
        rateAll(3);
        QCOMPARE(seen(ratings(), sum), QStringList({"[]", "Sumar", "[Aceptar]", "Combo19"}));
        support::key(ratings(), Qt::Key_Return);
        support::key(ratings(), Qt::Key_Return);
        QVERIFY(!ratings().isShown() && adjustment().isShown());
        QCOMPARE(messages.titles(), QStringList("Falta una valoración"));
    }

    void adjustedSize_data()
    {
        // Each system type is sized in turn; all but the last are left with Cancelar.
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<QString>("tgi");       // typed directly, or empty: rated 1
        QTest::addColumn<QStringList>("shown"); // ACT, then the batch, on-line and total sizes
        // A kind the system lacks stays empty and greyed, whatever an abandoned screen holds.
        // clang-format off
        QTest::newRow("on line")            << QList{2}    << ""        << QStringList{"0,745", "[]",   "37,25", "37,25"};
        QTest::newRow("mixed")              << QList{3}    << "20"      << QStringList{"0,75",  "75",   "37,5",  "112,5"};
        QTest::newRow("mixed then batch")   << QList{3, 1} << "0"       << QStringList{"0,65",  "32,5", "[]",    "32,5"};
        // clang-format on
    }

    void adjustedSize()
    {
        QFETCH(QList<int>, kinds);
        QFETCH(QString, tgi);
        QFETCH(QStringList, shown);
        for (qsizetype i = 0; i < kinds.size(); ++i) // worth 50 points, mixed 75 more in batch
            support::press(
                support::count(kinds[i], {kinds[i] == 3 ? "55 15 0 27 4 11" : "27 4 11"}),
                i + 1 == kinds.size() ? "Aceptar" : "Cancelar");
        support::giveTgi(tgi, 1);
        const QList<const char*> all = {"Text1",    "Text3",     "Text4",   "Text7",
                                        "Calcular", "Obtencion", "Command1"};
        // Enter alone goes the whole road.
        support::key(adjustment(), Qt::Key_Return);
        support::key(adjustment(), Qt::Key_Return);
        QCOMPARE(seen(adjustment(), all),
                 (shown + QStringList{"[Calcular]", "[Obtencion]", "Command1", "Text7"}));

        support::key(adjustment(), Qt::Key_Return);
        QVERIFY(!adjustment().isShown() && app::screen<Form4>().isShown());
    }
};

SUPPORT_TEST_MAIN(TestComplexity)
#include "tst_complexity.moc"
