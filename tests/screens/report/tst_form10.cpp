#include "screen_test.h"

#include <QAccessible>
#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>

#include <sys/resource.h>

// The report's PDF entry.
static const QKeySequence kExportPdf(Qt::CTRL | Qt::Key_E);

static void rename(int kind, int index, const QString& name)
{
    if (kind == 3)
        return app::screen<Form1>().renameTransaction(index, name);
    (kind == 1 ? static_cast<SingleKindEntry&>(app::screen<Form8>()) : app::screen<Form9>())
        .renameTransaction(index, name);
}

// A batch estimate's report, as the user reaches it.
static Form10& batchReport()
{
    support::press(support::count(1, {"2 12 4"}), "Aceptar");
    support::giveTgi("35");
    support::toReport(7);
    return support::openReport(); // active, for its shortcuts
}

// clang-format off
const QString kBatchText = QStringLiteral("Informe MARKII\n\nPuntos Función No Ajustados\nPFNA Batch = 11,32\nPFNA On Line = 0\nPFNA Mixto = 0\n\n"
    "Ajuste por Complejidad Técnica\nTGI = 35\nACT = 0,825\n\nTamaño del Sistema\nPFA Batch = 9,339\nPFA On Line = 0\nPFA = 9,339\n\n"
    "Productividad, Esfuerzo y Plazo de Entrega\nP = 0,148076282045204 PF/hora\nW = 94,6032666846913 en horas de trabajo\nPE = 6,79106166357798 en semanas\n\n"
    "Sistema Batch\n\nTransacciones\nNº\tTransacción\tEntidades\tEntradas\tSalidas\tPuntos\n1\tTransacción 1\t2\t12\t4\t11,32\n\tTotal\t\t\t\t11,32\n\n"
    "Grado Total de Influencia (TGI)\nValor directo de TGI: 35\n\nLenguaje de Programación\nSQL, factor 1,6");
// clang-format on

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

