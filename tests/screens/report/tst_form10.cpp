#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"

#include <QAccessible>
#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// The report as the user opens it: "&Informe" on the effort screen. Its shortcuts act on the
// active window.
static Form10& openReport()
{
    app::screen<Form5>().Show();
    support::press(app::screen<Form5>(), "Informe");
    support::require(QTest::qWaitForWindowActive(app::screen<Form10>().window()),
                     "the report is not active");
    return app::screen<Form10>();
}

// A batch estimate's report: its sources as the estimate leaves them, and its text.
static Form10& batchReport()
{
    support::preselect(app::loaded<Form7>(), "Option1");
    support::preselect(app::loaded<Form6>(), "Option1");
    app::screen<Form6>().Text1->setText(QStringLiteral("35"));
    app::screen<Form8>().PFNAB = 11.32;
    app::screen<Form3>().ACT = 0.825;
    app::screen<Form3>().PFAb = app::screen<Form3>().PFA = 9.339;
    app::screen<Form4>().P = 0.148076282045204;
    app::screen<Form5>().W = 94.6032666846913;
    app::screen<Form5>().PE = 6.79106166357798;
    return openReport();
}

// clang-format off
const QString kBatchText = QStringLiteral("Informe MARKII\n\nPuntos Función No Ajustados\nPFNA  Batch = 11,32\nPFNA On Line = 0\nPFNA Mixto = 0\n\n"
    "Ajuste por Complejidad Técnica\nTGI = 35\nACT = 0,825\n\nTamaño del Sistema\nPFA Batch = 9,339\nPFA On Line = 0\nPFA = 9,339\n\n"
    "Productividad, Esfuerzo y Plazo de Entrega\nP = 0,148076282045204 PF/hora\nW = 94,6032666846913 en horas de trabajo\nPE = 6,79106166357798 en semanas");
// clang-format on

// Runs one of poppler's tools; the test command installs them, so a missing one fails the test.
static QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return tool + QStringLiteral(" failed or is missing (poppler-utils)");
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every entry under the folder with its bytes, to see that nothing changed.
static QStringList contents(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        found << file.fileName() + u' ' + (file.open(QIODevice::ReadOnly) ? file.readAll() : "");
    }
    found.sort();
    return found;
}

static QString heard(const toolkit::Screen& form, const char* name)
{
    return QAccessible::queryAccessibleInterface(support::widget(form, name))
        ->text(QAccessible::Name);
}

