#pragma once

#include <QRect>

namespace toolkit {

// Screens are laid out in twips, 1/1440 inch: 15 twips are one pixel at 96 dpi. Qt's high-DPI
// scaling takes it from there.
inline constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    // Round half away from zero, as a designer's grid would.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// A control's place: left, top, width and height in twips, relative to its container.
struct Twips
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    QRect toPixels() const
    {
        return {toolkit::toPixels(left), toolkit::toPixels(top), toolkit::toPixels(width),
                toolkit::toPixels(height)};
    }
};

} // namespace toolkit
