#pragma once

#include <QFont>
#include <QString>

namespace toolkit {

// A font by the name the screens were designed with. Where the machine lacks it, the nearest
// installed face of the same kind stands in.
QFont designFont(const QString& family, double points, bool bold = false);

// The toolkit's default: MS Sans Serif 8.25 pt regular.
QFont defaultFont();

// MS Sans Serif 8.25 pt bold, the caption font of most screens.
QFont boldFont(double points = 8.25);

} // namespace toolkit