class TestForm10 final : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void init() { support::freshRun(); }

    void readsItsSourcesAgainOnActivationAndOnClick()
    {
        support::preselect(app::loaded<Form7>(), "Option1");
        Form10& report = openReport();
        app::screen<Form8>().PFNAB = 12.5;
        support::preselect(app::loaded<Form6>(), "Option2");
        app::loaded<Form2>().Text20->setText(QStringLiteral("41"));
        app::screen<Form4>().P = 0.25;
        app::screen<Form5>().PE = 100 / 4.5;
        QCOMPARE(support::shown(report, "Label2"), QStringLiteral("0"));

        // The user goes to the effort screen and back to the report.
        app::screen<Form5>().window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app::screen<Form5>().window()));
        report.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(report.window()));
        QStringList shown;
        for (const char* label : {"Label2", "Label8", "Label18", "Label24"})
            shown << support::shown(report, label);
        QCOMPARE(shown, QStringList({"12,5", "41", "0,25", "22,2222222222222"}));

        // Clicking the effort or the delivery time brings that one value up to date.
        app::screen<Form5>().W = 150;
        app::screen<Form5>().PE = 11;
        support::click(support::widget<QLabel>(report, "Label21"));
        QCOMPARE(support::shown(report, "Label21"), QStringLiteral("150"));
        QCOMPARE(support::shown(report, "Label24"), QStringLiteral("22,2222222222222"));
        support::click(support::widget<QLabel>(report, "Label24"));
        QCOMPARE(support::shown(report, "Label24"), QStringLiteral("11"));
    }

    void tgiFromTheChosenRoad_data()
    {
        QTest::addColumn<QByteArray>("road"); // the option picked on Form6, if any
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // clang-format off
        // Form2's sum is 40 once a road is chosen.
        QTest::newRow("typed 35")      << QByteArray("Option1") << "35"   << "35";
        QTest::newRow("typed 12.5")    << QByteArray("Option1") << "12.5" << "12,5";
        QTest::newRow("typed 12,5")    << QByteArray("Option1") << "12,5" << "12";
        QTest::newRow("per attribute") << QByteArray("Option2") << "35"   << "40";
        // Aceptar on Form6 before choosing: Form2 never used, its empty sum counts as 0.
        QTest::newRow("no choice")     << QByteArray()          << ""     << "0";
        // clang-format on
    }
    void tgiFromTheChosenRoad()
    {
        QFETCH(QByteArray, road);
        QFETCH(QString, typed);
        if (!road.isEmpty())
            support::preselect(app::loaded<Form6>(), road.constData());
        app::loaded<Form6>().Text1->setText(typed);
        app::loaded<Form2>().Text20->setText(road.isEmpty() ? "" : "40");
        QTEST(support::shown(openReport(), "Label8"), "shown");
    }

    // A screen reader and a keyboard user read the page value by value, with captions and units,
    // each value whole, and leave it with Escape.
    void readLineByLineWholeAndLeftWithEscape()
    {
        app::screen<Form5>().W = 94.5;
        const Form10& report = openReport();
        QCOMPARE(heard(report, "Label2"), QStringLiteral("PFNA Batch: 0"));
        QCOMPARE(heard(report, "Label21"), QStringLiteral("W: 94,5 en horas de trabajo"));
        QStringList path = {support::focused(report)};
        for (int key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Up}) {
            support::key(report, key);
            path << support::focused(report);
        }
        QCOMPARE(path, QStringList({"Label2", "Label4", "Label6", "Label4"}));
        for (int n : {1, 3, 5, 7, 9, 11, 13, 15, 17, 20, 23}) { // a caption, then its number
            auto* caption = support::widget<QLabel>(report, "Label" + QByteArray::number(n));
            auto* num = support::widget<QLabel>(report, "Label" + QByteArray::number(n + 1));
            // No caption reaches into its number, whatever the number, so none can paint over it:
            // the longest number the screens write still fits its label.
            const int ends =
                caption->x() + caption->fontMetrics().horizontalAdvance(caption->text());
            QVERIFY2(ends <= num->x() && !caption->autoFillBackground() &&
                         num->fontMetrics().horizontalAdvance("-1234,56789012345") <= num->width(),
                     qPrintable(caption->objectName()));
        }
        support::key(report, Qt::Key_Escape);
        QVERIFY(!report.isShown() && app::screen<Form5>().isShown() && !toolkit::programEnded());
    }

    // The report goes with the user: copied as text, saved as one A4 page of real text, printed.
    void copiedSavedAndPrinted()
    {
        Form10& report = batchReport();
        QTest::keySequence(report.window(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), kBatchText);

        const QString path = folder.filePath(QStringLiteral("informe.pdf"));
        toolkit::setSaveFileHook([&](const QString& proposed) {
            return proposed.endsWith(QStringLiteral("/Informe MARKII.pdf")) ? path : QString();
        });
        QTest::keySequence(report.window(), QKeySequence(Qt::CTRL | Qt::Key_E));
        const QString pdf = poppler("pdfinfo", {path});
        QVERIFY2(pdf.simplified().contains("Pages: 1 ") && pdf.contains("(A4)"), qPrintable(pdf));
        // pdftotext's columns may eat a blank, so blanks are left out of the comparison.
        const auto lines = [](QString text) {
            return text.remove(QRegularExpression("[^\\S\n]")).split(u'\n', Qt::SkipEmptyParts);
        };
        QCOMPARE(lines(poppler("pdftotext", {"-layout", path, "-"})), lines(kBatchText));

        toolkit::setPrintHook([&](QPrinter& printer) {
            // The .pdf ending makes it a PDF.
            printer.setOutputFileName(folder.filePath(QStringLiteral("impreso.pdf")));
            return true;
        });
        QTest::keySequence(report.window(), QKeySequence::Print);
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("impreso.pdf"))));
    }

    // A file that cannot be written is named with the reason; nothing on disk changes.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // empty where it is the system's own words
        QDir(folder.path()).mkpath(QStringLiteral("carpeta/solo-lectura"));
        QFile note(folder.filePath("nota.txt")), old(folder.filePath("carpeta/solo-lectura/i.pdf"));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("no es una carpeta") > 0);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF- el de ayer") > 0);
        QFile::setPermissions(QFileInfo(old).path(), QFile::ReadOwner | QFile::ExeOwner);
        // clang-format off
        QTest::newRow("missing folder") << folder.filePath("no/i.pdf") << "la carpeta no existe";
        QTest::newRow("folder is a file") << note.fileName() + "/i.pdf" << "la carpeta no existe";
        QTest::newRow("name of a folder") << folder.filePath("carpeta") << "ese nombre es el de una carpeta";
        QTest::newRow("system file") << QStringLiteral("/proc/version") << QString();
        if (!QFileInfo(QFileInfo(old).path()).isWritable()) // root may write anywhere
            QTest::newRow("read-only folder, file kept") << old.fileName() << "no tiene permiso para escribir ahí";
        // clang-format on
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        const QStringList before = contents(folder.path());
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        support::Messages messages;
        QTest::keySequence(batchReport().window(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QCOMPARE(messages.titles(), QStringList("No se ha guardado el informe"));
        const QString opening = QString("No se puede guardar el informe en «%1»: ").arg(path);
        const QString said = messages.texts()[0];
        QVERIFY2(reason.isEmpty() ? said.startsWith(opening) : said == opening + reason + u'.',
                 qPrintable(said));
        QVERIFY(app::screen<Form10>().isShown() && contents(folder.path()) == before);
    }

    void cleanupTestCase() // or the folder cannot be removed
    {
        QFile::setPermissions(folder.filePath("carpeta/solo-lectura"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
