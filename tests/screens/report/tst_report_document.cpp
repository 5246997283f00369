#include "screens/report/report_document.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The batch example carried through to the report; captions keep their odd blanks.
report::Document batchExample()
{
    const auto line = [](const char* caption, const char* value, const char* unit = "") {
        return report::Line{QString::fromUtf8(caption), QString::fromUtf8(value),
                            QString::fromUtf8(unit)};
    };
    return {
        u"Informe MARKII"_s,
        {{u"Puntos Función No Ajustados"_s,
          {line("PFNA  Batch = ", "11,32"), line("PFNA On Line = ", "0"),
           line("PFNA Mixto = ", "0")}},
         {u"Ajuste por Complejidad Técnica"_s, {line("TGI = ", "35"), line("ACT = ", "0,825")}},
         {u"Tamaño del Sistema"_s,
          {line("PFA Batch =", "9,339"), line("PFA On Line = ", "0"), line("PFA =  ", "9,339")}},
         {u"Productividad, Esfuerzo y Plazo de Entrega"_s,
          {line("P = ", "0,148076282045204", "PF/hora"),
           line("W = ", "94,6032666846913", "en horas de trabajo"),
           line("PE = ", "6,79106166357798", "en semanas ")}}}};
}

// Runs one of poppler's tools; the test command installs them, so a missing one fails the test.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return tool + u" failed or is missing (poppler-utils)"_s;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every entry under the folder with its bytes, to see that nothing changed.
QStringList contents(const QString& folder)
{
    QStringList found;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        found << file.fileName() + u' ' + (file.open(QIODevice::ReadOnly) ? file.readAll() : "");
    }
    found.sort();
    return found;
}

} // namespace

class TestReportDocument final : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void plainTextReadsAsTheReport()
    {
        QCOMPARE(report::plainText(batchExample()),
                 u"Informe MARKII\n\nPuntos Función No Ajustados\nPFNA  Batch = 11,32\n"
                 "PFNA On Line = 0\nPFNA Mixto = 0\n\nAjuste por Complejidad Técnica\nTGI = 35\n"
                 "ACT = 0,825\n\nTamaño del Sistema\nPFA Batch = 9,339\nPFA On Line = 0\n"
                 "PFA = 9,339\n\nProductividad, Esfuerzo y Plazo de Entrega\n"
                 "P = 0,148076282045204 PF/hora\nW = 94,6032666846913 en horas de trabajo\n"
                 "PE = 6,79106166357798 en semanas"_s);
    }

    // One A4 page whose lines hold caption, value and unit in the order of the text copy
    // (poppler's column layout may eat a blank, so blanks are left out of the comparison).
    void savedAsOneA4PageOfText()
    {
        const QString path = dir.filePath(u"informe.pdf"_s);
        QString error;
        QVERIFY2(report::writePdf(batchExample(), path, &error), qPrintable(error));
        const QString info = poppler(u"pdfinfo"_s, {path});
        QVERIFY2(info.contains(QRegularExpression(u"Pages: +1\n"_s)) && info.contains(u"(A4)"_s),
                 qPrintable(info));
        const auto lines = [](QString text) {
            return text.remove(QRegularExpression(u"[^\\S\n]"_s)).split(u'\n', Qt::SkipEmptyParts);
        };
        QCOMPARE(lines(poppler(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s})),
                 lines(report::plainText(batchExample())));
    }

    void failedSaveLeavesNoTrace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // empty where it is the system's own words
        QDir(dir.path()).mkpath(u"carpeta"_s);
        QDir(dir.path()).mkpath(u"solo-lectura"_s);
        QFile note(dir.filePath(u"nota.txt"_s)), old(dir.filePath(u"solo-lectura/informe.pdf"_s));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("no es una carpeta\n") > 0);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("%PDF- el informe de ayer\n") > 0);
        QFile::setPermissions(dir.filePath(u"solo-lectura"_s), QFile::ReadOwner | QFile::ExeOwner);
        QTest::newRow("missing folder")
            << dir.filePath(u"no-existe/informe.pdf"_s) << u"la carpeta no existe"_s;
        QTest::newRow("folder is a file")
            << note.fileName() + u"/informe.pdf"_s << u"la carpeta no existe"_s;
        QTest::newRow("name of a folder")
            << dir.filePath(u"carpeta"_s) << u"ese nombre es el de una carpeta"_s;
        // Not even root may replace a file of the running system, but root may write anywhere.
        QTest::newRow("system file") << u"/proc/version"_s << QString();
        if (!QFileInfo(dir.filePath(u"solo-lectura"_s)).isWritable())
            QTest::newRow("read-only folder, file kept")
                << old.fileName() << u"no tiene permiso para escribir ahí"_s;
    }

    void cleanupTestCase() // or the folder cannot be removed
    {
        QFile::setPermissions(dir.filePath(u"solo-lectura"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void failedSaveLeavesNoTrace()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        const QStringList before = contents(dir.path());
        QString error;
        QVERIFY(!report::writePdf(batchExample(), path, &error));
        const QString opening = u"No se puede guardar el informe en «%1»: "_s.arg(path);
        QVERIFY2(reason.isEmpty() ? error.startsWith(opening) && error.size() > opening.size() + 1
                                  : error == opening + reason + u'.',
                 qPrintable(error));
        QCOMPARE(contents(dir.path()), before);
    }
};

QTEST_MAIN(TestReportDocument)
#include "tst_report_document.moc"
