#include "screen_test.h"

#include "app/registry.h"
#include "screens/complexity/form6.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QAccessible>

// The function entry screens, reached from the system type screen as the user does. Rows give the
// system type by the number of its option there: 1 batch (Form8), 2 on line (Form9), 3 mixed
// (Form1). Counts and totals are written as the boxes show them, separated by blanks.
class TstEntryScreens : public QObject
{
    Q_OBJECT

    static QByteArray box(qsizetype number) { return "Text" + QByteArray::number(number); }

    static toolkit::Screen& choose(int kind)
    {
        support::click(support::widget(app::screen<Form7>(), "Option" + QByteArray::number(kind)));
        toolkit::Screen* entry[] = {&app::screen<Form8>(), &app::screen<Form9>(),
                                    &app::screen<Form1>()};
        return *entry[kind - 1];
    }

    // The count boxes are Text1.. in order; the total boxes follow them.
    static void typeCounts(const toolkit::Screen& form, const QString& counts)
    {
        for (qsizetype n = 0; const QString& count : counts.split(u' '))
            support::type(form, box(++n), count);
    }

    static QString shown(const toolkit::Screen& form, qsizetype first, qsizetype last)
    {
        QStringList texts;
        while (first <= last)
            texts << support::shown(form, box(first++));
        return texts.join(u' ');
    }

    // Enabled state of Calcular, Aceptar and NuevaFuncion, as "011", and which one Enter presses.
    static QString buttonStates(const toolkit::Screen& form)
    {
        QString states, enter;
        for (const char* name : {"Calcular", "Aceptar", "NuevaFuncion"}) {
            auto* button = support::widget<QPushButton>(form, name);
            states += button->isEnabled() ? u'1' : u'0';
            enter += button->isDefault() ? QStringLiteral(" Enter=") + name : QString();
        }
        return states + enter;
    }

    static QAccessibleInterface* heard(const toolkit::Screen& form, const char* name)
    {
        return QAccessible::queryAccessibleInterface(support::widget(form, name));
    }

    // What Calcular stored from the count boxes, in box order.
    static QList<int> countFields(int kind)
    {
        if (kind == 1)
            return {app::screen<Form8>().X1, app::screen<Form8>().X2, app::screen<Form8>().X3};
        if (kind == 2)
            return {app::screen<Form9>().Z1, app::screen<Form9>().Z2, app::screen<Form9>().Z3};
        const Form1& mixed = app::screen<Form1>();
        return {mixed.A, mixed.B, mixed.c, mixed.d, mixed.E, mixed.f};
    }

private slots:
    void init()
    {
        support::freshRun();
        app::start<Form7>();
    }

