#pragma once

// Printing, kept in a module of its own that the program loads when the user first prints: the
// print support library is large, and a program that links it pays for loading it on every start.

#include <QtPlugin>

#include <functional>

class QPainter;
class QPrinter;
class QRectF;
class QString;
class QWidget;

namespace toolkit {

// Paints every page: into the area given (the paper less its margins, in the painter's
// coordinates), calling newPage between pages; false when a page could not be added.
using PagePainter = std::function<bool(QPainter& painter, const QRectF& area,
                                       const std::function<bool()>& newPage)>;

// Answers in place of the print dialog: true to print on the printer as the hook set it up.
using PrintHook = std::function<bool(QPrinter&)>;

enum class PrintOutcome { Printed, Cancelled, Failed, Unavailable };

class PrintService
{
public:
    virtual ~PrintService() = default;
    // Asks for a printer (the dialog, or the hook when given) and prints the pages on it.
    virtual PrintOutcome print(QWidget* owner, const QString& documentName,
                               double marginMillimetres, const PagePainter& paint,
                               const PrintHook& hook) = 0;
};

} // namespace toolkit

#define MARKII_PRINT_SERVICE_IID "io.github.markii.PrintService/1"
Q_DECLARE_INTERFACE(toolkit::PrintService, MARKII_PRINT_SERVICE_IID)
