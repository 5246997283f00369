#pragma once

// The estimation report as a document of its own, apart from the window that shows it: to copy
// as text, to save as PDF and to print.

#include "method/system_type.h"
#include "method/transaction.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QRectF;

namespace report {

// One value of the report: caption exactly as shown (e.g. "W = "), the value as text, its unit.
struct Line
{
    QString caption;
    QString value;
    QString unit;
};

struct Section
{
    QString title;
    QList<Line> lines;
};

// A column of a table: its heading ("\n" where the heading breaks onto a second line) and
// whether it holds numbers, which line up on the right. The first column that holds no numbers
// is the table's free text: it wraps and takes the width the others leave.
struct Column
{
    QString heading;
    bool number = false;
};

struct Table
{
    QList<Column> columns;
    QList<QStringList> rows;
    QList<QStringList> totals; // set off below the rows, in bold
};

// What the estimate was made of, after the page of figures: a title, an optional table and lines
// of text below it.
struct Part
{
    QString title;
    Table table; // no columns: no table
    QStringList lines;
};

struct Document
{
    QString title;
    QList<Section> sections; // the page of figures, as the window shows it
    QList<Part> details;     // flowing over as many further pages as they need
};

// The whole report as plain text: the title, then each section's title followed by one line per
// value, e.g. "W = 94,6032666846913 en horas de trabajo"; a blank line before each section and
// each part. A table's cells are separated by tabs, so it pastes into a spreadsheet as a table.
QString plainText(const Document& document);

// "Sistema Batch", "Sistema On Line" or "Sistema Mixto".
QString systemTypeName(method::SystemType type);

// The transactions of an entry screen as a part: number, name, counts and points of each, and
// the totals added as the entry screen adds them, so they equal its own to the last bit. A mixed
// system's transactions carry both columns and their sum, PFNA.
Part countedTransactions(method::SystemType type, const QList<method::Transaction>& transactions);

// Writes the report as an A4 PDF: the page of figures, then the details over further pages,
// each numbered "Página N de M". On failure returns false, leaves the disk as it was and sets
// *error (when given) to a sentence naming the path and the reason.
bool writePdf(const Document& document, const QString& path, QString* error = nullptr);

// The margin of every page, on paper and in the PDF.
constexpr double kMarginMillimetres = 20;

// Paints the pages of the PDF into the given area of each page, calling newPage between pages:
// how the report is printed. False when a page could not be added.
bool paintPages(QPainter& painter, const QRectF& area, const Document& document,
                const std::function<bool()>& newPage);

} // namespace report