    // Two transactions, with a visit to the system type screen between them; the second is first
    // typed with one bad count, then corrected. The last two text columns are a negative
    // transaction and its correction (the mixed one in its on-line part).
    void transactionsAddUp_data()
    {
        for (const char* column : {"first", "totals", "second", "newTotals", "badText", "badName",
                                   "negative", "correction"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("bad");
        // Zero and negative counts are taken as they are.
        // clang-format off
        QTest::newRow("batch")   << "2 5 10"       << "8,82"     << "1 1 1"        << "11,32"      << "40000" << "Nº Datos de Salida (Batch)"    << "0 -50 0"       << "0 60 0"       << 1 << 3;
        QTest::newRow("on line") << "2 5 10"       << "8,82"     << "0 -1 1"       << "8,5"        << "abc"   << "Nº Datos de Entrada (On Line)" << "-2 0 0"        << "3 0 0"        << 2 << 2;
        QTest::newRow("mixed")   << "1 1 1 2 5 10" << "2,5 8,82" << "2 5 10 0 0 0" << "11,32 8,82" << ""      << "Nº Entidades (On Line)"        << "1 1 1 0 0 -50" << "0 0 0 0 0 60" << 3 << 4;
        // clang-format on
    }
    void transactionsAddUp()
    {
        QFETCH(QString, first);
        QFETCH(QString, totals);
        QFETCH(QString, second);
        QFETCH(QString, badText);
        QFETCH(QString, badName);
        QFETCH(int, kind);
        QFETCH(int, bad);
        const qsizetype counts = first.count(u' ') + 1, last = counts + totals.count(u' ') + 1;
        toolkit::Screen& form = choose(kind);
        // The totals in view, the buttons and the focus, read together.
        const auto state = [&]() -> QStringList {
            return {shown(form, counts + 1, last), buttonStates(form), support::focused(form)};
        };
        QVERIFY(form.isShown() && !app::screen<Form7>().isShown());
        QCOMPARE(buttonStates(form), "100 Enter=Calcular");
        // Focus starts in Text1; Tab runs down every box, the batch column first.
        for (int n = 1; n <= last; ++n, support::key(form, Qt::Key_Tab))
            QCOMPARE(support::focused(form), box(n));

        // After a calculation the total is what the focus (and a screen reader) reads next, and
        // Enter goes on to the next transaction.
        typeCounts(form, first);
        support::key(form, Qt::Key_Return);
        QCOMPARE(state(), QStringList({totals, "011 Enter=NuevaFuncion", box(counts + 1)}));

        // Escape leaves as Cancelar does. Coming back through the system type screen, after
        // another entry screen came and went, finds everything as it was left.
        const QString before = shown(form, 1, last);
        support::key(form, Qt::Key_Escape);
        QVERIFY(!form.isShown() && app::screen<Form7>().isShown());
        support::press(choose(kind == 1 ? 2 : 1), "Cancelar");
        QVERIFY(choose(kind).isShown());
        QCOMPARE(shown(form, 1, last), before);

        // A new function empties the counts; the running totals stay in view.
        support::key(form, Qt::Key_Return);
        QCOMPARE(shown(form, 1, counts).trimmed(), QString());
        QCOMPARE(state(), QStringList({totals, "111 Enter=Calcular", "Text1"}));

        // A bad count is named in one message and changes nothing but the counts read before it;
        // the focus goes back to it.
        typeCounts(form, second);
        support::type(form, box(bad), badText);
        support::Messages messages;
        support::press(form, "Calcular");
        QVERIFY2(messages.count() == 1 && messages.texts()[0].contains(u'«' + badName + u'»'),
                 qPrintable(messages.texts().join(u'\n')));
        QCOMPARE(state(), QStringList({totals, "111 Enter=Calcular", box(bad)}));
        for (int i = 0; i < counts; ++i)
            QCOMPARE(countFields(kind)[i], (i < bad - 1 ? second : first).split(u' ')[i].toInt());

        support::type(form, box(bad), second.split(u' ')[bad - 1]);
        support::key(form, Qt::Key_Return);
        QTEST(shown(form, counts + 1, last), "newTotals");
        // The twin screens do not sound alike: each box says its kind of system.
        QCOMPARE(heard(form, box(bad))->text(QAccessible::Name), badName);
    }

    // Space, a click or a toggle chooses the system type; the arrow keys only browse the options,
    // also after a choice. A screen reader hears each option once, with the question.
    void systemTypeIsChosenNeverBrowsedInto()
    {
        Form7& type = app::screen<Form7>();
        QCOMPARE(support::focused(type), QStringLiteral("Option1"));
        support::key(type, Qt::Key_Escape); // neither a cancel nor a default button
        support::key(type, Qt::Key_Return);
        QVERIFY(type.isShown() && !type.Option1->isSelected());
        support::key(type, Qt::Key_Space);
        support::press(app::screen<Form8>(), "Cancelar");
        support::key(type, Qt::Key_Down);
        support::key(type, Qt::Key_Down);
        QCOMPARE(support::focused(type), QStringLiteral("Option3"));
        QVERIFY(type.isShown() && type.Option1->isSelected());
        support::key(type, Qt::Key_Space);
        QVERIFY(app::screen<Form1>().isShown() && type.Option3->isSelected());
        QCOMPARE(heard(type, "Option2")->text(QAccessible::Name), "Sistema On Line");
        QCOMPARE(heard(type, "Option2")->text(QAccessible::Description),
                 "Seleccione Tipo de Sistema");
        QVERIFY(heard(type, "Label3")->state().invisible);

        // Cancelar ends the program, whatever screens are loaded.
        support::press(app::screen<Form1>(), "Cancelar");
        support::press(type, "Cancelar");
        QVERIFY(toolkit::programEnded());
    }

    // A negative running total cannot go on to the adjustment; a further transaction mends it.
    void negativeTotalIsRefusedUntilCorrected_data() { transactionsAddUp_data(); }
    void negativeTotalIsRefusedUntilCorrected()
    {
        QFETCH(int, kind);
        QFETCH(QString, negative);
        QFETCH(QString, correction);
        toolkit::Screen& form = choose(kind);
        typeCounts(form, negative);
        support::press(form, "Calcular");
        {
            support::Messages messages;
            support::press(form, "Aceptar");
            QCOMPARE(messages.titles(), QStringList("Total negativo"));
            QVERIFY(messages.texts()[0].contains(QStringLiteral("Nueva Funcion")));
        }
        QVERIFY(form.isShown() && !app::Registry::instance().exists<Form6>());
        support::press(form, "NuevaFuncion");
        typeCounts(form, correction);
        support::press(form, "Calcular");
        support::press(form, "Aceptar");
        QVERIFY(!form.isShown() && app::screen<Form6>().isShown());
        // Whichever entry leads there, nothing goes on before a degree of influence is chosen.
        QVERIFY(!app::screen<Form6>().Command1->isEnabled());
    }
};

SUPPORT_TEST_MAIN(TstEntryScreens)
#include "tst_entry_screens.moc"
