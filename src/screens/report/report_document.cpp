#include "screens/report/report_document.h"

#include "numeric/numeric.h"
#include "toolkit/fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

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

// Pages are laid out in points of a page this wide, then scaled to the rectangle given: the
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

// The pages after the figures.
constexpr double kPartPoints = 12;
constexpr double kTablePoints = 9;
constexpr double kFooterPoints = 9;
constexpr double kFooterHeight = 28;     // the band at the foot of every page for its number
constexpr double kPartGap = 18;          // above a part's title
constexpr double kBelowTitle = 6;        // between a part's title and what it heads
constexpr double kBelowTable = 6;        // between a table and the lines under it
constexpr double kCellPadX = 4;          // from a cell's side to its text
constexpr double kCellPadY = 2.5;        // from a cell's top and bottom to its text
constexpr double kLeastTextColumn = 130; // a name narrower than this would wrap into a tower

// Fonts sized in the layout's points whatever the resolution of the device: the painter's scale
// does the rest. One family throughout, so the pages read as one document.
QFont layoutFont(double points, bool bold, const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiY() : 72;
    QFont font = toolkit::designFont(QStringLiteral("MS Sans Serif"),
                                     points * 72.0 / (dpi > 0 ? dpi : 72), bold);
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
        : title(layoutFont(kTitlePoints, true, device)),
          section(layoutFont(kSectionPoints, true, device)),
          caption(layoutFont(kTextPoints, true, device)),
          value(layoutFont(kTextPoints, false, device)), titleMetrics(title, device),
          sectionMetrics(section, device), captionMetrics(caption, device),
          valueMetrics(value, device)
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

// The page of figures inside the given rectangle of the painter's coordinates, scaled to fill
// its width and shrunk where needed to fit all of it.
void paintFigures(QPainter& painter, const QRectF& page, const Document& document)
{
    if (page.isEmpty())
        return;
    const Layout layout(document, painter.device());
    // Fill the width; shrink instead where the content would run off the bottom or the side.
    const double scale = std::min(page.width() / std::max(kNaturalWidth, layout.width),
                                  page.height() / layout.height);
    const double width = page.width() / scale;

    painter.save();
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

// The text broken into lines no wider than the width: at blanks (tabs and line breaks count as
// blanks), and inside a word only where the word alone is wider.
QStringList wrap(const QString& text, const QFontMetricsF& metrics, double width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer) <= width) {
            line = longer;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line = word;
        while (line.size() > 1 && metrics.horizontalAdvance(line) > width) {
            qsizetype fits = line.size() - 1;
            while (fits > 1 && metrics.horizontalAdvance(line.left(fits)) > width)
                --fits;
            lines << line.left(fits);
            line = line.mid(fits);
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

// A table measured for the page: where each column stands and the fonts it is set in. A table
// too wide for the page at its usual size is set smaller rather than run off the side.
struct TableLayout
{
    QFont body, bold;
    QFontMetricsF bodyMetrics, boldMetrics;
    QList<double> left, width;
    int textColumn = -1;

    TableLayout(const Table& table, double pageWidth, const QPaintDevice* device)
        : TableLayout(table, pageWidth, device, 1)
    {
        double used = 0;
        for (int column = 0; column < width.size(); ++column)
            if (column != textColumn)
                used += width[column];
        const double least = textColumn < 0 ? 0 : std::max(kLeastTextColumn, width[textColumn]);
        // The text shrinks with the font; the cells' padding stays.
        const double padding = 2 * kCellPadX * double(width.size());
        if (used + least > pageWidth)
            *this = TableLayout(table, pageWidth, device,
                                (pageWidth - padding) / (used + least - padding));
    }

    double lineSpacing() const { return boldMetrics.lineSpacing(); }

    double rowHeight(const QList<QStringList>& cells) const
    {
        qsizetype lines = 1;
        for (const QStringList& cell : cells)
            lines = std::max(lines, cell.size());
        return double(lines) * lineSpacing() + 2 * kCellPadY;
    }

    // Each cell as the lines it is painted in.
    QList<QStringList> cells(const QStringList& row, bool total) const
    {
        QList<QStringList> lines;
        for (int column = 0; column < width.size(); ++column) {
            const QString text = row.value(column);
            if (column == textColumn)
                lines << wrap(text, total ? boldMetrics : bodyMetrics,
                              width[column] - 2 * kCellPadX);
            else
                lines << QStringList(text);
        }
        return lines;
    }

private:
    TableLayout(const Table& table, double pageWidth, const QPaintDevice* device, double factor)
        : body(layoutFont(kTablePoints * factor, false, device)),
          bold(layoutFont(kTablePoints * factor, true, device)), bodyMetrics(body, device),
          boldMetrics(bold, device)
    {
        const auto columns = table.columns.size();
        for (int column = 0; column < columns; ++column) {
            if (textColumn < 0 && !table.columns[column].number)
                textColumn = column;
            double widest = 0;
            for (const QString& line : table.columns[column].heading.split(QLatin1Char('\n')))
                widest = std::max(widest, boldMetrics.horizontalAdvance(line));
            if (column != textColumn) {
                for (const QStringList& row : table.rows)
                    widest = std::max(widest, bodyMetrics.horizontalAdvance(row.value(column)));
            }
            for (const QStringList& row : table.totals)
                widest = std::max(widest, boldMetrics.horizontalAdvance(row.value(column)));
            width << widest + 2 * kCellPadX;
        }
        // The free text takes what the numbers leave.
        if (textColumn >= 0) {
            double others = 0;
            for (int column = 0; column < columns; ++column)
                if (column != textColumn)
                    others += width[column];
            width[textColumn] = std::max(width[textColumn], pageWidth - others);
        }
        double x = 0;
        for (const double w : std::as_const(width)) {
            left << x;
            x += w;
        }
    }
};

// One thing placed on a page after the figures.
struct Item
{
    enum class Kind { Title, Text, Header, Row, Total };
    Kind kind = Kind::Text;
    double top = 0;
    double height = 0;
    QString text;             // Title, Text
    int table = -1;           // Header, Row, Total: index of its table's layout
    QList<QStringList> cells; // Row, Total; Header: the headings' lines
};

// The details laid out on pages of the given size, in layout points.
struct Flow
{
    QFont title, text;
    QFontMetricsF titleMetrics, textMetrics;
    std::vector<TableLayout> tables;
    QList<QList<Item>> pages;

    Flow(const Document& document, const QPaintDevice* device, double width, double height)
        : title(layoutFont(kPartPoints, true, device)),
          text(layoutFont(kTablePoints, false, device)), titleMetrics(title, device),
          textMetrics(text, device)
    {
        double top = 0;
        const auto fits = [&](double needed) { return pages.isEmpty() || top + needed <= height; };
        const auto newPage = [&] {
            pages.append(QList<Item>());
            top = 0;
        };
        const auto place = [&](Item item) {
            if (pages.isEmpty())
                newPage();
            item.top = top;
            top += item.height;
            pages.last().append(std::move(item));
        };
        const auto titleItem = [&](const QString& caption) {
            return Item{Item::Kind::Title, 0, titleMetrics.height() + kBelowTitle, caption, -1, {}};
        };

        for (const Part& part : document.details) {
            const bool hasTable = !part.table.columns.isEmpty();
            Item header;
            std::vector<Item> rows;
            if (hasTable) {
                const int index = int(tables.size());
                const TableLayout& layout = tables.emplace_back(part.table, width, device);
                QList<QStringList> headings;
                for (const Column& column : part.table.columns)
                    headings << column.heading.split(QLatin1Char('\n'));
                header =
                    Item{Item::Kind::Header, 0, layout.rowHeight(headings), {}, index, headings};
                rows.reserve(std::size_t(part.table.rows.size() + part.table.totals.size()));
                for (const QStringList& row : part.table.rows) {
                    QList<QStringList> cells = layout.cells(row, false);
                    const double rowHeight = layout.rowHeight(cells);
                    rows.push_back(
                        Item{Item::Kind::Row, 0, rowHeight, {}, index, std::move(cells)});
                }
                for (const QStringList& row : part.table.totals) {
                    QList<QStringList> cells = layout.cells(row, true);
                    const double rowHeight = layout.rowHeight(cells);
                    rows.push_back(
                        Item{Item::Kind::Total, 0, rowHeight, {}, index, std::move(cells)});
                }
            }
            QStringList lines;
            for (const QString& line : part.lines)
                lines << wrap(line, textMetrics, width);

            // A title never stands alone at the foot of a page: what it heads starts with it.
            const Item heading = titleItem(part.title);
            double first = 0;
            if (hasTable)
                first = header.height + (rows.empty() ? 0 : rows.front().height);
            else if (!lines.isEmpty())
                first = textMetrics.lineSpacing();
            const double gap = pages.isEmpty() || top == 0 ? 0 : kPartGap;
            if (!fits(gap + heading.height + first))
                newPage();
            else
                top += gap;
            if (!part.title.isEmpty())
                place(heading);

            if (hasTable) {
                place(header);
                for (Item& row : rows) {
                    // A table carried over to the next page is headed again.
                    if (!fits(row.height)) {
                        newPage();
                        place(titleItem(part.title + QStringLiteral(" (continuación)")));
                        place(header);
                    }
                    place(std::move(row));
                }
                if (!lines.isEmpty())
                    top += kBelowTable;
            }
            for (const QString& line : std::as_const(lines)) {
                if (!fits(textMetrics.lineSpacing()))
                    newPage();
                place(Item{Item::Kind::Text, 0, textMetrics.lineSpacing(), line, -1, {}});
            }
        }
    }
};

void paintRow(QPainter& painter, const TableLayout& table, const Table& source, const Item& item)
{
    const bool bold = item.kind != Item::Kind::Row;
    const QFontMetricsF& metrics = bold ? table.boldMetrics : table.bodyMetrics;
    painter.setFont(bold ? table.bold : table.body);
    for (int column = 0; column < item.cells.size(); ++column) {
        const bool right = source.columns.value(column).number;
        double baseline = item.top + kCellPadY + metrics.ascent();
        for (const QString& line : item.cells[column]) {
            const double x = right ? table.left[column] + table.width[column] - kCellPadX -
                                         metrics.horizontalAdvance(line)
                                   : table.left[column] + kCellPadX;
            painter.drawText(QPointF(x, baseline), line);
            baseline += table.lineSpacing();
        }
    }
    const double right = table.left.last() + table.width.last();
    if (item.kind == Item::Kind::Row) {
        painter.setPen(QPen(QColor(0xbb, 0xbb, 0xbb), 0.4));
        painter.drawLine(QPointF(0, item.top + item.height),
                         QPointF(right, item.top + item.height));
    } else {
        const double y = item.kind == Item::Kind::Header ? item.top + item.height : item.top;
        painter.setPen(QPen(Qt::black, 0.8));
        painter.drawLine(QPointF(0, y), QPointF(right, y));
    }
    painter.setPen(Qt::black);
}

void paintDetails(QPainter& painter, const Flow& flow, const QList<const Table*>& tables,
                  const QList<Item>& page)
{
    painter.setPen(Qt::black);
    for (const Item& item : page) {
        switch (item.kind) {
        case Item::Kind::Title:
            painter.setFont(flow.title);
            painter.drawText(QPointF(0, item.top + flow.titleMetrics.ascent()), item.text);
            break;
        case Item::Kind::Text:
            painter.setFont(flow.text);
            painter.drawText(QPointF(0, item.top + flow.textMetrics.ascent()), item.text);
            break;
        default:
            paintRow(painter, flow.tables[std::size_t(item.table)], *tables[item.table], item);
        }
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
    // A tab or a line break inside a name would split its row.
    const auto row = [](QStringList cells) {
        for (QString& cell : cells)
            cell.replace(QLatin1Char('\t'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
        return cells.join(QLatin1Char('\t'));
    };
    for (const Part& part : document.details) {
        text << QString();
        if (!part.title.isEmpty())
            text << part.title;
        if (!part.table.columns.isEmpty()) {
            QStringList headings;
            for (const Column& column : part.table.columns)
                headings << QString(column.heading).replace(QLatin1Char('\n'), QLatin1Char(' '));
            text << row(headings);
            for (const QStringList& cells : part.table.rows)
                text << row(cells);
            for (const QStringList& cells : part.table.totals)
                text << row(cells);
        }
        text << part.lines;
    }
    return text.join(QLatin1Char('\n'));
}

QString systemTypeName(method::SystemType type)
{
    switch (type) {
    case method::SystemType::Batch:
        return QStringLiteral("Sistema Batch");
    case method::SystemType::OnLine:
        return QStringLiteral("Sistema On Line");
    case method::SystemType::Mixed:
        break;
    }
    return QStringLiteral("Sistema Mixto");
}

Part countedTransactions(method::SystemType type, const QList<method::Transaction>& transactions)
{
    const bool mixed = type == method::SystemType::Mixed;
    Part part{QStringLiteral("Transacciones"), {}, {}};
    Table& table = part.table;
    table.columns = {{QStringLiteral("Nº"), true}, {QStringLiteral("Transacción"), false}};
    const QStringList kinds =
        mixed ? QStringList{QStringLiteral("\nBatch"), QStringLiteral("\nOn Line")}
              : QStringList{QString()};
    for (const QString& kind : kinds)
        for (const char* heading : {"Entidades", "Entradas", "Salidas", "Puntos"})
            table.columns << Column{QString::fromUtf8(heading) + kind, true};

    table.rows.reserve(transactions.size());
    for (qsizetype index = 0; index < transactions.size(); ++index) {
        const method::Transaction& transaction = transactions[index];
        const int number = int(index + 1);
        QStringList row{QString::number(number), method::transactionName(transaction, number)};
        const auto add = [&row](const method::Counts& counts) {
            const double points = method::transactionPoints(counts);
            row << numeric::integerToText(counts.entities) << numeric::integerToText(counts.inputs)
                << numeric::integerToText(counts.outputs) << numeric::doubleToText(points);
        };
        add(transaction.counts);
        if (mixed)
            add(transaction.onLine);
        table.rows << row;
    }

    // The totals grow as on the entry screen, so they equal its own to the last bit.
    const double batch = method::unadjustedTotal(transactions, &method::Transaction::counts);
    const double onLine = method::unadjustedTotal(transactions, &method::Transaction::onLine);
    QStringList total{QString(), QStringLiteral("Total"),     QString(), QString(),
                      QString(), numeric::doubleToText(batch)};
    if (mixed) {
        total << QString() << QString() << QString() << numeric::doubleToText(onLine);
        part.lines << QStringLiteral("PFNA Mixto = ") + numeric::doubleToText(onLine + batch);
    }
    table.totals << total;
    return part;
}

// Every page one after another inside the area; newPage starts the next sheet.
bool paintPages(QPainter& painter, const QRectF& area, const Document& document,
                const std::function<bool()>& newPage)
{
    if (area.isEmpty())
        return true;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale = area.width() / kNaturalWidth;
    const double height = area.height() / scale - kFooterHeight;
    const Flow flow(document, painter.device(), kNaturalWidth, height);
    QList<const Table*> tables;
    for (const Part& part : document.details)
        if (!part.table.columns.isEmpty())
            tables << &part.table;
    const QFont footer = layoutFont(kFooterPoints, false, painter.device());
    const QFontMetricsF footerMetrics(footer, painter.device());
    const auto count = flow.pages.size() + 1;

    for (qsizetype number = 1; number <= count; ++number) {
        if (number > 1 && !newPage())
            return false;
        if (number == 1)
            paintFigures(
                painter,
                QRectF(area.topLeft(), QSizeF(area.width(), area.height() - kFooterHeight * scale)),
                document);
        painter.save();
        painter.translate(area.topLeft());
        painter.scale(scale, scale);
        if (number > 1)
            paintDetails(painter, flow, tables, flow.pages[number - 2]);
        painter.setFont(footer);
        painter.setPen(Qt::black);
        const QString mark = QStringLiteral("Página %1 de %2").arg(number).arg(count);
        painter.drawText(QPointF((kNaturalWidth - footerMetrics.horizontalAdvance(mark)) / 2,
                                 height + kFooterHeight - footerMetrics.descent()),
                         mark);
        painter.restore();
    }
    return true;
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
    const bool painted = paintPages(painter, QRectF(0, 0, writer.width(), writer.height()),
                                    document, [&writer] { return writer.newPage(); });
    painter.end(); // the PDF reaches the file only here
    if (!painted) {
        file.cancelWriting();
        return fail(error, path, QStringLiteral("no se pudo añadir una página al PDF"));
    }

    // The last part of the PDF waits in a buffer; a full disk shows only when it is flushed, which
    // commit would not report, putting a cut file in place of the old one.
    if (!file.flush() || !file.commit())
        return fail(error, path, whyNot(file, path));
    return true;
}

} // namespace report
