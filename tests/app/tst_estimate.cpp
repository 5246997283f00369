#include "screen_test.h"

#include <random>

#include "screens/session/session.h"

#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using Counts = QStringList; // each transaction's counts, "2 5 10"

// One whole estimate as the user enters it, and its report.
struct Estimate
{
    const char* name;
    Counts mixedFirst; // a mixed entry sized, then left with Cancelar for another type
    int kind;          // the system type: Form7's option
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
    // Regional settings with a decimal point: the same estimate, written with points.
    {"batch, decimal point", {}, 1, {"2 5 10", "1 1 1"}, "35", 0, 7, QLocale::English, "11.32 0 0 35 0.825 9.339 0 9.339 0.148076282045204 94.6032666846913 6.79106166357798"},
    {"on line, rated attributes, Java", {}, 2, {"3 10 20"}, "", 2, 10, QLocale::Spanish, "0 15,98 0 38 0,84 0 13,4232 13,4232 0,0932032690325373 144,020699481195 8,1417078925375"},
    {"mixed, typed TGI, COBOL", {}, 3, {"1 1 1 2 5 10"}, "20", 0, 12, QLocale::Spanish, "2,5 8,82 11,32 20 0,75 1,875 6,615 8,49 0,0924111710197898 102,016887092374 6,47502323748154"},
    // An abandoned mixed entry keeps its totals, but the estimate takes the single kind's alone.
    {"mixed, then batch", {"1 1 1 2 5 10"}, 1, {"1 1 1"}, "70", 0, 0, QLocale::Spanish, "2,5 0 0 70 1 2,5 0 2,5 0,14631824682569 25,629065966512 3,51364184463153"},
    // Nothing to build takes no time: zeros, not a division of 0 by 0.
    {"mixed of size zero", {}, 3, {"0 0 0 0 0 0"}, "0", 0, 0, QLocale::Spanish, "0 0 0 0 0,65 0 0 0 0,145685192539506 0 0"},
};
// clang-format on

