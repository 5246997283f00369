#include "estimate/estimate_file.h"

#include "numeric/numeric.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>
#include <utility>

namespace estimate {

namespace {

const std::array<std::pair<Stage, QLatin1StringView>, 13> kStages = {{
    {Stage::SystemType, QLatin1StringView("system-type")},
    {Stage::Entry, QLatin1StringView("entry")},
    {Stage::Influence, QLatin1StringView("influence")},
    {Stage::Ratings, QLatin1StringView("ratings")},
    {Stage::RatingsSummed, QLatin1StringView("ratings-summed")},
    {Stage::Adjustment, QLatin1StringView("adjustment")},
    {Stage::AdjustmentAct, QLatin1StringView("adjustment-act")},
    {Stage::AdjustmentPfa, QLatin1StringView("adjustment-pfa")},
    {Stage::Productivity, QLatin1StringView("productivity")},
    {Stage::ProductivityP, QLatin1StringView("productivity-p")},
    {Stage::Effort, QLatin1StringView("effort")},
    {Stage::EffortCalculated, QLatin1StringView("effort-calculated")},
    {Stage::Report, QLatin1StringView("report")},
}};

const std::array<std::pair<method::SystemType, QLatin1StringView>, 3> kTypes = {{
    {method::SystemType::Batch, QLatin1StringView("batch")},
    {method::SystemType::OnLine, QLatin1StringView("online")},
    {method::SystemType::Mixed, QLatin1StringView("mixed")},
}};

QString systemName(method::SystemType type)
{
    switch (type) {
    case method::SystemType::Batch:
        return QStringLiteral("batch");
    case method::SystemType::OnLine:
        return QStringLiteral("on line");
    case method::SystemType::Mixed:
        break;
    }
    return QStringLiteral("mixto");
}

QJsonObject countsToJson(const method::Counts& counts)
{
    return {{QStringLiteral("entities"), counts.entities},
            {QStringLiteral("inputs"), counts.inputs},
            {QStringLiteral("outputs"), counts.outputs}};
}

QJsonArray transactionsToJson(const QList<method::Transaction>& list, bool mixed)
{
    QJsonArray array;
    for (const method::Transaction& transaction : list) {
        QJsonObject object =
            mixed ? QJsonObject{{QStringLiteral("batch"), countsToJson(transaction.counts)},
                                {QStringLiteral("online"), countsToJson(transaction.onLine)}}
                  : countsToJson(transaction.counts);
        object.insert(QStringLiteral("name"), transaction.name);
        array.append(object);
    }
    return array;
}

// What is wrong with the contents, as the user is told.
struct Bad
{
    QString problem;
};

[[noreturn]] void refuse(const QString& problem)
{
    throw Bad{problem};
}

QJsonValue field(const QJsonObject& object, const QString& key, const QString& where)
{
    if (!object.contains(key))
        refuse(QStringLiteral("Falta el campo «%1»%2.").arg(key, where));
    return object.value(key);
}

QJsonObject objectField(const QJsonObject& object, const QString& key, const QString& where)
{
    const QJsonValue value = field(object, key, where);
    if (!value.isObject())
        refuse(QStringLiteral("El campo «%1»%2 debe ser un objeto JSON.").arg(key, where));
    return value.toObject();
}

QJsonArray arrayField(const QJsonObject& object, const QString& key, const QString& where)
{
    const QJsonValue value = field(object, key, where);
    if (!value.isArray())
        refuse(QStringLiteral("El campo «%1»%2 debe ser una lista.").arg(key, where));
    return value.toArray();
}

QString textField(const QJsonObject& object, const QString& key, const QString& where)
{
    const QJsonValue value = field(object, key, where);
    if (!value.isString())
        refuse(QStringLiteral("El campo «%1»%2 debe ser un texto.").arg(key, where));
    return value.toString();
}

template <class T, size_t N>
T named(const std::array<std::pair<T, QLatin1StringView>, N>& names, const QString& text,
        const QString& what)
{
    for (const auto& [value, name] : names) {
        if (text == name)
            return value;
    }
    refuse(QStringLiteral("%1 «%2» no es ninguno de los que conoce el programa.").arg(what, text));
}

numeric::Integer count(const QJsonObject& object, const QString& key, const QString& noun,
                       const QString& transaction)
{
    const QJsonValue value = field(object, key, QStringLiteral(" en la %1").arg(transaction));
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number))
        refuse(QStringLiteral("En la %1, el número de %2 debe ser un número entero.")
                   .arg(transaction, noun));
    if (number < 0)
        refuse(QStringLiteral("La %1 tiene %2 %3; no puede ser negativo.")
                   .arg(transaction, QString::number(number, 'g', 17), noun));
    if (number > kMaxCount)
        refuse(QStringLiteral("La %1 tiene %2 %3; el máximo admitido es %4.")
                   .arg(transaction, QString::number(number, 'g', 17), noun)
                   .arg(kMaxCount));
    return static_cast<numeric::Integer>(number);
}

