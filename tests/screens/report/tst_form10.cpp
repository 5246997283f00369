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

#include <csignal>

#include <sys/resource.h>

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

// The text of a PDF file, or the given text, line by line; pdftotext's columns may eat a blank,
// so blanks are left out.
static QStringList pdfLines(const QString& pdfOrText)
{
    QString text =
        pdfOrText.endsWith(".pdf") ? poppler("pdftotext", {"-layout", pdfOrText, "-"}) : pdfOrText;
    return text.remove(QRegularExpression("[^\\S\n]")).split(u'\n', Qt::SkipEmptyParts);
}

// What is out of place on a PDF's page: each word outside the margins of 20 mm, with its box, and
// a title off the centre; "no text" when there is none.
static QStringList misplacedWords(const QString& path)
{
    const QString boxes = poppler("pdftotext", {"-bbox", path, "-"});
    const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    const QRegularExpression word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*))re");
    const QRegularExpressionMatch size = page.match(boxes);
    const QRectF inside = QRectF(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble())
                              .adjusted(56.6, 56.6, -56.6, -56.6);
    QStringList misplaced;
    QRectF title;
    for (const QRegularExpressionMatch& w : word.globalMatch(boxes)) {
        const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                         QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        if (!inside.contains(box))
            misplaced << w.captured(5) + " " + w.captured(0);
        if (title.isNull() || (title.top() == box.top() && w.captured(5) == "MARKII"))
            title |= box; // "Informe MARKII", the first line
    }
    if (title.isNull() || !size.hasMatch())
        return {"no text"};
    if (std::abs(title.center().x() - inside.center().x()) > 2)
        misplaced << "title off the centre";
    return misplaced;
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

        // Cancelling the save dialog writes nothing and says nothing.
        toolkit::setSaveFileHook([](const QString&) { return QString(); });
        QTest::keySequence(report.window(), QKeySequence::Save);
        QVERIFY(contents(folder.path()).isEmpty());

        const QString path = folder.filePath(QStringLiteral("informe.pdf"));
        toolkit::setSaveFileHook([&](const QString& proposed) {
            return proposed.endsWith(QStringLiteral("/Informe MARKII.pdf")) ? path : QString();
        });
        QTest::keySequence(report.window(), QKeySequence::Save);
        const QString pdf = poppler("pdfinfo", {path});
        QVERIFY2(pdf.simplified().contains("Pages: 1 ") && pdf.contains("(A4)"), qPrintable(pdf));

        const QString printed = folder.filePath(QStringLiteral("impreso.pdf"));
        toolkit::setPrintHook([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        });
        QTest::keySequence(report.window(), QKeySequence::Print);

        // Saved or printed, the page holds the report's text, all of it on the page.
        for (const QString& file : {path, printed}) {
            QCOMPARE(pdfLines(file), pdfLines(kBatchText));
            QCOMPARE(misplacedWords(file), QStringList());
        }
    }

    // The save dialog opens in the documents folder, or in the home folder where there is none.
    void savesToDocumentsOrHome()
    {
        qputenv("HOME", folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8()); // no folders of the user's own
        QStringList proposed;
        toolkit::setSaveFileHook([&](const QString& path) { return proposed << path, QString(); });
        Form10& report = batchReport();
        QTest::keySequence(report.window(), QKeySequence::Save);
        QVERIFY(QDir(folder.path()).mkdir("Documents"));
        QTest::keySequence(report.window(), QKeySequence::Save);
        QVERIFY(QDir(folder.path()).rmdir("Documents"));
        QCOMPARE(proposed, QStringList({folder.filePath("Informe MARKII.pdf"),
                                        folder.filePath("Documents/Informe MARKII.pdf")}));
    }

    // A file that cannot be written is named with the reason; nothing on disk changes. These
    // failures hold for root too, which the tests may run as.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // how the message goes on after the path
        QTest::addColumn<bool>("diskFull");  // the file may grow to 4 KiB only: fails at commit
        QDir(folder.path()).mkpath(QStringLiteral("carpeta"));
        QFile note(folder.filePath("nota.txt")), old(folder.filePath("carpeta/i.pdf"));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("no es una carpeta") > 0);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF- el de ayer") > 0);
        // clang-format off
        QTest::newRow("missing folder") << folder.filePath("no/i.pdf") << "la carpeta no existe." << false;
        QTest::newRow("folder is a file") << note.fileName() + "/i.pdf" << "la carpeta no existe." << false;
        QTest::newRow("name of a folder") << folder.filePath("carpeta") << "ese nombre es el de una carpeta." << false;
        QTest::newRow("system file") << QStringLiteral("/proc/version") << QString() << false;
        QTest::newRow("disk full, file kept") << old.fileName() << "no se pudo escribir completo" << true;
        // clang-format on
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFETCH(bool, diskFull);
        const QStringList before = contents(folder.path());
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        support::Messages messages;
        Form10& report = batchReport();
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{4096, limit.rlim_max};
        if (diskFull) {
            std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead
            setrlimit(RLIMIT_FSIZE, &full);
        }
        QTest::keySequence(report.window(), QKeySequence::Save);
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(messages.titles(), QStringList("No se ha guardado el informe"));
        const QString said = messages.texts()[0];
        QVERIFY2(said.startsWith(
                     QString("No se puede guardar el informe en «%1»: %2").arg(path, reason)),
                 qPrintable(said));
        QVERIFY(report.isShown() && contents(folder.path()) == before);
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
