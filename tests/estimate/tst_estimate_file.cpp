#include "estimate/estimate_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <random>

#include <sys/resource.h>

using estimate::Estimate;
using namespace Qt::StringLiterals;

namespace {

const estimate::Rules kRules{
    {QStringLiteral("SQL"), QStringLiteral("FOX "), QStringLiteral("COBOL")}};

// A finished mixed estimate of eight transactions, the seventh named, rated attributes.
Estimate sample()
{
    Estimate sample;
    sample.systemType = method::SystemType::Mixed;
    sample.stage = estimate::Stage::Report;
    for (int i = 0; i < 8; ++i)
        sample.mixed.append({QString(), {numeric::Integer(i), 2, 3}, {1, numeric::Integer(i), 0}});
    sample.mixed[6].name = QStringLiteral("Alta de «cliente» \"VIP\" ñ");
    sample.batch.append({QString(), {1, 1, 1}, {}});
    sample.influence = estimate::Influence::Rated;
    sample.ratings.fill(3);
    sample.language = QStringLiteral("FOX ");
    return sample;
}

// The node with the value at a path of keys and list positions put in; undefined removes a key.
QJsonValue with(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    if (path.isEmpty())
        return value;
    const QString key = path.takeFirst();
    if (node.isArray()) {
        QJsonArray list = node.toArray();
        list[key.toInt()] = with(list[key.toInt()], path, value);
        return list;
    }
    QJsonObject object = node.toObject();
    object[key] = with(object[key], path, value);
    return object;
}

} // namespace

