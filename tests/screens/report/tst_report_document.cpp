#include "screens/report/report_document.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The batch example carried through to the report.
report::Document batchExample()
{
    return {
        QStringLiteral("Informe MARKII"),
        {{QStringLiteral("Puntos Función No Ajustados"),
          {{QStringLiteral("PFNA  Batch = "), QStringLiteral("11,32"), QString()},
           {QStringLiteral("PFNA On Line = "), QStringLiteral("0"), QString()},
           {QStringLiteral("PFNA Mixto = "), QStringLiteral("0"), QString()}}},
         {QStringLiteral("Ajuste por Complejidad Técnica"),
          {{QStringLiteral("TGI = "), QStringLiteral("35"), QString()},
           {QStringLiteral("ACT = "), QStringLiteral("0,825"), QString()}}},
         {QStringLiteral("Tamaño del Sistema"),
          {{QStringLiteral("PFA Batch ="), QStringLiteral("9,339"), QString()},
           {QStringLiteral("PFA On Line = "), QStringLiteral("0"), QString()},
           {QStringLiteral("PFA =  "), QStringLiteral("9,339"), QString()}}},
         {QStringLiteral("Productividad, Esfuerzo y Plazo de Entrega"),
          {{QStringLiteral("P = "), QStringLiteral("0,148076282045204"), QStringLiteral("PF/hora")},
           {QStringLiteral("W = "), QStringLiteral("94,6032666846913"),
            QStringLiteral("en horas de trabajo")},
           {QStringLiteral("PE = "), QStringLiteral("6,79106166357798"),
            QStringLiteral("en semanas ")}}}}};
}

// Runs one of poppler's tools; the test command installs them, so a missing one fails the test.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed or is missing (poppler-utils)").arg(tool);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where the page has its first word, in points from the paper's corner.
QPointF firstWordAt(const QString& pdf)
{
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)"));
    const QRegularExpressionMatch match = word.match(poppler("pdftotext", {"-bbox", pdf, "-"}));
    return {match.captured(1).toDouble(), match.captured(2).toDouble()};
}