method::Counts countsFromJson(const QJsonObject& object, const QString& transaction,
                              const QString& column)
{
    return {count(object, QStringLiteral("entities"), QStringLiteral("entidades") + column,
                  transaction),
            count(object, QStringLiteral("inputs"), QStringLiteral("datos de entrada") + column,
                  transaction),
            count(object, QStringLiteral("outputs"), QStringLiteral("datos de salida") + column,
                  transaction)};
}

QList<method::Transaction> transactionsFromJson(const QJsonArray& array, method::SystemType type)
{
    QList<method::Transaction> list;
    list.reserve(array.size());
    for (int i = 0; i < array.size(); ++i) {
        const QString transaction =
            QStringLiteral("transacción %1 del sistema %2").arg(i + 1).arg(systemName(type));
        if (!array.at(i).isObject())
            refuse(QStringLiteral("La %1 debe ser un objeto JSON.").arg(transaction));
        const QJsonObject object = array.at(i).toObject();
        method::Transaction read;
        const QString name =
            textField(object, QStringLiteral("name"), QStringLiteral(" en la %1").arg(transaction));
        if (name.size() > method::kMaxTransactionName)
            refuse(QStringLiteral("El nombre de la %1 tiene más de %2 caracteres.")
                       .arg(transaction)
                       .arg(method::kMaxTransactionName));
        read.name = method::cleanTransactionName(name);
        if (type == method::SystemType::Mixed) {
            const QString where = QStringLiteral(" de la %1").arg(transaction);
            read.counts = countsFromJson(objectField(object, QStringLiteral("batch"), where),
                                         transaction, QStringLiteral(" batch"));
            read.onLine = countsFromJson(objectField(object, QStringLiteral("online"), where),
                                         transaction, QStringLiteral(" on line"));
        } else {
            read.counts = countsFromJson(object, transaction, QString());
        }
        list.append(read);
    }
    return list;
}

void readInfluence(const QJsonObject& object, Estimate& estimate)
{
    const QString where = QStringLiteral(" de «influence»");
    const QString mode = textField(object, QStringLiteral("mode"), where);
    if (mode == u"none") {
        estimate.influence = Influence::None;
    } else if (mode == u"direct") {
        estimate.influence = Influence::Direct;
        estimate.directTgi = textField(object, QStringLiteral("value"), where);
        if (const QString problem = directTgiProblem(estimate.directTgi); !problem.isEmpty())
            refuse(QStringLiteral("El valor directo de TGI «%1» no es válido: %2.")
                       .arg(estimate.directTgi, problem));
    } else if (mode == u"ratings") {
        estimate.influence = Influence::Rated;
        const QJsonArray ratings = arrayField(object, QStringLiteral("ratings"), where);
        if (ratings.size() != kAttributes)
            refuse(QStringLiteral("Hay %1 valoraciones de atributos; deben ser %2.")
                       .arg(ratings.size())
                       .arg(kAttributes));
        for (int k = 0; k < kAttributes; ++k) {
            const QJsonValue value = ratings.at(k);
            if (value.isNull())
                continue;
            const double rating = value.toDouble();
            if (!value.isDouble() || rating != std::floor(rating) || rating < 0 ||
                rating > kMaxRating)
                refuse(QStringLiteral("La valoración del atributo %1 debe ser un número entero "
                                      "de 0 a %2, o null si aún no se ha valorado.")
                           .arg(k + 1)
                           .arg(kMaxRating));
            estimate.ratings[k] = static_cast<int>(rating);
        }
    } else {
        refuse(QStringLiteral("El modo de TGI «%1» no es ninguno de los que conoce el programa.")
                   .arg(mode));
    }
}

