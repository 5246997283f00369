#include "screens/size/transaction_list.h"

#include "numeric/numeric.h"
#include "toolkit/runtime.h"

#include <algorithm>

namespace transaction_list {

namespace {

constexpr int kNumberWidth = 450;
constexpr int kNameWidth = 1800;
constexpr int kCountWidth = 900;
constexpr int kMixedCountWidth = 780;
constexpr int kPointsWidth = 900;
constexpr int kMixedPointsWidth = 1050;
constexpr int kScrollBar = 360; // the vertical scroll bar and the list's border

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}

// "2 entidades, 10 entradas, 4 salidas, 10,76 puntos"
QString countsSaid(const method::Counts& counts)
{
    return QStringLiteral("%1, %2, %3, %4 puntos")
        .arg(counted(counts.entities, "entidad", "entidades"),
             counted(counts.inputs, "entrada", "entradas"),
             counted(counts.outputs, "salida", "salidas"),
             numeric::doubleToText(method::transactionPoints(counts)));
}

QString cell(const QList<method::Transaction>& transactions, int row, int column, bool mixed)
{
    if (row < 0 || row >= transactions.size())
        return {};
    const method::Transaction& transaction = transactions[row];
    switch (column) {
    case 0:
        return QString::number(row + 1);
    case 1:
        return method::transactionName(transaction, row + 1);
    case 2:
        return QString::number(transaction.counts.entities);
    case 3:
        return QString::number(transaction.counts.inputs);
    case 4:
        return QString::number(transaction.counts.outputs);
    default:
        break;
    }
    if (!mixed)
        return numeric::doubleToText(method::transactionPoints(transaction.counts));
    switch (column) {
    case 5:
        return QString::number(transaction.onLine.entities);
    case 6:
        return QString::number(transaction.onLine.inputs);
    case 7:
        return QString::number(transaction.onLine.outputs);
    case 8:
        return numeric::doubleToText(method::transactionPoints(transaction.counts));
    default:
        return numeric::doubleToText(method::transactionPoints(transaction.onLine));
    }
}

QList<toolkit::ListBox::Column> columns(bool mixed)
{
    if (!mixed)
        return {{QStringLiteral("Nº"), kNumberWidth, true},
                {QStringLiteral("Nombre"), kNameWidth},
                {QStringLiteral("Entidades"), kCountWidth, true},
                {QStringLiteral("Entradas"), kCountWidth, true},
                {QStringLiteral("Salidas"), kCountWidth, true},
                {QStringLiteral("Puntos"), kPointsWidth, true}};
    return {{QStringLiteral("Nº"), kNumberWidth, true},
            {QStringLiteral("Nombre"), kNameWidth},
            {QStringLiteral("Ent. B"), kMixedCountWidth, true},
            {QStringLiteral("Entr. B"), kMixedCountWidth, true},
            {QStringLiteral("Sal. B"), kMixedCountWidth, true},
            {QStringLiteral("Ent. OL"), kMixedCountWidth, true},
            {QStringLiteral("Entr. OL"), kMixedCountWidth, true},
            {QStringLiteral("Sal. OL"), kMixedCountWidth, true},
            {QStringLiteral("Puntos B"), kMixedPointsWidth, true},
            {QStringLiteral("Puntos OL"), kMixedPointsWidth, true}};
}

// "Transacción 3" or "Transacción 3, Alta de cliente"
QString titled(const QList<method::Transaction>& transactions, int index)
{
    const QString number = QStringLiteral("Transacción %1").arg(index + 1);
    const QString name = method::transactionName(transactions[index], index + 1);
    return name == number ? number : number + QStringLiteral(", ") + name;
}

} // namespace

int listWidth(bool mixed)
{
    int width = kScrollBar;
    for (const toolkit::ListBox::Column& column : columns(mixed))
        width += column.width;
    return width;
}

void setUp(toolkit::ListBox& list, const QList<method::Transaction>& transactions, bool mixed)
{
    list.setColumns(
        columns(mixed),
        [&transactions, mixed](int row, int column) {
            return cell(transactions, row, column, mixed);
        },
        [&transactions, mixed](int row) { return reading(transactions, row, mixed); });
    list.setAccessibleName(QStringLiteral("Transacciones"));
    list.resetRows(static_cast<int>(transactions.size()));
}

QString reading(const QList<method::Transaction>& transactions, int index, bool mixed)
{
    if (index < 0 || index >= transactions.size())
        return {};
    const method::Transaction& transaction = transactions[index];
    if (!mixed)
        return titled(transactions, index) + QStringLiteral(": ") + countsSaid(transaction.counts);
    return titled(transactions, index) + QStringLiteral(": Batch ") +
           countsSaid(transaction.counts) + QStringLiteral("; On Line ") +
           countsSaid(transaction.onLine);
}

void rename(QList<method::Transaction>& transactions, toolkit::ListBox* list, int index,
            const QString& name)
{
    if (index < 0 || index >= transactions.size())
        return;
    transactions[index].name = method::cleanTransactionName(name);
    if (list)
        list->rowChanged(index);
}

int chosenForRemoval(const toolkit::ListBox& list, const QList<method::Transaction>& transactions)
{
    const int index = list.listIndex();
    if (index < 0)
        return -1;
    const bool confirmed = toolkit::askYesNo(
        QStringLiteral("¿Desea quitar la %1? Sus puntos dejarán de contar en el total.")
            .arg(titled(transactions, index)),
        QStringLiteral("Quitar transacción"));
    return confirmed ? index : -1;
}

void showAdded(toolkit::ListBox& list, toolkit::CommandButton& quitar, int rows)
{
    list.rowAdded();
    list.setListIndex(rows - 1);
    quitar.setEnabled(true);
}

void showRemoved(toolkit::ListBox& list, toolkit::CommandButton& quitar, int index, int rows)
{
    list.rowRemoved(index);
    list.setListIndex(std::min(index, rows - 1));
    quitar.setEnabled(rows > 0);
}

} // namespace transaction_list