QStringList contents(const QString& folder)
{
    QStringList found;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        found << it.next() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    found.sort();
    return found;
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

Q_DECLARE_METATYPE(report::Document)

class TestReportDocument final : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString readOnly; // a folder the test cannot write into, unless it runs as root

    QString at(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(write(at("nota.txt"), "no es una carpeta\n"));
        QVERIFY(QDir(dir.path()).mkpath("carpeta") && QDir(dir.path()).mkpath("solo-lectura"));
        QVERIFY(write(at("solo-lectura/informe.pdf"), "%PDF- el informe de ayer\n"));
        readOnly = at("solo-lectura");
        QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    void cleanupTestCase()
    {
        QFile::setPermissions(readOnly, QFile::permissions(readOnly) | QFileDevice::WriteOwner);
    }

    void plainTextReadsAsTheReport()
    {
        QCOMPARE(report::plainText(batchExample()),
                 QStringLiteral("Informe MARKII\n"
                                "\n"
                                "Puntos Función No Ajustados\n"
                                "PFNA  Batch = 11,32\n"
                                "PFNA On Line = 0\n"
                                "PFNA Mixto = 0\n"
                                "\n"
                                "Ajuste por Complejidad Técnica\n"
                                "TGI = 35\n"
                                "ACT = 0,825\n"
                                "\n"
                                "Tamaño del Sistema\n"
                                "PFA Batch = 9,339\n"
                                "PFA On Line = 0\n"
                                "PFA = 9,339\n"
                                "\n"
                                "Productividad, Esfuerzo y Plazo de Entrega\n"
                                "P = 0,148076282045204 PF/hora\n"
                                "W = 94,6032666846913 en horas de trabajo\n"
                                "PE = 6,79106166357798 en semanas"));
    }

    void savedAndPrintedAsOnePageOfText()
    {
        // Both over an earlier report of the same name.
        const QString saved = at("guardado.pdf"), printed = at("impreso.pdf");
        QVERIFY(write(saved, "el informe de ayer") && write(printed, "el informe de ayer"));
        const QStringList before = contents(dir.path());
        QString error;
        QVERIFY2(report::writePdf(batchExample(), saved, &error), qPrintable(error));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QVERIFY(report::print(batchExample(), printer));
        QCOMPARE(contents(dir.path()).size(), before.size()); // nothing left beside them

        const QString info = poppler("pdfinfo", {saved});
        for (const char* field :
             {"Pages: +1\n", "Title: +Informe MARKII\n", "Creator: +Método MARK II\n", "\\(A4\\)"})
            QVERIFY2(info.contains(QRegularExpression(field)), qPrintable(info));

        // As laid out, each line of the page holds caption, value and unit in that order, and
        // the lines come down the page as in the text copy (poppler's column layout may eat the
        // blank after a short caption, so blanks are left out of the comparison).
        const auto lines = [](const QString& text) {
            QStringList found = text.split(QLatin1Char('\n'));
            for (QString& line : found)
                line.remove(QRegularExpression(QStringLiteral("\\s")));
            found.removeAll(QString());
            return found;
        };
        const QStringList expected = lines(report::plainText(batchExample()));
        QCOMPARE(lines(poppler("pdftotext", {"-layout", saved, "-"})), expected);
        QCOMPARE(lines(poppler("pdftotext", {"-layout", printed, "-"})), expected);
        // The printer's own margins do not move the page.
        QVERIFY((firstWordAt(printed) - firstWordAt(saved)).manhattanLength() < 1.5);
    }

    void paintFitsThePage_data()
    {
        QTest::addColumn<QRect>("page");
        QTest::addColumn<report::Document>("document");
        report::Document longValue = batchExample();
        // Wider than the page holds at full size beside its caption and unit.
        longValue.sections[3].lines[1].value = QString(70, QLatin1Char('9')) + QStringLiteral(",5");
        report::Document tall = batchExample();
        for (int i = 0; i < 4; ++i)
            tall.sections += tall.sections;
        QTest::newRow("landscape") << QRect(30, 20, 700, 300) << batchExample();
        QTest::newRow("long value") << QRect(40, 60, 300, 600) << longValue;
        QTest::newRow("many sections") << QRect(40, 60, 420, 600) << tall;
    }

    void paintFitsThePage()
    {
        QFETCH(QRect, page);
        QFETCH(report::Document, document);
        QImage image(800, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        report::paint(painter, page, document);
        painter.end();

        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        // Within the page, give or take a pixel of smoothing, and filling it one way or the other.
        QVERIFY(page.adjusted(-1, -1, 1, 1).contains(ink));
        QVERIFY(ink.width() >= 0.95 * page.width() || ink.height() >= 0.95 * page.height());
    }

    void failedSaveLeavesNoTrace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // empty where it is the system's own words
        QTest::addColumn<QString>("kept");   // a file that must come out unchanged
        QTest::newRow("missing folder")
            << at("no-existe/informe.pdf") << "la carpeta no existe" << QString();
        QTest::newRow("folder is a file")
            << at("nota.txt/informe.pdf") << "la carpeta no existe" << at("nota.txt");
        QTest::newRow("name of a folder")
            << at("carpeta") << "ese nombre es el de una carpeta" << QString();
        // Not even root may replace a file of the running system.
        QTest::newRow("system file") << "/proc/version" << QString() << "/proc/version";
        if (!QFileInfo(readOnly).isWritable())
            QTest::newRow("read-only folder")
                << at("solo-lectura/informe.pdf") << "no tiene permiso para escribir ahí"
                << at("solo-lectura/informe.pdf");
    }

    void failedSaveLeavesNoTrace()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFETCH(QString, kept);
        const QStringList before = contents(dir.path());
        const QByteArray keptBefore = kept.isEmpty() ? QByteArray() : bytes(kept);

        QString error;
        QVERIFY(!report::writePdf(batchExample(), path, &error));
        const QString opening =
            QStringLiteral("No se puede guardar el informe en «%1»: ").arg(path);
        if (reason.isEmpty())
            QVERIFY2(error.startsWith(opening) && error.size() > opening.size() + 1,
                     qPrintable(error));
        else
            QCOMPARE(error, opening + reason + QLatin1Char('.'));

        QCOMPARE(contents(dir.path()), before);
        if (!kept.isEmpty())
            QCOMPARE(bytes(kept), keptBefore);
    }
};

QTEST_MAIN(TestReportDocument)
#include "tst_report_document.moc"
