#include "screens/report/report_document.h"

#include "toolkit/fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace report {

namespace {

QString lineText(const Line& line)
{
    // Captions carry the trailing blanks that spaced them on screen; in text they would only
    // double the space before the value.
    QStringList parts{line.caption.trimmed(), line.value.trimmed(), line.unit.trimmed()};
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

constexpr double kMarginMillimetres = 20;
// The page is laid out in points of a page this wide, then scaled to the rectangle given: the
// width of A4 inside the margins.
constexpr double kNaturalWidth = 482;
constexpr double kTitlePoints = 18;
constexpr double kSectionPoints = 13;
constexpr double kTextPoints = 10;
constexpr double kTitleGap = 18;    // below the report's title
constexpr double kSectionGap = 14;  // between frames
constexpr double kInset = 20;       // from a frame's side to its captions
constexpr double kTitleInset = 12;  // from a frame's side to its title
constexpr double kColumnGap = 12;   // between caption, value and unit
constexpr double kLineFactor = 1.9; // line height, in line spacings of the text font
constexpr double kFrameRadius = 4;

// Fonts sized in the layout's points whatever the resolution of the device: the painter's scale
// does the rest.
QFont layoutFont(const QString& family, double points, bool bold, const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiY() : 72;
    QFont font = toolkit::designFont(family, points * 72.0 / (dpi > 0 ? dpi : 72), bold);
    // Hinted advances are rounded to whole device pixels at this small size, and the scale
    // would magnify the rounding into uneven spacing.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

struct Layout
{
    QFont title, section, caption, value;
    QFontMetricsF titleMetrics, sectionMetrics, captionMetrics, valueMetrics;
    double valueX = 0;
    double unitX = 0;
    double width = 0;  // the least that holds every line
    double height = 0; // of the whole page's content
    double lineHeight = 0;

    Layout(const Document& document, const QPaintDevice* device)
        : title(layoutFont(QStringLiteral("Garamond"), kTitlePoints, true, device)),
          section(layoutFont(QStringLiteral("Garamond"), kSectionPoints, true, device)),
          caption(layoutFont(QStringLiteral("MS Sans Serif"), kTextPoints, true, device)),
          value(layoutFont(QStringLiteral("MS Sans Serif"), kTextPoints, false, device)),
          titleMetrics(title, device), sectionMetrics(section, device),
          captionMetrics(caption, device), valueMetrics(value, device)
    {
        // Common columns for all frames, so values and units line up down the page.
        double captionWidth = 0, valueWidth = 0, unitWidth = 0, sectionWidth = 0;
        for (const Section& part : document.sections) {
            sectionWidth = std::max(sectionWidth, sectionMetrics.horizontalAdvance(part.title));
            for (const Line& line : part.lines) {
                captionWidth = std::max(captionWidth,
                                        captionMetrics.horizontalAdvance(line.caption.trimmed()));
                valueWidth = std::max(valueWidth, valueMetrics.horizontalAdvance(line.value));
                unitWidth =
                    std::max(unitWidth, valueMetrics.horizontalAdvance(line.unit.trimmed()));
            }
        }
        valueX = kInset + captionWidth + kColumnGap;
        unitX = valueX + valueWidth + 2 * kColumnGap;
        width = std::max({unitX + unitWidth + kInset, 2 * kTitleInset + sectionWidth,
                          titleMetrics.horizontalAdvance(document.title)});

        lineHeight = kLineFactor * captionMetrics.lineSpacing();
        height = titleMetrics.height() + kTitleGap;
        for (const Section& part : document.sections)
            height += sectionHeight(part) + kSectionGap;
        if (!document.sections.isEmpty())
            height -= kSectionGap;
    }

    // From the top of a frame's title to the frame's bottom edge.
    double sectionHeight(const Section& part) const
    {
        return sectionMetrics.height() + lineHeight * (double(part.lines.size()) + 0.4);
    }
};

void paintSection(QPainter& painter, const Layout& layout, const Section& part, double top,
                  double width)
{
    // The frame's edge runs through the middle of its title, as on screen; the title sits in a
    // gap cut out of the edge.
    const double edgeTop = top + layout.sectionMetrics.ascent() * 0.6;
    const QRectF frame(0, edgeTop, width, top + layout.sectionHeight(part) - edgeTop);
    const QRectF titleBox(kTitleInset - 4, top,
                          layout.sectionMetrics.horizontalAdvance(part.title) + 8,
                          layout.sectionMetrics.height());
    painter.save();
    if (!part.title.isEmpty()) {
        QPainterPath outside;
        outside.addRect(frame.adjusted(-2, -2, 2, 2));
        QPainterPath gap;
        gap.addRect(titleBox);
        painter.setClipPath(outside.subtracted(gap), Qt::IntersectClip);
    }
    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, kFrameRadius, kFrameRadius);
    painter.restore();

    painter.setFont(layout.section);
    painter.drawText(QPointF(kTitleInset, top + layout.sectionMetrics.ascent()), part.title);

    // Each line's text sits in the middle of its line height.
    double lineTop = top + layout.sectionMetrics.height() + 0.2 * layout.lineHeight;
    const double baselineOffset =
        (layout.lineHeight + layout.captionMetrics.ascent() - layout.captionMetrics.descent()) / 2;
    for (const Line& line : part.lines) {
        const double baseline = lineTop + baselineOffset;
        painter.setFont(layout.caption);
        painter.drawText(QPointF(kInset, baseline), line.caption.trimmed());
        painter.setFont(layout.value);
        painter.drawText(QPointF(layout.valueX, baseline), line.value);
        painter.drawText(QPointF(layout.unitX, baseline), line.unit.trimmed());
        lineTop += layout.lineHeight;
    }
}

bool fail(QString* error, const QString& path, const QString& reason)
{
    if (error)
        *error = QStringLiteral("No se puede guardar el informe en «%1»: %2.")
                     .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

// Qt explains file errors in English; the common ones the user can fix get said in Spanish.
QString whyNot(const QSaveFile& file, const QString& path)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("la carpeta no existe");
    if (target.isDir())
        return QStringLiteral("ese nombre es el de una carpeta");
    if (file.error() == QFileDevice::PermissionsError || !folder.isWritable() ||
        (target.exists() && !target.isWritable()))
        return QStringLiteral("no tiene permiso para escribir ahí");
    switch (file.error()) {
    case QFileDevice::OpenError:
        return QStringLiteral("no se puede crear el archivo ahí (%1)").arg(file.errorString());
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
        return QStringLiteral("no se pudo escribir completo, quizá por falta de espacio (%1)")
            .arg(file.errorString());
    default:
        return file.errorString();
    }
}

} // namespace

QString plainText(const Document& document)
{
    QStringList text;
    if (!document.title.isEmpty())
        text << document.title;
    for (const Section& part : document.sections) {
        if (!text.isEmpty())
            text << QString();
        if (!part.title.isEmpty())
            text << part.title;
        for (const Line& line : part.lines)
            text << lineText(line);
    }
    return text.join(QLatin1Char('\n'));
}

void paint(QPainter& painter, const QRectF& page, const Document& document)
{
    if (page.isEmpty())
        return;
    const Layout layout(document, painter.device());
    // Fill the width; shrink instead where the content would run off the bottom or the side.
    const double scale = std::min(page.width() / std::max(kNaturalWidth, layout.width),
                                  page.height() / layout.height);
    const double width = page.width() / scale;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    painter.setPen(Qt::black);

    painter.setFont(layout.title);
    const double titleWidth = layout.titleMetrics.horizontalAdvance(document.title);
    painter.drawText(QPointF((width - titleWidth) / 2, layout.titleMetrics.ascent()),
                     document.title);

    double top = layout.titleMetrics.height() + kTitleGap;
    for (const Section& part : document.sections) {
        paintSection(painter, layout, part, top, width);
        top += layout.sectionHeight(part) + kSectionGap;
    }
    painter.restore();
}

bool writePdf(const Document& document, const QString& path, QString* error)
{
    // QSaveFile writes beside the target and renames only once all went well, so a failure leaves
    // an earlier report untouched and no half-written file behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, path, whyNot(file, path));

    QPdfWriter writer(&file);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    writer.setResolution(300);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Método MARK II"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        return fail(error, path, QStringLiteral("no se pudo preparar el PDF"));
    }
    paint(painter, QRectF(0, 0, writer.width(), writer.height()), document);
    painter.end(); // the PDF reaches the file only here

    if (!file.commit())
        return fail(error, path, whyNot(file, path));
    return true;
}

bool print(const Document& document, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The same page as the PDF: the paper less its margins, unless the printer cannot reach that
    // far. The painter starts at the corner of the printable area, or of the paper on a full page.
    const QPageLayout layout = printer.pageLayout();
    const double margin = kMarginMillimetres / 25.4 * printer.resolution();
    const QRectF printable = layout.paintRectPixels(printer.resolution());
    QRectF area = QRectF(layout.fullRectPixels(printer.resolution()))
                      .adjusted(margin, margin, -margin, -margin)
                      .intersected(printable);
    if (!printer.fullPage())
        area.translate(-printable.topLeft());
    paint(painter, area, document);
    return painter.end();
}

} // namespace report
