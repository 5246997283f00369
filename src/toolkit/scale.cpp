#include "toolkit/scale.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace toolkit {

namespace {

// The largest desktop font that the design shows as drawn.
constexpr double kDesignPoints = 9.0;

} // namespace

double fontScale()
{
    const QFont font = QApplication::font();
    double points = font.pointSizeF();
    if (points <= 0)
        points = font.pixelSize() * 72.0 / 96.0;
    return std::max(1.0, points / kDesignPoints);
}

int scaledPixels(int twips)
{
    return toPixels(static_cast<int>(std::lround(twips * fontScale())));
}

QRect scaledPixels(const Twips& place)
{
    return {scaledPixels(place.left), scaledPixels(place.top), scaledPixels(place.width),
            scaledPixels(place.height)};
}

QFont scaledFont(QFont font)
{
    const double scale = fontScale();
    if (scale != 1.0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

} // namespace toolkit
