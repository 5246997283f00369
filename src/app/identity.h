#pragma once

#include <QIcon>

class QApplication;

namespace app {

// The program's own icon, on every window and in the launcher.
QIcon programIcon();

// Names the program to the desktop: application name, display name, version, launcher id and
// window icon.
void setIdentity(QApplication& application);

} // namespace app