// The file says where the estimate stood; what it holds must be what the user could have entered
// by then, so that entering it again reaches that place.
void checkStage(const Estimate& estimate)
{
    const Stage stage = estimate.stage;
    const QList<method::Transaction>& entered =
        estimate.systemType == method::SystemType::Batch    ? estimate.batch
        : estimate.systemType == method::SystemType::OnLine ? estimate.onLine
                                                            : estimate.mixed;
    if (stage >= Stage::Influence && entered.isEmpty())
        refuse(QStringLiteral("La estimación ha pasado de la entrada de transacciones, pero no "
                              "tiene ninguna del sistema %1.")
                   .arg(systemName(estimate.systemType)));
    const bool rating = stage == Stage::Ratings || stage == Stage::RatingsSummed;
    if (stage < Stage::Influence && estimate.influence != Influence::None)
        refuse(QStringLiteral("La estimación da el TGI antes de llegar a los grados de "
                              "influencia."));
    if (stage > Stage::Influence && estimate.influence == Influence::None)
        refuse(QStringLiteral("La estimación ha pasado de los grados de influencia sin dar el "
                              "TGI."));
    if (estimate.influence == Influence::Direct && rating)
        refuse(QStringLiteral("La estimación valora los atributos, pero da el TGI directamente."));
    if (estimate.influence == Influence::Rated && stage == Stage::Influence)
        refuse(QStringLiteral("La estimación valora los atributos, pero no ha llegado a ellos."));
    if (estimate.influence == Influence::Rated && stage >= Stage::RatingsSummed) {
        for (int k = 0; k < kAttributes; ++k) {
            if (estimate.ratings[k] == kUnrated)
                refuse(QStringLiteral("Los atributos están sumados, pero falta la valoración del "
                                      "atributo %1.")
                           .arg(k + 1));
        }
    }
    if (!estimate.language.isEmpty() && stage < Stage::Productivity)
        refuse(QStringLiteral("La estimación elige el lenguaje antes de llegar a la "
                              "productividad."));
    if (estimate.language.isEmpty() && stage >= Stage::ProductivityP)
        refuse(QStringLiteral("La estimación ha calculado la productividad sin elegir el "
                              "lenguaje de programación."));
}

Estimate readEstimate(const QJsonDocument& document, const Rules& rules)
{
    const QString notOurs = QStringLiteral("No es un archivo de estimación de Método MARK II.");
    if (!document.isObject())
        refuse(notOurs);
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1StringView(kFormat))
        refuse(notOurs);
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != std::floor(version.toDouble()) ||
        version.toDouble() < 1)
        refuse(QStringLiteral("Su número de versión falta o no es válido."));
    if (version.toDouble() > kVersion)
        refuse(QStringLiteral("Es de una versión más nueva del formato (%1); este programa abre "
                              "la versión %2. Abra el archivo con una versión más nueva de "
                              "Método MARK II.")
                   .arg(QString::number(version.toDouble(), 'g', 17))
                   .arg(kVersion));

    Estimate estimate;
    estimate.systemType = named(kTypes, textField(root, QStringLiteral("systemType"), QString()),
                                QStringLiteral("El tipo de sistema"));
    estimate.stage = named(kStages, textField(root, QStringLiteral("stage"), QString()),
                           QStringLiteral("El paso de la estimación"));

    const QJsonObject lists = objectField(root, QStringLiteral("transactions"), QString());
    const QString where = QStringLiteral(" de «transactions»");
    const QJsonArray batch = arrayField(lists, QStringLiteral("batch"), where);
    const QJsonArray onLine = arrayField(lists, QStringLiteral("online"), where);
    const QJsonArray mixed = arrayField(lists, QStringLiteral("mixed"), where);
    if (qint64(batch.size()) + onLine.size() + mixed.size() > kMaxTransactions)
        refuse(QStringLiteral("Tiene más de %L1 transacciones; el máximo admitido es %L1.")
                   .arg(kMaxTransactions));
    estimate.batch = transactionsFromJson(batch, method::SystemType::Batch);
    estimate.onLine = transactionsFromJson(onLine, method::SystemType::OnLine);
    estimate.mixed = transactionsFromJson(mixed, method::SystemType::Mixed);

    readInfluence(objectField(root, QStringLiteral("influence"), QString()), estimate);

    const QJsonValue language = field(root, QStringLiteral("language"), QString());
    if (!language.isNull() && !language.isString())
        refuse(QStringLiteral("El campo «language» debe ser un texto, o null si aún no se ha "
                              "elegido."));
    estimate.language = language.toString();
    if (language.isString() && !rules.languages.contains(estimate.language))
        refuse(QStringLiteral("El lenguaje «%1» no está en la lista del programa.")
                   .arg(estimate.language));

    checkStage(estimate);
    return estimate;
}

} // namespace

bool Estimate::sameInputs(const Estimate& other) const
{
    Estimate here = *this;
    here.stage = other.stage;
    return here == other;
}

bool Estimate::hasInput() const
{
    return !batch.isEmpty() || !onLine.isEmpty() || !mixed.isEmpty() ||
           influence != Influence::None || !language.isEmpty();
}

QString directTgiProblem(const QString& typed)
{
    // The rule of the direct entry: the number the text begins with, rounded, from 0 to 95.
    const double value = numeric::leadingNumberValue(typed);
    if (!numeric::fitsInteger(value))
        return QStringLiteral("el valor debe estar comprendido entre 0 y 95");
    const numeric::Integer rounded = numeric::doubleToInteger(value);
    if (rounded < 0 || rounded > 95)
        return QStringLiteral("el valor debe estar comprendido entre 0 y 95");
    return QString();
}

