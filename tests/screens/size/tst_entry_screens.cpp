#include "screen_test.h"

#include <QAccessible>
#include <QRandomGenerator>
#include <QTreeView>

#include <bit>

// The entry screens, by Form7's option (support::chooseType); counts and totals as the boxes show.
class TstEntryScreens : public QObject
{
    Q_OBJECT

    static QByteArray box(qsizetype number) { return "Text" + QByteArray::number(number); }

    // Counts and a calculation, then a new function: Enter twice, as the user goes on.
    static void enter(const toolkit::Screen& form, const QString& counts)
    {
        support::typeCounts(form, counts);
        support::key(form, Qt::Key_Return);
        support::key(form, Qt::Key_Return);
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

    static auto* heard(const toolkit::Screen& form, const char* name)
    {
        return QAccessible::queryAccessibleInterface(support::widget(form, name));
    }

    // The running totals as stored, bit for bit: PFNAB, PFNAO, or both and PFNA.
    static QList<quint64> totals(int kind)
    {
        QList<quint64> bits;
        for (double value : kind == 1 ? QList{app::screen<Form8>().PFNAB}
                            : kind == 2
                                ? QList{app::screen<Form9>().PFNAO}
                                : QList{app::screen<Form1>().PFNAB, app::screen<Form1>().PFNAO,
                                        app::screen<Form1>().PFNA})
            bits << std::bit_cast<quint64>(value);
        return bits;
    }

    // What the list shows, a row a line, its cells separated by "|".
    static QStringList rows(const toolkit::Screen& form)
    {
        auto* model = support::widget<QTreeView>(form, "Transacciones")->model();
        QStringList lines;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            lines << cells.join(u'|');
        }
        return lines;
    }

    static void clickRow(const toolkit::Screen& form, int row, bool twice = false)
    {
        auto* view = support::widget<QTreeView>(form, "Transacciones");
        view->scrollTo(view->model()->index(row, 0));
        const QPoint at = view->visualRect(view->model()->index(row, 3)).center();
        support::require(view->viewport()->rect().contains(at), "the row is out of view");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    // Transactions of seeded random counts, the extremes among them.
    static QStringList randomTransactions(int kind, int number, quint32 seed)
    {
        QRandomGenerator random(seed);
        QStringList transactions, counts;
        while (transactions.size() < number) {
            counts << QString::number(QList{0, 32767, random.bounded(1, 200)}[random.bounded(3)]);
            if (counts.size() == (kind == 3 ? 6 : 3))
                transactions << counts.join(u' '), counts.clear();
        }
        return transactions;
    }

private slots:
    void init()
    {
        support::freshRun();
        app::start<Form7>();
    }

    // Two transactions, a visit to the system type screen between; the second first has a bad
    // count.
    void transactionsAddUp_data()
    {
        for (const char* column : {"first", "totals", "second", "newTotals", "badText", "message"})
            QTest::addColumn<QString>(column);
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("bad");
        // clang-format off
        QTest::newRow("batch")   << "2 5 10"       << "8,82"     << "1 1 3,0"      << "11,84"      << "40000" << "La casilla «Nº Datos de Salida (Batch)» admite números enteros de 0 a 32767." << 1 << 3;
        QTest::newRow("on line") << "2 5 10"       << "8,82"     << "0 0 1"        << "9,08"       << "abc"   << "La casilla «Nº Datos de Entrada (On Line)» contiene «abc», que no es un número entero. Escriba solo cifras: un número de 0 a 32767." << 2 << 2;
        QTest::newRow("mixed")   << "1 1 1 2 5 10" << "2,5 8,82" << "2 5 10 0 0 0" << "11,32 8,82" << ""      << "La casilla «Nº Entidades (On Line)» está vacía. Escriba en ella un número entero (0 si no hay ninguno)." << 3 << 4;
        // clang-format on
    }
    void transactionsAddUp()
    {
        QFETCH(QString, first);
        QFETCH(QString, totals);
        QFETCH(QString, second);
        QFETCH(QString, badText);
        QFETCH(QString, message);
        QFETCH(int, kind);
        QFETCH(int, bad);
        const qsizetype counts = first.count(u' ') + 1, last = counts + totals.count(u' ') + 1;
        toolkit::Screen& form = support::chooseType(kind);
        // The totals in view, the buttons and the focus, read together.
        const auto state = [&]() -> QStringList {
            return {shown(form, counts + 1, last), buttonStates(form), support::focused(form)};
        };
        QVERIFY(form.isShown() && !app::screen<Form7>().isShown());
        QCOMPARE(buttonStates(form), "100 Enter=Calcular");
        // The list closes the tab order; Tab runs from Text1 down every box, batch first.
        support::key(form, Qt::Key_Backtab);
        QCOMPARE(support::focused(form), "Transacciones");
        support::key(form, Qt::Key_Tab);
        for (int n = 1; n <= last; ++n, support::key(form, Qt::Key_Tab))
            QCOMPARE(support::focused(form), box(n));

        // After a calculation the focus reads the total, and Enter goes on to the next one.
        support::typeCounts(form, first);
        support::key(form, Qt::Key_Return);
        QCOMPARE(state(), QStringList({totals, "011 Enter=NuevaFuncion", box(counts + 1)}));

        // Escape leaves as Cancelar; coming back after another entry screen finds all as left.
        const QString before = shown(form, 1, last);
        support::key(form, Qt::Key_Escape);
        QVERIFY(!form.isShown() && app::screen<Form7>().isShown());
        support::press(support::chooseType(kind == 1 ? 2 : 1), "Cancelar");
        QVERIFY(support::chooseType(kind).isShown());
        QCOMPARE(shown(form, 1, last), before);

        // A new function empties the counts; the running totals stay in view.
        support::key(form, Qt::Key_Return);
        QCOMPARE(shown(form, 1, counts).trimmed(), QString());
        QCOMPARE(state(), QStringList({totals, "111 Enter=Calcular", "Text1"}));

        // A bad count is named once, changes only the counts before it, and gets the focus.
        support::typeCounts(form, second);
        support::type(form, box(bad), badText);
        support::Messages messages;
        support::press(form, "Calcular");
        QCOMPARE(messages.texts(), QStringList(message));
        QCOMPARE(state(), QStringList({totals, "111 Enter=Calcular", box(bad)}));

        support::type(form, box(bad), second.split(u' ')[bad - 1]);
        support::key(form, Qt::Key_Return);
        QTEST(shown(form, counts + 1, last), "newTotals");
        // The twin screens do not sound alike: each box says its kind of system.
        QCOMPARE(heard(form, box(bad))->text(QAccessible::Name),
                 message.section(u'«', 1).section(u'»', 0, 0));
    }

    // Space or a click chooses the system type, arrows only browse; each option is heard once.
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
    }