// The file's checks: every kind of bad file is refused whole, with a sentence that says what is
// wrong; a file this program writes always opens again.
class TestEstimateFile final : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    QString written(const QString& name, const QByteArray& contents)
    {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            qFatal("cannot write the test file");
        return file.fileName();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    // The examples the format's description gives open as they stand.
    void documentedExamplesOpen()
    {
        QFile doc(QStringLiteral(MARKII_FORMAT_DOC));
        QVERIFY(doc.open(QIODevice::ReadOnly));
        int examples = 0;
        for (const QByteArray& part : doc.readAll().split('`'))
            if (QString problem; part.startsWith("json\n") && ++examples)
                QVERIFY2(estimate::fromJson(part.mid(5), kRules, &problem), qPrintable(problem));
        QCOMPARE(examples, 2);
    }

    void badContentsAreRefused_data()
    {
        // The sample with the value at the path ("a/0/b") changed, or the value alone without one;
        // undefined removes the key.
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const char* path, QJsonValue v, const QString& p) {
            QTest::newRow(name) << QString(path) << v << p;
        };
        const QString notOurs = "No es un archivo de estimación de Método MARK II.";
        // clang-format off
        row("not JSON", "", "Estimación: 3", "No es un archivo de estimación: su contenido no es JSON válido (error en el carácter 1).");
        row("another kind of JSON", "format", "otra-cosa", notOurs);
        row("newer version", "version", 2, "Es de una versión más nueva del formato (2); este programa abre la versión 1. Abra el archivo con una versión más nueva de Método MARK II.");
        row("count too large", "transactions/mixed/6/batch/entities", 40000, "La transacción 7 del sistema mixto tiene 40000 entidades batch; el máximo admitido es 32767.");
        row("count negative", "transactions/mixed/0/online/outputs", -1, "La transacción 1 del sistema mixto tiene -1 datos de salida on line; no puede ser negativo.");
        row("count with decimals", "transactions/mixed/1/online/inputs", 2.5, "En la transacción 2 del sistema mixto, el número de datos de entrada on line debe ser un número entero.");
        row("count as text", "transactions/mixed/3/batch/entities", "3", "En la transacción 4 del sistema mixto, el número de entidades batch debe ser un número entero.");
        row("missing count", "transactions/mixed/2/batch/outputs", QJsonValue::Undefined, "Falta el campo «outputs» en la transacción 3 del sistema mixto.");
        row("rating above 5", "influence/ratings", QJsonArray{0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "La valoración del atributo 7 debe ser un número entero de 0 a 5, o null si aún no se ha valorado.");
        row("summed with one unrated", "influence/ratings", QJsonArray{0, 1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0, 0, QJsonValue(), 0, 0, 0, 0, 0}, "Los atributos están sumados, pero falta la valoración del atributo 14.");
        row("unknown language", "language", "FOX", "El lenguaje «FOX» no está en la lista del programa.");
        row("direct TGI the screen refuses", "influence", QJsonObject{{"mode", "direct"}, {"value", "96"}}, "El valor directo de TGI «96» no es válido: el valor debe estar comprendido entre 0 y 95.");
        row("name over 200 characters", "transactions/batch/0/name", QString(201, u'x'), "El nombre de la transacción 1 del sistema batch tiene más de 200 caracteres.");
        row("report without transactions", "transactions/mixed", QJsonArray(), "La estimación ha pasado de la entrada de transacciones, pero no tiene ninguna del sistema mixto.");
        row("more than 100 000 transactions", "transactions/online", QJsonArray::fromVariantList(QVariantList(100000 - 8, QVariantMap())), "Tiene más de 100.000 transacciones; el máximo admitido es 100.000.");
        // clang-format on
    }

    void badContentsAreRefused()
    {
        QFETCH(QString, problem);
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        const QJsonValue sample = QJsonDocument::fromJson(estimate::toJson(::sample())).object();
        const QString file =
            written("mala.markii",
                    path.isEmpty()
                        ? value.toString().toUtf8()
                        : QJsonDocument(with(sample, path.split(u'/'), value).toObject()).toJson());
        QString message;
        QVERIFY(!estimate::readFile(file, kRules, &message));
        QCOMPARE(message, u"No se puede abrir la estimación «%1».\n\n%2"_s.arg(file, problem));
    }

    void badPlacesAreRefused()
    {
        QString message;
        const auto refused = [&](const QString& path) {
            return estimate::readFile(path, kRules, &message) ? QString()
                                                              : message.section(u'\n', 2);
        };
        QCOMPARE(refused(folder.path()), "Es una carpeta, no un archivo.");
        QCOMPARE(refused(folder.filePath("no.markii")), "El archivo no existe.");
        QCOMPARE(refused(written("grande.markii", QByteArray(estimate::kMaxFileSize + 1, ' '))),
                 "El archivo ocupa más de 16 MB; una estimación nunca es tan grande.");
    }

    // A written file opens again the same; a write that fails part way, on a full disk, leaves
    // the file before it as it was (root too is held by the file size limit).
    void writtenFilesOpenAgainOrStayAsTheyWere()
    {
        const QString path = folder.filePath(QStringLiteral("Estimación.markii"));
        QString message;
        QVERIFY(estimate::writeFile(sample(), path, &message));
        const auto readBack = [&] { return estimate::readFile(path, kRules, &message); };
        QVERIFY2(readBack() == sample(), qPrintable(message));
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{256, limit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails instead
        setrlimit(RLIMIT_FSIZE, &full);
        const bool saved = estimate::writeFile(sample(), path, &message);
        setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(!saved);
        QVERIFY2(message.contains(u"puede que el disco esté lleno"), qPrintable(message));
        QVERIFY(readBack() == sample());
    }

    // Damaged copies of real files: each is refused with a sentence or read whole, and what is
    // read writes a file that reads back the same. Never a crash or a hang.
    void damagedFilesNeverHalfRead()
    {
        std::mt19937 random(20261207);
        auto below = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
        const QByteArray original = estimate::toJson(sample());
        // Where a number or a text stands, for a value of another type or size.
        QList<QRegularExpressionMatch> fields;
        for (const auto& match : QRegularExpression(u": (\"[^\"]*\"|[-0-9.]+|null)"_s)
                                     .globalMatch(QString::fromUtf8(original)))
            fields << match;
        const QList<QByteArray> values =
            QByteArray("null true \"x\" [] {} -0 1e999 99999999999999999999 32767 32768 -1 5.5")
                .split(' ');
        int read = 0;
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes = original;
            const QByteArray value = values[below(values.size())];
            const int at = below(bytes.size()), kind = below(5), depth = 1 + below(5000);
            const auto& field = fields[below(fields.size())];
            if (kind == 0)
                bytes.truncate(at);
            else if (kind == 1)
                bytes[at] = char(bytes[at] ^ (1 << below(8)));
            else if (kind == 2) // a value of another type or size
                bytes = QString::fromUtf8(bytes)
                            .replace(field.capturedStart(1), field.capturedLength(1), value)
                            .toUtf8();
            else if (kind == 3) // deep nesting in place of the influence
                bytes.replace("\"influence\": {", "\"influence\": " + QByteArray(depth, '[') +
                                                      QByteArray(below(2) ? depth : 0, ']') + "{");
            else
                bytes.insert(at, value);
            QString problem;
            const std::optional<Estimate> opened = estimate::fromJson(bytes, kRules, &problem);
            QVERIFY2(opened || !problem.isEmpty(), bytes.constData());
            if (opened && ++read) {
                const auto again = estimate::fromJson(estimate::toJson(*opened), kRules, &problem);
                QVERIFY2(again && *again == *opened, qPrintable(problem));
            }
        }
        QVERIFY(read > 50); // the damage that keeps a file sound is read too
    }
};

QTEST_GUILESS_MAIN(TestEstimateFile)
#include "tst_estimate_file.moc"
