#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The report as the user opens it: "&Informe" on the effort screen.
Form10& openReport()
{
    Form5& effort = app::screen<Form5>();
    effort.Show();
    support::click(support::widget<QPushButton>(effort, "Informe"));
    return app::screen<Form10>();
}

// A batch estimate's report: its sources as the estimate leaves them, and its text.
Form10& batchReport()
{
    support::preselect(app::loaded<Form7>(), "Option1");
    support::preselect(app::loaded<Form6>(), "Option1");
    app::screen<Form6>().Text1->setText(QStringLiteral("35"));
    app::screen<Form8>().PFNAB = 11.32;
    Form3& adjustment = app::screen<Form3>();
    adjustment.ACT = 0.825;
    adjustment.PFAb = adjustment.PFA = 9.339;
    app::screen<Form4>().P = 0.148076282045204;
    app::screen<Form5>().W = 94.6032666846913;
    app::screen<Form5>().PE = 6.79106166357798;
    Form10& report = openReport();
    // Its shortcuts act on the active window.
    support::require(QTest::qWaitForWindowActive(report.window()), "the report is not active");
    return report;
}

const QString kBatchText = QStringLiteral(
    "Informe MARKII\n\nPuntos Función No Ajustados\nPFNA  Batch = 11,32\nPFNA On Line = 0\n"
    "PFNA Mixto = 0\n\nAjuste por Complejidad Técnica\nTGI = 35\nACT = 0,825\n\n"
    "Tamaño del Sistema\nPFA Batch = 9,339\nPFA On Line = 0\nPFA = 9,339\n\n"
    "Productividad, Esfuerzo y Plazo de Entrega\nP = 0,148076282045204 PF/hora\n"
    "W = 94,6032666846913 en horas de trabajo\nPE = 6,79106166357798 en semanas");

// Runs one of poppler's tools; the test command installs them, so a missing one fails the test.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return tool + QStringLiteral(" failed or is missing (poppler-utils)");
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every entry under the folder with its bytes, to see that nothing changed.
QStringList contents(const QString& folder)
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

QString heard(const toolkit::Screen& screen, const char* name)
{
    return QAccessible::queryAccessibleInterface(support::widget(screen, name))
        ->text(QAccessible::Name);
}

} // namespace

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
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("typed 35")      << QByteArray("Option1") << "35"   << "40" << "35";
        QTest::newRow("typed 12.5")    << QByteArray("Option1") << "12.5" << "40" << "12,5";
        QTest::newRow("typed 12,5")    << QByteArray("Option1") << "12,5" << "40" << "12";
        QTest::newRow("per attribute") << QByteArray("Option2") << "35"   << "40" << "40";
        // Aceptar on Form6 before choosing: Form2 never used, its empty sum counts as 0.
        QTest::newRow("no choice")     << QByteArray()          << ""     << ""   << "0";
        // clang-format on
    }
    void tgiFromTheChosenRoad()
    {
        QFETCH(QByteArray, road);
        QFETCH(QString, typed);
        QFETCH(QString, sum);
        Form6& influence = app::loaded<Form6>();
        if (!road.isEmpty())
            support::preselect(influence, road.constData());
        influence.Text1->setText(typed);
        app::loaded<Form2>().Text20->setText(sum);
        QTEST(support::shown(openReport(), "Label8"), "shown");
    }

    // A screen reader and a keyboard user read the page value by value, with captions and units,
    // and leave it with Escape.
    void readLineByLineAndLeftWithEscape()
    {
        app::screen<Form5>().W = 94.5;
        const Form10& report = openReport();
        QCOMPARE(support::focused(report), QStringLiteral("Label2"));
        QCOMPARE(heard(report, "Label2"), QStringLiteral("PFNA Batch: 0"));
        QCOMPARE(heard(report, "Label21"), QStringLiteral("W: 94,5 en horas de trabajo"));
        support::key(report, Qt::Key_Down);
        QCOMPARE(support::focused(report), QStringLiteral("Label4"));
        support::key(report, Qt::Key_Tab);
        QCOMPARE(support::focused(report), QStringLiteral("Label6"));
        support::key(report, Qt::Key_Up);
        QCOMPARE(support::focused(report), QStringLiteral("Label4"));

        support::key(report, Qt::Key_Escape);
        QVERIFY(!report.isShown() && app::screen<Form5>().isShown());
        QVERIFY(!toolkit::programEnded());
    }

    // No caption reaches into its value's text, whatever the value, so none can paint over it.
    void captionsLeaveTheirValuesWhole()
    {
        const Form10& report = openReport();
        const QList<std::pair<const char*, const char*>> lines = {
            {"Label1", "Label2"},   {"Label3", "Label4"},   {"Label5", "Label6"},
            {"Label7", "Label8"},   {"Label9", "Label10"},  {"Label11", "Label12"},
            {"Label13", "Label14"}, {"Label15", "Label16"}, {"Label17", "Label18"},
            {"Label20", "Label21"}, {"Label23", "Label24"}};
        for (auto [captionName, valueName] : lines) {
            auto* caption = support::widget<QLabel>(report, captionName);
            auto* value = support::widget<QLabel>(report, valueName);
            const int captionEnds =
                caption->x() + QFontMetrics(caption->font()).horizontalAdvance(caption->text());
            QVERIFY2(captionEnds <= value->x(), captionName);
            QVERIFY2(!caption->autoFillBackground(), captionName);
            // The longest value the screens write still fits its label.
            const int longest =
                QFontMetrics(value->font()).horizontalAdvance(QStringLiteral("-1234,56789012345"));
            QVERIFY2(longest <= value->width(), valueName);
        }
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
        QTest::keySequence(report.window(), QKeySequence::Save);
        const QString info = poppler(QStringLiteral("pdfinfo"), {path});
        QVERIFY2(info.contains(QRegularExpression("Pages: +1\n")) && info.contains("(A4)"),
                 qPrintable(info));
        // pdftotext's columns may eat a blank, so blanks are left out of the comparison.
        const auto lines = [](QString text) {
            return text.remove(QRegularExpression("[^\\S\n]")).split(u'\n', Qt::SkipEmptyParts);
        };
        QCOMPARE(lines(poppler(QStringLiteral("pdftotext"), {"-layout", path, "-"})),
                 lines(kBatchText));

        toolkit::setPrintHook([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
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
        // clang-format on
        QTest::newRow("system file") << QStringLiteral("/proc/version") << QString();
        if (!QFileInfo(QFileInfo(old).path()).isWritable()) // root may write anywhere
            QTest::newRow("read-only folder, file kept")
                << old.fileName() << QStringLiteral("no tiene permiso para escribir ahí");
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        const QStringList before = contents(folder.path());
        Form10& report = batchReport();
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        support::Messages messages;
        QTest::keySequence(report.window(), QKeySequence::Save);
        QCOMPARE(messages.titles(), QStringList("No se ha guardado el informe"));
        const QString opening =
            QStringLiteral("No se puede guardar el informe en «%1»: ").arg(path);
        const QString said = messages.texts()[0];
        QVERIFY2(reason.isEmpty() ? said.startsWith(opening) : said == opening + reason + u'.',
                 qPrintable(said));
        QCOMPARE(contents(folder.path()), before);
        QVERIFY(report.isShown());
    }

    void cleanupTestCase() // or the folder cannot be removed
    {
        QFile::setPermissions(folder.filePath("carpeta/solo-lectura"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
