// The print module: the only code that links Qt's print support.
#include "toolkit/print_service.h"

#include <QObject>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class PrintModule final : public QObject, public toolkit::PrintService
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID MARKII_PRINT_SERVICE_IID)
    Q_INTERFACES(toolkit::PrintService)

public:
    toolkit::PrintOutcome print(QWidget* owner, const QString& documentName,
                                double marginMillimetres, const toolkit::PagePainter& paint,
                                const toolkit::PrintHook& hook) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(documentName);
        const bool chosen =
            hook ? hook(printer) : QPrintDialog(&printer, owner).exec() == QDialog::Accepted;
        if (!chosen)
            return toolkit::PrintOutcome::Cancelled;

        QPainter painter;
        if (!painter.begin(&printer))
            return toolkit::PrintOutcome::Failed;
        // The paper less its margins, unless the printer cannot reach that far. The painter
        // starts at the corner of the printable area, or of the paper on a full page.
        const QPageLayout layout = printer.pageLayout();
        const double margin = marginMillimetres / 25.4 * printer.resolution();
        const QRectF printable = layout.paintRectPixels(printer.resolution());
        QRectF area = QRectF(layout.fullRectPixels(printer.resolution()))
                          .adjusted(margin, margin, -margin, -margin)
                          .intersected(printable);
        if (!printer.fullPage())
            area.translate(-printable.topLeft());
        const bool painted = paint(painter, area, [&printer] { return printer.newPage(); });
        return painter.end() && painted ? toolkit::PrintOutcome::Printed
                                        : toolkit::PrintOutcome::Failed;
    }
};

} // namespace

#include "print_module.moc"
