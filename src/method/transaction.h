#pragma once

// One logical transaction of the Mk II method: the entity types it references and its input and
// output data element types, and the unadjusted function points they give.

#include "numeric/numeric.h"

#include <QList>
#include <QString>

namespace method {

// The three counts of one transaction, each a whole number the user typed.
struct Counts
{
    numeric::Integer entities = 0;
    numeric::Integer inputs = 0;
    numeric::Integer outputs = 0;

    friend bool operator==(const Counts&, const Counts&) = default;
};

// Mk II unadjusted function points of one logical transaction: 0.58 per input data element type,
// 1.66 per entity type referenced, 0.26 per output data element type. The terms are added in
// this order on every entry screen, so equal counts give equal points to the last bit.
double transactionPoints(numeric::Integer entities, numeric::Integer inputs,
                         numeric::Integer outputs);
inline double transactionPoints(const Counts& counts)
{
    return transactionPoints(counts.entities, counts.inputs, counts.outputs);
}

// A counted transaction as an entry screen keeps it. A single-kind screen uses `counts` only; the
// mixed screen keeps its batch column in `counts` and its on-line column in `onLine`.
struct Transaction
{
    QString name; // as the user named it; empty while it keeps its default name
    Counts counts;
    Counts onLine;

    friend bool operator==(const Transaction&, const Transaction&) = default;
};

// The unadjusted total of a list of transactions, grown as an entry screen grows it: each
// transaction's points added to the running total in entry order, from 0, every sum checked. So
// the total after a removal is, to the last bit, that of a fresh entry of the others. `column`
// picks the counts: `&Transaction::counts`, or `&Transaction::onLine` for the mixed on-line part.
double unadjustedTotal(const QList<Transaction>& transactions,
                       Counts Transaction::*column = &Transaction::counts);

// Longest name a transaction takes; a longer one is cut here.
constexpr int kMaxTransactionName = 200;

// The name shown for the transaction at the 1-based position given: its own, or "Transacción N".
QString transactionName(const Transaction& transaction, int number);

// A name as the user typed it, made fit to keep: blanks trimmed, cut to the longest name; an
// empty result means the default name.
QString cleanTransactionName(const QString& typed);

} // namespace method
