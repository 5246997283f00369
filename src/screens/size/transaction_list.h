#pragma once

// The list of the transactions counted on an entry screen: its columns, what each row shows and
// says to a screen reader, and the question before one is taken back. Shared by the single-kind
// screens and the mixed one.

#include "method/transaction.h"
#include "toolkit/controls.h"

#include <QList>
#include <QString>

namespace transaction_list {

// The list's design: where it stands, and Quitar beside it.
inline constexpr int kTabIndex = 100;    // after every designed control
inline constexpr int kListHeight = 1950; // about eight rows
inline constexpr int kGap = 120;
inline constexpr int kButtonWidth = 1335;

// The width of the list, in twips, with the counts of one kind of system or of both.
int listWidth(bool mixed);

// Columns, cells and row sentences of the list over the screen's transactions.
void setUp(toolkit::ListBox& list, const QList<method::Transaction>& transactions, bool mixed);

// What a screen reader hears for the transaction at the 0-based position given.
QString reading(const QList<method::Transaction>& transactions, int index, bool mixed);

// The list after Calcular added a row at its end: that row selected, ready to be named or taken
// back.
void showAdded(toolkit::ListBox& list, toolkit::CommandButton& quitar, int rows);

// The list after the row at the 0-based position given was taken back: the row now in its place
// selected, Quitar available while rows remain.
void showRemoved(toolkit::ListBox& list, toolkit::CommandButton& quitar, int index, int rows);

// Gives the transaction at the 0-based position given its cleaned name, and shows it in the list
// when the screen is loaded (list not null). Positions outside the list are ignored.
void rename(QList<method::Transaction>& transactions, toolkit::ListBox* list, int index,
            const QString& name);

// The position of the transaction selected in the list once the user, asked by its name,
// confirms taking it back; -1 when none is selected or the user says No.
int chosenForRemoval(const toolkit::ListBox& list, const QList<method::Transaction>& transactions);

} // namespace transaction_list
