#pragma once

// What screen readers and other assistive tools get from the program's own widgets, where Qt's
// interfaces for them fall short: the text of a box at every offset, a list named by its caption
// whatever is picked in it, an option chosen again by its toggle, containers without their
// decorations, and spoken announcements. Internal to the toolkit.

#include <QString>

class QWidget;

namespace toolkit::detail {

// Makes the program's own interfaces take the place of Qt's for the program's widgets; other
// widgets keep Qt's. Safe to call more than once.
void installAccessibility();

// While a modal message box is open, nothing from outside it may act on the windows behind it:
// Qt stops the mouse and the keyboard there, but not an assistive tool's actions.
bool blockedByModal(const QWidget* widget);

// Has screen readers say the text at once, as a notification of the widget's window.
void announce(QWidget* widget, const QString& text);

// Marks a container whose accessible children leave out the widgets that screen readers pass
// over (see silence()).
void skipSilentChildren(QWidget* container);

} // namespace toolkit::detail
