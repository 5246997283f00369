#include "screen_test.h"

#include "app/registry.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/session/session.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRadioButton>
#include <QTemporaryDir>

#include <random>

using Counts = QList<QList<int>>;

// Whole estimates, from the system type to the report, driven through every screen as a user
// does. The expected figures were worked out apart from the program, step by step in doubles.
// Each is kept in a file and opened again in a fresh run; half-done ones reopen where they stood.
class TestEstimate final : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    // Ctrl+S on a screen, the first time: the dialog proposes the usual name and gets the path.
    static void save(QWidget* window, const QString& path)
    {
        toolkit::setSaveFileHook([path](const QString& proposed) {
            support::require(proposed.endsWith(u"/Estimación.markii"), proposed);
            return path;
        });
        // Shortcuts act on the active window.
        window->activateWindow();
        support::require(QTest::qWaitForWindowActive(window), QStringLiteral("not active"));
        QTest::keySequence(window, QKeySequence::Save);
    }

    // The report as the user copies it.
    static QString copiedReport()
    {
        QWidget* report = app::screen<Form10>().window();
        report->activateWindow();
        support::require(QTest::qWaitForWindowActive(report), QStringLiteral("not active"));
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(report, QKeySequence::Copy);
        return QGuiApplication::clipboard()->text();
    }

    // Opens a file in a fresh run of the program, as from its command line.
    static void reopen(const QString& path, QLocale locale = QLocale(QLocale::Spanish))
    {
        support::freshRun();
        QLocale::setDefault(locale);
        app::start<Form7>();
        support::require(session::open(path), QStringLiteral("%1 does not open").arg(path));
    }

    static QWidget* shownWindow(const QString& name)
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->objectName() == name)
                return window;
        support::fail(name + QStringLiteral(" is not shown"));
    }

    static QStringList shownScreens()
    {
        QStringList shown;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shown << window->objectName();
        shown.sort();
        return shown;
    }

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
        // The user names the first transaction; the name goes into the file.
        if (auto* single = dynamic_cast<SingleKindEntry*>(&entry);
            single && !transactions.isEmpty())
            single->renameTransaction(0, QStringLiteral(" Alta de «cliente» "));
        else if (!transactions.isEmpty())
            app::screen<Form1>().renameTransaction(0, QStringLiteral("Consulta \"VIP\""));
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

        // Kept and opened again in a fresh run: the same report to the byte, the same entries
        // and names, and nothing left to save.
        const QString copied = copiedReport(), path = folder.filePath("entera.markii");
        const estimate::Estimate entered = session::capture();
        QCOMPARE(entered.stage, estimate::Stage::Report);
        save(app::screen<Form10>().window(), path);
        reopen(path, QLocale(locale));
        QCOMPARE(copiedReport().toUtf8(), copied.toUtf8());
        QVERIFY(session::capture() == entered);
        QCOMPARE(shownScreens(), QStringList({"Form10", "Form5"}));
        support::press(app::screen<Form5>(), "Finalizar");
        QVERIFY(toolkit::programEnded());
    }

    void halfDoneReopensWhereItStood_data()
    {
        QTest::addColumn<std::function<void()>>("enter");
        QTest::addColumn<QString>("screen");
        const auto batch = [] { size("Option1", {{2, 5, 10}, {1, 1, 1}}); };
        const auto toInfluence = [batch] {
            batch();
            support::press(app::screen<Form8>(), "Aceptar");
        };
        // clang-format off
        QTest::newRow("back on the system type") << std::function<void()>([] { size("Option2", {{3, 10, 20}}); support::press(app::screen<Form9>(), "Cancelar"); }) << "Form7";
        QTest::newRow("entering transactions") << std::function<void()>([] { size("Option3", {{1, 1, 1, 2, 5, 10}, {0, 0, 0, 1, 0, 0}}); }) << "Form1";
        QTest::newRow("TGI typed, not accepted") << std::function<void()>([toInfluence] { toInfluence(); support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option1")); support::type(app::screen<Form6>(), "Text1", "4"); }) << "Form6";
        QTest::newRow("TGI typed and erased") << std::function<void()>([toInfluence] { toInfluence(); support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option1")); support::type(app::screen<Form6>(), "Text1", ""); }) << "Form6";
        QTest::newRow("some attributes rated") << std::function<void()>([toInfluence] { toInfluence(); support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option2")); support::pick(app::screen<Form2>(), "Combo3", 4); support::pick(app::screen<Form2>(), "Combo19", 0); }) << "Form2";
        QTest::newRow("ACT calculated") << std::function<void()>([toInfluence] { toInfluence(); influence("35", 0); support::key(app::screen<Form3>(), Qt::Key_Return); }) << "Form3";
        QTest::newRow("language picked") << std::function<void()>([toInfluence] { toInfluence(); influence("", 5); for (int step = 0; step < 3; ++step) support::key(app::screen<Form3>(), Qt::Key_Return); support::pick(app::screen<Form4>(), "Combo1", 5); }) << "Form4";
        // clang-format on
    }

    void halfDoneReopensWhereItStood()
    {
        QFETCH(std::function<void()>, enter);
        enter();
        const estimate::Estimate entered = session::capture();
        QFETCH(QString, screen);
        QCOMPARE(shownScreens(), QStringList(screen));
        const QString path = folder.filePath(QTest::currentDataTag() + QStringLiteral(".markii"));
        save(shownWindow(screen), path);
        reopen(path);
        QVERIFY(session::capture() == entered);
        QCOMPARE(shownScreens(), QStringList(screen));
        // Nothing is left to save: the program ends at once.
        shownWindow(screen)->close();
        QVERIFY(toolkit::programEnded());
    }
};

SUPPORT_TEST_MAIN(TestEstimate)
#include "tst_estimate.moc"