QByteArray toJson(const Estimate& estimate)
{
    QJsonObject influence;
    switch (estimate.influence) {
    case Influence::None:
        influence.insert(QStringLiteral("mode"), QStringLiteral("none"));
        break;
    case Influence::Direct:
        influence.insert(QStringLiteral("mode"), QStringLiteral("direct"));
        influence.insert(QStringLiteral("value"), estimate.directTgi);
        break;
    case Influence::Rated: {
        QJsonArray ratings;
        for (const int rating : estimate.ratings)
            ratings.append(rating == kUnrated ? QJsonValue() : QJsonValue(rating));
        influence.insert(QStringLiteral("mode"), QStringLiteral("ratings"));
        influence.insert(QStringLiteral("ratings"), ratings);
        break;
    }
    }
    QString type, stage;
    for (const auto& [value, name] : kTypes) {
        if (value == estimate.systemType)
            type = name;
    }
    for (const auto& [value, name] : kStages) {
        if (value == estimate.stage)
            stage = name;
    }
    const QJsonObject root{
        {QStringLiteral("format"), QLatin1StringView(kFormat)},
        {QStringLiteral("version"), kVersion},
        {QStringLiteral("systemType"), type},
        {QStringLiteral("stage"), stage},
        {QStringLiteral("transactions"),
         QJsonObject{{QStringLiteral("batch"), transactionsToJson(estimate.batch, false)},
                     {QStringLiteral("online"), transactionsToJson(estimate.onLine, false)},
                     {QStringLiteral("mixed"), transactionsToJson(estimate.mixed, true)}}},
        {QStringLiteral("influence"), influence},
        {QStringLiteral("language"),
         estimate.language.isEmpty() ? QJsonValue() : QJsonValue(estimate.language)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Estimate> fromJson(const QByteArray& contents, const Rules& rules, QString* problem)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(contents, &error);
    if (error.error != QJsonParseError::NoError) {
        *problem = QStringLiteral("No es un archivo de estimación: su contenido no es JSON "
                                  "válido (error en el carácter %1).")
                       .arg(error.offset);
        return std::nullopt;
    }
    try {
        return readEstimate(document, rules);
    } catch (const Bad& bad) {
        *problem = bad.problem;
        return std::nullopt;
    }
}

std::optional<Estimate> readFile(const QString& path, const Rules& rules, QString* message)
{
    const QFileInfo info(path);
    const auto refused = [&](const QString& problem) {
        *message = QStringLiteral("No se puede abrir la estimación «%1».\n\n%2")
                       .arg(QDir::toNativeSeparators(path), problem);
        return std::nullopt;
    };
    if (!info.exists())
        return refused(QStringLiteral("El archivo no existe."));
    if (info.isDir())
        return refused(QStringLiteral("Es una carpeta, no un archivo."));
    if (!info.isFile())
        return refused(QStringLiteral("No es un archivo normal."));
    if (info.size() > kMaxFileSize)
        return refused(QStringLiteral("El archivo ocupa más de 16 MB; una estimación nunca es tan "
                                      "grande."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("No se puede leer el archivo: no tiene permiso o el disco "
                                      "no responde."));
    // A file that grows while it is read is still held to the limit.
    const QByteArray contents = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("No se ha podido leer el archivo entero."));
    if (contents.size() > kMaxFileSize)
        return refused(QStringLiteral("El archivo ocupa más de 16 MB; una estimación nunca es tan "
                                      "grande."));
    QString problem;
    std::optional<Estimate> estimate = fromJson(contents, rules, &problem);
    if (!estimate)
        return refused(problem);
    return estimate;
}

bool writeFile(const Estimate& estimate, const QString& path, QString* message)
{
    const QFileInfo info(path);
    const auto failed = [&](const QString& reason) {
        *message = QStringLiteral("No se ha podido guardar la estimación en «%1»: %2.\n\nSi ya "
                                  "había un archivo con ese nombre, sigue como estaba.")
                       .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    if (info.isDir())
        return failed(QStringLiteral("es una carpeta, no un archivo"));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return failed(QStringLiteral("la carpeta «%1» no existe")
                          .arg(QDir::toNativeSeparators(folder.filePath())));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.error() == QFileDevice::PermissionsError || !folder.isWritable()
                          ? QStringLiteral("no tiene permiso para escribir en la carpeta «%1»")
                                .arg(QDir::toNativeSeparators(folder.filePath()))
                          : QStringLiteral("el sistema no permite crear el archivo (%1)")
                                .arg(file.errorString()));
    const QByteArray contents = toJson(estimate);
    // The write only fills a buffer; a full disk shows when it is flushed, which commit would
    // not report, putting a cut file in place of the old one.
    if (file.write(contents) != contents.size() || !file.flush() || !file.commit())
        return failed(QStringLiteral("no se ha podido escribir el archivo entero; puede que el "
                                     "disco esté lleno (%1)")
                          .arg(file.errorString()));
    return true;
}

} // namespace estimate