// Whole estimates through every screen, figures worked out apart; kept, reopened where they stood.
class TestEstimate final : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    // Ctrl+S the first time: the dialog proposes the usual name.
    static void save(QWidget* window, const QString& path)
    {
        toolkit::setSaveFileHook([path](const QString& proposed) {
            support::require(proposed.endsWith(u"/Estimación.markii"), proposed);
            return path;
        });
        shortcut(window, QKeySequence::Save);
    }

    // Shortcuts act on the active window.
    static void shortcut(QWidget* window, const QKeySequence& keys)
    {
        window->activateWindow();
        support::require(QTest::qWaitForWindowActive(window), QStringLiteral("not active"));
        QTest::keySequence(window, keys);
    }

    // The report as the user copies it.
    static QString copiedReport()
    {
        QGuiApplication::clipboard()->clear();
        shortcut(app::screen<Form10>().window(), QKeySequence::Copy);
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

    // From the entry of a batch system to the degree of influence; the TGI's option chosen.
    static void toInfluence(const char* option = nullptr)
    {
        size(1, {"2 5 10", "1 1 1"});
        support::press(app::screen<Form8>(), "Aceptar");
        if (option)
            support::click(support::widget<QRadioButton>(app::screen<Form6>(), option));
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

    // The system type and its transactions, one "Calcular" each: a first one taken back leaves
    // no trace, and the named first transaction keeps its name in the file.
    static toolkit::Screen& size(int kind, const Counts& transactions)
    {
        toolkit::Screen& entry = support::chooseType(kind);
        Counts entered = transactions;
        entered.prepend(QString(entered[0]).replace(QRegularExpression("\\d+"), "3"));
        for (const QString& counts : entered) {
            if (!support::widget(entry, "Calcular")->isEnabled())
                support::press(entry, "NuevaFuncion");
            support::typeCounts(entry, counts);
            support::press(entry, "Calcular");
        }
        if (auto* single = dynamic_cast<SingleKindEntry*>(&entry)) {
            single->removeTransaction(0);
            single->renameTransaction(0, QStringLiteral(" Alta de «cliente» "));
        } else {
            app::screen<Form1>().removeTransaction(0);
            app::screen<Form1>().renameTransaction(0, QStringLiteral("Consulta \"VIP\""));
        }
        return entry;
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

        if (!estimate.mixedFirst.isEmpty()) {
            size(3, estimate.mixedFirst);
            support::press(app::screen<Form1>(), "Cancelar");
        }
        support::press(size(estimate.kind, estimate.transactions), "Aceptar");
        support::giveTgi(estimate.typedTgi, estimate.rating);
        support::toReport(estimate.language);
        QStringList report;
        for (const char* name : {"Label2", "Label4", "Label6", "Label8", "Label10", "Label12",
                                 "Label14", "Label16", "Label18", "Label21", "Label24"})
            report << support::shown(app::screen<Form10>(), name);
        QCOMPARE(report.join(u' '), estimate.report);

        // Reopened in a fresh run: the same report to the byte, the same entries, nothing to save.
        const QString copied = copiedReport(), path = folder.filePath("entera.markii");
        const estimate::Estimate entered = session::capture();
        save(app::screen<Form10>().window(), path);
        reopen(path, QLocale(estimate.locale));
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
        using Enter = std::function<void()>;
        // clang-format off
        QTest::newRow("back on the system type") << Enter([] { size(2, {"3 10 20"}); support::press(app::screen<Form9>(), "Cancelar"); }) << "Form7";
        QTest::newRow("entering transactions") << Enter([] { size(3, {"1 1 1 2 5 10", "0 0 0 1 0 0"}); }) << "Form1";
        QTest::newRow("TGI typed, not accepted") << Enter([] { toInfluence("Option1"); support::type(app::screen<Form6>(), "Text1", "4"); }) << "Form6";
        QTest::newRow("some attributes rated") << Enter([] { toInfluence("Option2"); support::pick(app::screen<Form2>(), "Combo3", 4); support::pick(app::screen<Form2>(), "Combo19", 0); }) << "Form2";
        QTest::newRow("ACT calculated") << Enter([] { toInfluence(); support::giveTgi("35"); support::key(app::screen<Form3>(), Qt::Key_Return); }) << "Form3";
        QTest::newRow("language picked") << Enter([] { toInfluence(); support::giveTgi("", 5); for (int step = 0; step < 3; ++step) support::key(app::screen<Form3>(), Qt::Key_Return); support::pick(app::screen<Form4>(), "Combo1", 5); }) << "Form4";
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

    // A count over the largest is sound JSON, refused when checked whole; nothing changes.
    void badFileChangesNothing()
    {
        size(1, {"2 5 10", "1 1 1"});
        const QString path = folder.filePath("mala.markii");
        save(app::screen<Form8>().window(), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll().replace("\"entities\": 1,", "\"entities\": 40000,");
        QVERIFY(file.seek(0) && file.write(bytes) == bytes.size() && file.resize(bytes.size()));
        file.close();
        support::press(app::screen<Form8>(), "NuevaFuncion"); // some work since the save
        support::type(app::screen<Form8>(), "Text1", "7");
        const estimate::Estimate before = session::capture();
        support::Messages messages;
        QVERIFY(!session::open(path));
        QCOMPARE(messages.titles(), QStringList("No se ha abierto la estimación"));
        QVERIFY(messages.texts().value(0).contains("«" + path + "».\n\nLa transacción 2"));
        QVERIFY(session::capture() == before);
        QCOMPARE(shownScreens(), QStringList("Form8"));
        QCOMPARE(support::shown(app::screen<Form8>(), "Text1"), QStringLiteral("7"));
        QCOMPARE(session::currentPath(), path);
    }

    // Every way out asks before unsaved work goes; Cancelar stays, Guardar saves first.
    void unsavedWorkIsAskedFor_data()
    {
        QTest::addColumn<QString>("exit");
        QTest::addColumn<toolkit::Answer>("answer");
        for (const char* exit : {"close box", "Form7 Cancelar", "Form5 Finalizar", "Abrir"}) {
            QTest::addRow("%s, Guardar", exit) << QString(exit) << toolkit::Answer::Save;
            QTest::addRow("%s, Descartar", exit) << QString(exit) << toolkit::Answer::Discard;
            QTest::addRow("%s, Cancelar", exit) << QString(exit) << toolkit::Answer::Cancel;
        }
    }
    void unsavedWorkIsAskedFor()
    {
        QFETCH(QString, exit);
        QFETCH(toolkit::Answer, answer);
        size(1, {"2 5 10"});
        const QString path = folder.filePath(QTest::currentDataTag() + QStringLiteral(".markii"));
        toolkit::setSaveFileHook([path](const QString&) { return path; });
        int openDialogs = 0;
        toolkit::setOpenFileHook([&](const QString&) { return ++openDialogs, QString(); });
        support::Messages messages(answer);
        if (exit == u"close box") {
            app::screen<Form8>().window()->close();
        } else if (exit == u"Form5 Finalizar") {
            support::press(app::screen<Form8>(), "Aceptar");
            support::giveTgi("35");
            support::toReport(7);
            support::press(app::screen<Form5>(), "Finalizar");
        } else {
            support::press(app::screen<Form8>(), "Cancelar");
            support::press(app::screen<Form7>(), exit == u"Abrir" ? "Abrir" : "Cancelar");
        }
        QCOMPARE(messages.texts(),
                 QStringList("¿Desea guardar los cambios de la estimación antes de salir?"));
        QCOMPARE(QFile::exists(path), answer == toolkit::Answer::Save);
        const bool goesOn = answer != toolkit::Answer::Cancel;
        QCOMPARE(toolkit::programEnded(), goesOn && exit != u"Abrir");
        QCOMPARE(openDialogs, goesOn && exit == u"Abrir" ? 1 : 0);
        if (!toolkit::programEnded())
            QCOMPARE(toolkit::hasUnsavedData(), answer != toolkit::Answer::Save);
    }

    // Guardar on the way out whose save fails: the program and the work stay.
    void failedSaveOnTheWayOutStays()
    {
        size(1, {"2 5 10"});
        toolkit::setSaveFileHook([this](const QString&) { return folder.path(); }); // a folder
        support::Messages messages(toolkit::Answer::Save);
        app::screen<Form8>().window()->close();
        QCOMPARE(messages.titles().last(), "No se ha guardado la estimación");
        QVERIFY(!toolkit::programEnded() && toolkit::hasUnsavedData());
    }

    // A failed save (also for root: a folder that is a file) says where and why; work stays
    // unsaved.
    void failedSaveKeepsWorkUnsaved()
    {
        size(1, {"2 5 10"});
        QFile note(folder.filePath("nota.txt"));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("no es una carpeta") > 0);
        const QString path = note.fileName() + "/e.markii";
        support::Messages messages;
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        shortcut(app::screen<Form8>().window(), QKeySequence(u"Ctrl+Shift+S"_s));
        QCOMPARE(messages.titles(), QStringList("No se ha guardado la estimación"));
        QCOMPARE(messages.texts()[0], "No se ha podido guardar la estimación en «" + path +
                                          "»: la carpeta «" + note.fileName() +
                                          "» no existe.\n\nSi ya había un archivo con ese "
                                          "nombre, sigue como estaba.");
        QVERIFY(toolkit::hasUnsavedData() && session::currentPath().isEmpty());
    }

    // After each computing button a screen reader hears the results with their names.
    void resultsAreHeardAfterEachStep()
    {
        QStringList heard;
        const auto step = [&heard](const toolkit::Screen& screen, const char* button) {
            support::press(screen, button);
            heard << support::announced(screen);
        };
        support::typeCounts(support::chooseType(3), "2 2 2 2 2 2");
        step(app::screen<Form1>(), "Calcular");
        support::press(app::screen<Form1>(), "Aceptar");
        support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option2"));
        support::rateAll(1);
        step(app::screen<Form2>(), "Sumar");
        support::press(app::screen<Form2>(), "Aceptar");
        step(app::screen<Form3>(), "Calcular");
        step(app::screen<Form3>(), "Obtencion");
        support::press(app::screen<Form3>(), "Command1");
        support::pick(app::screen<Form4>(), "Combo1", 7);
        step(app::screen<Form4>(), "Command1");
        support::press(app::screen<Form4>(), "Command2");
        step(app::screen<Form5>(), "Calcular");
        QCOMPARE(heard, QStringList({"PFNA (Batch): 5; PFNA (On Line): 5", "TGI: 19", "ACT: 0,745",
                                     "PFA: 7,45; PFA en Batch: 3,725; PFA On Line: 3,725",
                                     "P: 0,147590249922299",
                                     "W: 63,0969864533917; E: 1,22826096575606; PE: "
                                     "6,06548625064719"}));
    }

    // Damaged copies of a real file open whole or are refused, with a message, changing nothing.
    void damagedFilesOpenWholeOrNotAtAll()
    {
        size(3, {"1 1 1 2 5 10", "3 0 7 0 0 1"});
        support::press(app::screen<Form1>(), "Aceptar");
        support::giveTgi("", 3);
        support::toReport(12);
        const QString path = folder.filePath("dañada.markii");
        save(app::screen<Form10>().window(), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        file.close();
        std::mt19937 random(7);
        const auto below = [&](qsizetype n) {
            return std::uniform_int_distribution<int>(0, int(n) - 1)(random);
        };
        int opened = 0;
        for (int round = 0; round < 45; ++round) { // the library test opens thousands
            QByteArray bytes = original;
            if (round % 3 == 0)
                bytes.truncate(below(bytes.size()));
            else if (round % 3 == 1)
                bytes[below(bytes.size())] ^= char(1 << below(8));
            else
                bytes.replace(
                    QByteArrayList{"\"ratings\"", "1", "3", "\"report\"", "12", "COBOL"}[below(6)],
                    QByteArrayList{"\"adjustment\"", "0", "32768", "null", "\"effort\"",
                                   "-2"}[below(6)]);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(bytes) == bytes.size());
            file.close();
            const estimate::Estimate before = session::capture();
            const QStringList screensBefore = shownScreens();
            support::Messages messages;
            if (session::open(path)) {
                ++opened;
                QCOMPARE(messages.count(), 0);
            } else {
                QVERIFY2(messages.count() == 1 &&
                             messages.texts()[0].startsWith(u"No se puede abrir"),
                         qPrintable(messages.texts().join(u'|')));
                QVERIFY(session::capture() == before && shownScreens() == screensBefore);
            }
        }
        QVERIFY2(opened > 3, qPrintable(QString::number(opened)));
    }
};

SUPPORT_TEST_MAIN(TestEstimate)
#include "tst_estimate.moc"