class TestForm10 final : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void init() { support::freshRun(); }

    void readsItsSourcesAgainOnActivationAndOnClick()
    {
        support::preselect(app::loaded<Form7>(), "Option1");
        Form10& report = support::openReport();
        app::screen<Form8>().PFNAB = 12.5;
        support::preselect(app::loaded<Form6>(), "Option2");
        app::loaded<Form2>().Text20->setText(QStringLiteral("41"));
        app::screen<Form4>().P = 0.25;
        app::screen<Form5>().PE = 100 / 4.5;
        QCOMPARE(support::shown(report, "Label2"), QStringLiteral("0")); // not yet read
        // To the effort screen and back.
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

    // Read value by value, with captions and units, each whole; left with Escape.
    void readLineByLineWholeAndLeftWithEscape()
    {
        app::screen<Form5>().W = 94.5;
        const Form10& report = support::openReport();
        const auto heard = [&](const char* name) {
            return QAccessible::queryAccessibleInterface(support::widget(report, name))
                ->text(QAccessible::Name);
        };
        QCOMPARE(heard("Label2") + " | " + heard("Label21"),
                 QStringLiteral("PFNA Batch: 0 | W: 94,5 en horas de trabajo"));
        QStringList path = {support::focused(report)};
        for (int key : {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Up}) {
            support::key(report, key);
            path << support::focused(report);
        }
        QCOMPARE(path, QStringList({"Label2", "Label4", "Label6", "Label4"}));
        // The focused line is ringed whole, caption included, and keeps the page's colours.
        QWidget* frame = support::widget(report, "Frame2");
        const QRect line = (support::widget(report, "Label3")->geometry() |
                            support::widget(report, "Label4")->geometry())
                               .adjusted(-4, 0, 4, 0);
        const QImage image = frame->grab(line).toImage();
        const QColor ring = frame->palette().color(QPalette::Highlight);
        QCOMPARE(image.pixelColor(0, image.height() / 2), ring);
        QCOMPARE(image.pixelColor(image.width() - 8, image.height() / 2), QColor(Qt::white));
        support::key(report, Qt::Key_Escape);
        QVERIFY(!report.isShown() && app::screen<Form5>().isShown() && !toolkit::programEnded());
    }

    // The report goes with the user: copied as text, saved as A4 pages of real text. The save
    // dialog opens in the documents folder, or in the home folder where there is none.
    void copiedAndSaved()
    {
        qputenv("HOME", folder.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8()); // no folders of the user's own
        Form10& report = batchReport();
        QTest::keySequence(report.window(), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), kBatchText);
        QStringList proposed;
        // Cancelling the save dialog writes nothing and says nothing.
        toolkit::setSaveFileHook([&](const QString& path) { return proposed << path, QString(); });
        QTest::keySequence(report.window(), kExportPdf);
        QVERIFY(contents(folder.path()).isEmpty());
        QVERIFY(QDir(folder.path()).mkdir("Documents"));
        toolkit::setSaveFileHook([&](const QString& path) { return proposed << path, path; });
        QTest::keySequence(report.window(), kExportPdf);
        QCOMPARE(proposed, QStringList({folder.filePath("Informe MARKII.pdf"),
                                        folder.filePath("Documents/Informe MARKII.pdf")}));
        const QString pdf = support::poppler("pdfinfo", {proposed[1]});
        QVERIFY2(pdf.simplified().contains("Pages: 2 ") && pdf.contains("(A4)"), qPrintable(pdf));
        QCOMPARE(support::pdfLines(proposed[1]), support::pdfLines(kBatchText));
    }

    // Shift+F10 opens the commands as the Menu key does, each with its access key and shortcut.
    void commandsFromTheKeyboard()
    {
        Form10& report = batchReport();
        QStringList entries;
        QTimer::singleShot(0, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions())
                    entries << action->text() + u' ' + action->shortcut().toString();
                menu->close();
            }
        });
        support::key(report, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(entries, QStringList({"&Copiar informe Ctrl+C", "&Exportar a PDF… Ctrl+E",
                                       "&Imprimir… Ctrl+P", "&Guardar estimación… Ctrl+S",
                                       "Guardar estimación c&omo… Ctrl+Shift+S"}));
    }

    // An unwritable file is named with the reason, nothing changes on disk, also for root.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // how the message goes on after the path
        // How far the file may grow: 0 without limit; 4 KiB; below 0, that many bytes short of the
        // whole report, so that only its last, buffered part fails to reach the disk.
        QTest::addColumn<qint64>("room");
        QDir(folder.path()).mkpath(QStringLiteral("carpeta"));
        QFile note(folder.filePath("nota.txt")), old(folder.filePath("carpeta/i.pdf"));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("no es una carpeta") > 0);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF- el de ayer") > 0);
        // clang-format off
        QTest::newRow("folder is a file") << note.fileName() + "/i.pdf" << "la carpeta no existe." << qint64(0);
        QTest::newRow("name of a folder") << folder.filePath("carpeta") << "ese nombre es el de una carpeta." << qint64(0);
        QTest::newRow("disk full, file kept") << old.fileName() << "no se pudo escribir completo" << qint64(4096);
        QTest::newRow("full at the last bytes") << old.fileName() << "no se pudo escribir completo" << qint64(-100);
        // clang-format on
    }
    void failedSaveChangesNothing()
    {
        QFETCH(QString, path);
        QFETCH(qint64, room);
        Form10& report = batchReport();
        if (room < 0) {
            QTemporaryDir whole;
            const QString sized = whole.filePath("i.pdf");
            toolkit::setSaveFileHook([&](const QString&) { return sized; });
            QTest::keySequence(report.window(), kExportPdf);
            room += QFileInfo(sized).size();
        }
        const QStringList before = contents(folder.path());
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        support::Messages messages;
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{room > 0 ? rlim_t(room) : limit.rlim_cur, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead
        setrlimit(RLIMIT_FSIZE, &full);
        QTest::keySequence(report.window(), kExportPdf);
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(messages.titles(), QStringList("No se ha guardado el informe"));
        QFETCH(QString, reason);
        QVERIFY(messages.texts()[0].startsWith(
            QString("No se puede guardar el informe en «%1»: %2").arg(path, reason)));
        QVERIFY(report.isShown() && contents(folder.path()) == before);
    }

    // A print that cannot go through says why and leaves the report as it was; a cancelled
    // dialog says nothing.
    void printThatDoesNotGoThrough_data()
    {
        QTest::addColumn<QString>("module");  // where the print module is looked for; "": its place
        QTest::addColumn<QString>("output");  // the file the printer writes to; "": cancelled
        QTest::addColumn<QString>("message"); // how the message starts; "": none
        const QString refused = "La impresora no ha aceptado el informe.";
        const QString noModule = "Falta el módulo de impresión del programa (";
        QTest::newRow("cancelled") << ""
                                   << ""
                                   << "";
        QTest::newRow("printer refuses") << ""
                                         << "no/such/folder/x.pdf" << refused;
        QTest::newRow("module missing") << "none/libmarkii_print.so"
                                        << "x.pdf" << noModule;
        QTest::newRow("module damaged") << "damaged.so"
                                        << "x.pdf" << noModule;
    }

    void printThatDoesNotGoThrough()
    {
        QFETCH(QString, module);
        QFETCH(QString, output);
        QFETCH(QString, message);
        QFile damaged(folder.filePath("damaged.so"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("\x7f"
                                                                    "ELF no module") > 0);
        damaged.close();
        const QStringList before = contents(folder.path());
        Form10& report = batchReport();
        if (!module.isEmpty())
            toolkit::setPrintModule(folder.filePath(module));
        toolkit::setPrintHook([&](QPrinter& printer) {
            printer.setOutputFileName(folder.filePath(output));
            return !output.isEmpty();
        });
        support::Messages messages;
        QTest::keySequence(report.window(), QKeySequence::Print);
        if (message.isEmpty()) {
            QCOMPARE(messages.count(), 0);
        } else {
            QCOMPARE(messages.titles(), QStringList("No se ha impreso el informe"));
            QVERIFY2(messages.texts()[0].startsWith(message), qPrintable(messages.texts()[0]));
        }
        QVERIFY(report.isShown());
        QCOMPARE(contents(folder.path()), before);
    }

    // After the figures: the system type, its transactions and total, how TGI was got, the
    // language.
    void showsWhatWasCounted_data()
    {
        QTest::addColumn<int>("kind"); // Form7's option: batch, on line, mixed
        QTest::addColumn<QStringList>("counted");
        QTest::addColumn<QString>("tgi");       // typed directly; empty: the 19 ratings K mod 6
        QTest::addColumn<int>("language");      // position on Form4, -1 for none picked
        QTest::addColumn<QStringList>("lines"); // lines the text must hold
        // clang-format off
        QTest::newRow("batch, typed TGI, SQL") << 1 << QStringList{"2 12 4", "0 0 0", "32767 32767 32767"} << "35" << 7 << QStringList{"Sistema Batch", "1\tAlta de cliente\t2\t12\t4\t11,32", "2\tTransacción 2\t0\t0\t0\t0", "3\tTransacción 3\t32767\t32767\t32767\t81917,5", "\tTotal\t\t\t\t81928,82", "SQL, factor 1,6"};
        QTest::newRow("on line, rated, Java") << 2 << QStringList{"1 1 1", "3 5 7"} << "" << 10 << QStringList{"Sistema On Line", "1\tAlta de cliente\t1\t1\t1\t2,5", "\tTotal\t\t\t\t12,2", "Atributo\tInfluencia", "Comunicación de datos\t1-Inf.Mínima", "Suma (TGI)\t46", "Java, factor 1"};
        QTest::newRow("mixed, typed 12, no language") << 3 << QStringList{"1 2 3 4 5 6", "0 0 0 32767 0 1"} << "12" << -1 << QStringList{"Nº\tTransacción\tEntidades Batch\tEntradas Batch\tSalidas Batch\tPuntos Batch\tEntidades On Line\tEntradas On Line\tSalidas On Line\tPuntos On Line", "2\tTransacción 2\t0\t0\t0\t0\t32767\t0\t1\t54393,48", "\tTotal\t\t\t\t3,6\t\t\t\t54404,58", "PFNA Mixto = 54408,18", "Valor directo de TGI: 12", "Ninguno elegido"};
        // clang-format on
    }
    void showsWhatWasCounted()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, counted);
        QFETCH(int, language);
        QFETCH(QStringList, lines);
        // A list counted for another system type, then turned back from, never reaches the report.
        const int left = kind % 3 + 1;
        const toolkit::Screen& form = support::count(left, {left == 3 ? "9 9 9 9 9 9" : "9 9 9"});
        rename(left, 0, QStringLiteral("Abandonada"));
        support::press(form, "Cancelar");
        support::press(support::count(kind, counted), "Aceptar");
        rename(kind, 0, QStringLiteral("  Alta\tde cliente ")); // a pasted tab splits no row
        QFETCH(QString, tgi);
        support::giveTgi(tgi);
        if (language >= 0) {
            app::screen<Form4>().Show();
            support::pick(app::screen<Form4>(), "Combo1", language);
        }
        Form10& report = support::openReport();
        QTest::keySequence(report.window(), QKeySequence::Copy); // the text after the figures
        QString details = QGuiApplication::clipboard()->text();
        details.remove(0, details.indexOf(QStringLiteral("\n\nSistema ")) + 2);
        for (const QString& line : lines)
            QVERIFY2(details.split(u'\n').contains(line), qPrintable(line));

        // The PDF holds the same, all of it inside the page's margins.
        const QString path = folder.filePath(QStringLiteral("detalle.pdf"));
        toolkit::setSaveFileHook([&](const QString&) { return path; });
        QTest::keySequence(report.window(), kExportPdf);
        const QStringList pdf = support::pdfLines(path) << "Nº";
        QStringList missing = support::pdfLines(details);
        // pdftotext splits the mixed table's two-line headings: only the first word is checked.
        missing.replaceInStrings(QRegularExpression("^Nº.*"), "Nº");
        missing.removeIf([&](const QString& line) { return pdf.contains(line); });
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        QCOMPARE(support::misplacedWords(path), QStringList());
    }

    // A long list flows over numbered A4 pages, headed again; long names wrap; printed alike.
    void longListFlowsOverNumberedPages()
    {
        QStringList counted;
        for (int n = 0; n < 66; ++n)
            counted << QString("%1 %2 %3").arg(n % 7).arg(n % 11).arg(n * 499 % 32768);
        support::count(2, counted);
        rename(2, 4, QString("Consulta de movimientos ").repeated(8));
        rename(2, 5, QString(60, u'X'));
        support::preselect(app::loaded<Form6>(), "Option1");
        app::screen<Form6>().Text1->setText(QStringLiteral("35"));
        Form10& report = support::openReport();

        const QString saved = folder.filePath("largo.pdf"),
                      printed = folder.filePath("impreso.pdf");
        toolkit::setSaveFileHook([&](const QString&) { return saved; });
        QTest::keySequence(report.window(), kExportPdf);
        toolkit::setPrintHook([&](QPrinter& printer) {
            printer.setOutputFileName(printed);
            return true;
        });
        QTest::keySequence(report.window(), QKeySequence::Print);
        const auto pages = [](const QString& path) {
            QStringList pages = support::poppler("pdftotext", {"-layout", path, "-"})
                                    .split(u'\f', Qt::SkipEmptyParts);
            return pages.replaceInStrings(QRegularExpression("\\s+"), " ");
        };
        const QStringList laidOut = pages(saved);
        QCOMPARE(pages(printed), laidOut);
        QCOMPARE(laidOut.size(), 3);
        for (int n = 0; n < 3; ++n)
            QVERIFY(laidOut[n].trimmed().endsWith(QString("Página %1 de 3").arg(n + 1)));
        const QString header = "Nº Transacción Entidades Entradas Salidas Puntos";
        QVERIFY(laidOut[1].startsWith("Sistema On Line Transacciones " + header));
        QVERIFY2(laidOut[2].startsWith("Transacciones (continuación) " + header),
                 qPrintable(laidOut[2]));
        const QString all = laidOut.join(u' ');
        for (int n = 1; n <= 66; ++n)
            QVERIFY(n == 5 || n == 6 || all.contains(QString(" %1 Transacción %1 ").arg(n)));
        QCOMPARE(support::misplacedWords(saved) + support::misplacedWords(printed), QStringList());
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