    // Named by F2 or a double click: Enter keeps it trimmed and cut at 200, Escape drops it, empty
    // is the default; heard in the row's sentence and kept through a visit to Form7.
    void transactionsAreNamedInTheList_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("heard");
        // clang-format off
        QTest::newRow("batch") << 1 << "Transacción 2, Alta de cliente: 2 entidades, 10 entradas, 4 salidas, 10,16 puntos";
        QTest::newRow("mixed") << 3 << "Transacción 2, Alta de cliente: Batch 2 entidades, 10 entradas, 4 salidas, 10,16 puntos; On Line 1 entidad, 1 entrada, 1 salida, 2,5 puntos";
        // clang-format on
    }
    void transactionsAreNamedInTheList()
    {
        QFETCH(int, kind);
        toolkit::Screen& form = support::chooseType(kind);
        enter(form, kind == 3 ? "0 0 0 0 0 0" : "0 0 0");
        enter(form, kind == 3 ? "2 10 4 1 1 1" : "2 10 4");
        const QString states = buttonStates(form);
        const auto rename = [&](int row, const QString& typed, int finish, bool byMouse = false) {
            clickRow(form, row, byMouse);
            if (!byMouse)
                support::key(form, Qt::Key_F2);
            QCOMPARE(support::focused(form), "Editor");
            auto* editor = qobject_cast<QLineEdit*>(form.window()->focusWidget());
            support::type(editor, typed);
            support::key(form, finish);
        };
        const auto name = [&](int row) { return rows(form)[row].section(u'|', 1, 1); };

        rename(1, QStringLiteral("  Alta de cliente  "), Qt::Key_Return);
        QVERIFY(name(1) == "Alta de cliente" && buttonStates(form) == states && form.isShown());
        rename(1, QStringLiteral("Otro nombre"), Qt::Key_Escape);
        QVERIFY(name(1) == "Alta de cliente" && form.isShown());
        rename(0, QString(300, u'x') + QStringLiteral("y"), Qt::Key_Enter, true);
        QCOMPARE(name(0), QString(200, u'x'));
        rename(0, QStringLiteral("   "), Qt::Key_Return);
        QCOMPARE(name(0), "Transacción 1");

        QAccessibleInterface* table = heard(form, "Transacciones");
        QVERIFY(table && table->tableInterface());
        QTEST(table->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), "heard");

        // Cancelar and a later return keep the list.
        const QStringList before = rows(form);
        support::press(form, "Cancelar");
        support::press(support::chooseType(kind == 1 ? 2 : 1), "Cancelar");
        QCOMPARE(rows(support::chooseType(kind)), before);
        QCOMPARE(app::screen<Form8>().transactions().size(), kind == 1 ? 2 : 0);
    }

    // A transaction taken back (Quitar or Delete, after the question) leaves the totals bit for bit
    // those of a fresh entry of the others; boxes and buttons stay as they were.
    void removalGivesTheTotalsOfAFreshEntry_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("byKey");
        const char* names[] = {"batch", "on line", "mixed"};
        const std::pair<const char*, int> rows[] = {{"first", 0}, {"middle", 6}, {"last", 12}};
        for (int kind : {1, 2, 3}) {
            for (auto [where, row] : rows)
                QTest::addRow("%s %s", names[kind - 1], where) << kind << row << true << (row == 6);
            QTest::addRow("%s %s kept", names[kind - 1], rows[kind - 1].first)
                << kind << rows[kind - 1].second << false << (kind != 2);
        }
    }
    void removalGivesTheTotalsOfAFreshEntry()
    {
        QFETCH(int, kind);
        QFETCH(int, row);
        QFETCH(bool, yes);
        QFETCH(bool, byKey);
        QStringList transactions = randomTransactions(kind, 12, 2026 + kind * 10 + row);
        toolkit::Screen& form = support::chooseType(kind);
        for (const QString& counts : transactions)
            enter(form, counts);
        // The 13th computed, no new function yet.
        const qsizetype last = kind == 3 ? 8 : 4;
        support::typeCounts(form, transactions.last());
        support::press(form, "Calcular");
        transactions << transactions.last();
        const QString boxes = shown(form, 1, last - (kind == 3 ? 2 : 1)),
                      states = buttonStates(form);

        clickRow(form, row);
        support::Messages messages(yes ? toolkit::Answer::Yes : toolkit::Answer::No);
        byKey ? support::key(form, Qt::Key_Delete) : support::press(form, "Quitar");
        QCOMPARE(messages.texts(),
                 QStringList(QStringLiteral("¿Desea quitar la Transacción %1? Sus "
                                            "puntos dejarán de contar en el total.")
                                 .arg(row + 1)));
        QCOMPARE(shown(form, 1, last - (kind == 3 ? 2 : 1)), boxes);
        QCOMPARE(buttonStates(form), states);
        QCOMPARE(rows(form).size(), transactions.size() - yes);
        if (!yes)
            return;
        transactions.removeAt(row);
        // A fresh entry of the same transactions gives the same totals, to the last bit.
        const QList<quint64> kept = totals(kind);
        const QString shownKept = shown(form, last - (kind == 3 ? 1 : 0), last);
        support::freshRun();
        app::start<Form7>();
        toolkit::Screen& fresh = support::chooseType(kind);
        for (const QString& transaction : transactions)
            enter(fresh, transaction);
        QCOMPARE(std::pair(totals(kind), shown(fresh, last - (kind == 3 ? 1 : 0), last)),
                 std::pair(kept, shownKept));
    }

    // A negative total is refused by Aceptar, mended by Quitar; all taken back leaves 0.
    void removingEveryTransactionLeavesZero()
    {
        toolkit::Screen& form = support::chooseType(3);
        for (const QString& counts : randomTransactions(3, 3, 7))
            enter(form, counts);
        support::Messages yes(toolkit::Answer::Yes);
        app::screen<Form1>().PFNAO = -1;
        support::press(form, "Aceptar");
        QVERIFY(yes.titles() == QStringList("Total negativo") &&
                yes.texts()[0].contains("«Quitar»"));
        clickRow(form, 1);
        support::press(form, "Quitar");
        QVERIFY(std::bit_cast<double>(totals(3).constLast()) > 0);
        support::press(form, "Quitar");
        support::press(form, "Quitar");
        QCOMPARE(totals(3), QList<quint64>(3, 0));
        QCOMPARE(shown(form, 7, 8), "0 0");
        support::press(form, "Aceptar");
        QVERIFY(app::screen<Form6>().isShown());
    }
};

SUPPORT_TEST_MAIN(TstEntryScreens)
#include "tst_entry_screens.moc"
