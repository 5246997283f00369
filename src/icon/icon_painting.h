#pragma once

#include <QImage>

class QPainter;

namespace icon {

// Draws the program's icon over the square (0, 0, side, side). The design is laid out on a
// 256-unit grid, the same as data/markii.svg, so that both always look alike.
void paintProgramIcon(QPainter& painter, qreal side);

// The icon as a transparent square image of the given side in pixels.
QImage renderProgramIcon(int side);

} // namespace icon
