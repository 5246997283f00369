#pragma once

// The screens were drawn for an 8 to 9 pt desktop font. On a desktop with a larger font the whole
// design grows with it, fonts, places and sizes alike, as it already grows with the display.

#include "toolkit/geometry.h"

#include <QFont>
#include <QRect>

namespace toolkit {

// 1 up to a 9 pt application font, then in proportion to it.
double fontScale();

// Twips to pixels of the design as the desktop's font draws it.
int scaledPixels(int twips);
QRect scaledPixels(const Twips& place);
// A design font at the desktop's size.
QFont scaledFont(QFont font);

} // namespace toolkit
