#include "icon/icon_painting.h"

#include <QPainter>
#include <QPainterPath>

namespace icon {

namespace {

// The palette of data/markii.svg.
const QColor ink(0x1f, 0x4e, 0x79);
const QColor paper(0xff, 0xff, 0xff);
const QColor lowBar(0x5b, 0x9b, 0xd5);
const QColor midBar(0x2e, 0x75, 0xb6);
const QColor highBar(0xed, 0x7d, 0x31);

} // namespace

void paintProgramIcon(QPainter& painter, qreal side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 256.0, side / 256.0);

    // A sheet with a header band: a report page.
    const QRectF sheet(40, 16, 176, 224);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paper);
    painter.drawRoundedRect(sheet, 20, 20);
    painter.setBrush(ink);
    painter.drawRoundedRect(QRectF(40, 16, 176, 56), 20, 20);
    painter.drawRect(QRectF(40, 48, 176, 24));

    // Three rising bars on a base line: size, effort, time.
    painter.setBrush(lowBar);
    painter.drawRect(QRectF(68, 160, 32, 48));
    painter.setBrush(midBar);
    painter.drawRect(QRectF(112, 128, 32, 80));
    painter.setBrush(highBar);
    painter.drawRect(QRectF(156, 92, 32, 116));

    QPen line(ink, 8);
    line.setCapStyle(Qt::FlatCap);
    painter.setPen(line);
    painter.drawLine(QPointF(60, 208), QPointF(196, 208));

    // The outline last, over the edges of the sheet and of the band.
    line.setWidthF(10);
    painter.setPen(line);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(sheet, 20, 20);
    painter.restore();
}

QImage renderProgramIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintProgramIcon(painter, side);
    painter.end();
    return image;
}

} // namespace icon
