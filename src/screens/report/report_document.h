#pragma once

// The estimation report as a document of its own, apart from the window that shows it: to copy
// as text, to save as PDF and to print.

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;
class QPrinter;

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

struct Document
{
    QString title;
    QList<Section> sections;
};

// The whole report as plain text: the title, then each section's title followed by one line per
// value, e.g. "W = 94,6032666846913 en horas de trabajo"; a blank line before each section.
QString plainText(const Document& document);

// Paints the report as one page inside the given rectangle of the painter's coordinates, scaled
// to fill its width and shrunk where needed to fit all of it.
void paint(QPainter& painter, const QRectF& page, const Document& document);

// Writes the report as a one-page A4 PDF. On failure returns false, leaves the disk as it was and
// sets *error (when given) to a sentence naming the path and the reason.
bool writePdf(const Document& document, const QString& path, QString* error = nullptr);

// Prints the report's page on a printer the caller has set up; false when the printer would not
// start.
bool print(const Document& document, QPrinter& printer);

} // namespace report
