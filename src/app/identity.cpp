#include "app/identity.h"

#include "icon/icon_painting.h"

#include <QApplication>
#include <QPixmap>

#include <array>

// Both come from the build, so that the launcher, the metainfo and the program never disagree.
#ifndef MARKII_APP_ID
#error "MARKII_APP_ID must be defined by the build"
#endif
#ifndef MARKII_VERSION
#error "MARKII_VERSION must be defined by the build"
#endif

namespace app {

QIcon programIcon()
{
    // Drawn at every size the desktop asks for, rather than scaled, so small sizes stay crisp.
    static constexpr std::array sides{16, 24, 32, 48, 64, 128, 256};
    QIcon result;
    for (int side : sides)
        result.addPixmap(QPixmap::fromImage(icon::renderProgramIcon(side)));
    return result;
}

void setIdentity(QApplication& application)
{
    application.setApplicationName(QStringLiteral("markii"));
    application.setApplicationDisplayName(QStringLiteral("Método MARK II"));
    application.setApplicationVersion(QStringLiteral(MARKII_VERSION));
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MARKII_APP_ID));
    QApplication::setWindowIcon(programIcon());
}

} // namespace app
