#include "method/transaction.h"

namespace method {

double transactionPoints(numeric::Integer entities, numeric::Integer inputs,
                         numeric::Integer outputs)
{
    const numeric::FloatingPointCheck check;
    double t = static_cast<double>(inputs) * 0.58;
    t = t + static_cast<double>(entities) * 1.66;
    t = t + static_cast<double>(outputs) * 0.26;
    check.check(t);
    return t;
}

double unadjustedTotal(const QList<Transaction>& transactions, Counts Transaction::*column)
{
    double total = 0;
    for (const Transaction& transaction : transactions) {
        const double t = transactionPoints(transaction.*column);
        const numeric::FloatingPointCheck check;
        total = t + total;
        check.check(total);
    }
    return total;
}

QString transactionName(const Transaction& transaction, int number)
{
    if (!transaction.name.isEmpty())
        return transaction.name;
    return QStringLiteral("Transacción %1").arg(number);
}

QString cleanTransactionName(const QString& typed)
{
    return typed.trimmed().left(kMaxTransactionName).trimmed();
}

} // namespace method
