#include "app/registry.h"
#include "screen_test.h"
#include "screens/report/report_document.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeView>

#include <random>

// Timings on 2 000 transactions, the longest list a user is likely to keep: a Calcular and a
// Quitar on the mixed entry screen should stay under a frame (16 ms), the report's PDF under 2 s.
class BenchLongLists final : public QObject
{
    Q_OBJECT

    static numeric::Integer any(std::mt19937& random) { return numeric::Integer(random() % 32768); }

private slots:
    void init() { support::freshRun(); }

    void entryScreen_data()
    {
        QTest::addColumn<bool>("quitar");
        QTest::newRow("Calcular") << false;
        QTest::newRow("Quitar") << true;
    }
    void entryScreen()
    {
        QFETCH(bool, quitar);
        app::start<Form7>();
        support::click(support::widget(app::screen<Form7>(), "Option3"));
        Form1& form = app::screen<Form1>();
        std::mt19937 random(11);
        for (int n = 0; n < 2000; ++n) {
            for (int box = 1; box <= 6; ++box)
                support::type(form, "Text" + QByteArray::number(box),
                              QString::number(int(any(random))));
            support::press(form, "Calcular");
            support::press(form, "NuevaFuncion");
        }
        for (int box = 1; box <= 6; ++box)
            support::type(form, "Text" + QByteArray::number(box), QStringLiteral("1"));
        support::Messages yes(toolkit::Answer::Yes);
        auto* list = support::widget<QTreeView>(form, "Transacciones");
        list->setCurrentIndex(list->model()->index(0, 0));
        QElapsedTimer clock;
        clock.start();
        QBENCHMARK_ONCE
        {
            if (quitar) {
                support::press(form, "Quitar");
            } else {
                support::press(form, "Calcular");
                support::press(form, "NuevaFuncion");
            }
        }
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        qInfo("%s on 2000 transactions: %.3f ms", quitar ? "Quitar" : "Calcular", ms);
        QCOMPARE(list->model()->rowCount(), quitar ? 1999 : 2001);
        QVERIFY2(ms < 16, "slower than a frame");
    }

    // The mixed table is the widest the report writes.
    void reportPdf()
    {
        std::mt19937 random(2000);
        QList<method::Transaction> transactions;
        for (int n = 1; n <= 2000; ++n)
            transactions.append({n % 3 ? "" : "Consulta de cliente por provincia",
                                 {any(random), any(random), any(random)},
                                 {any(random), any(random), any(random)}});
        const report::Document document{
            QStringLiteral("Informe MARKII"),
            {},
            {report::countedTransactions(method::SystemType::Mixed, transactions)}};
        const QTemporaryDir folder;
        QElapsedTimer clock;
        clock.start();
        QBENCHMARK_ONCE
        {
            QVERIFY(report::writePdf(document, folder.filePath(QStringLiteral("dos-mil.pdf"))));
        }
        QVERIFY2(clock.elapsed() < 2000, "the PDF took 2 s or more");
    }
};

SUPPORT_TEST_MAIN(BenchLongLists)
#include "bench_long_lists.moc"
