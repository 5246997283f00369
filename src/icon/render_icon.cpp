// Writes the program's icon as a PNG of the given side: markii_render_icon SIDE FILE.
// Used by the build for the fixed-size icons the desktop installs beside the SVG.

#include "icon/icon_painting.h"

#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SIDE FILE.png\n", argv[0]);
        return 2;
    }
    bool number = false;
    const int side = QString::fromLocal8Bit(argv[1]).toInt(&number);
    if (!number || side < 1 || side > 1024) {
        std::fprintf(stderr, "%s: bad side '%s'\n", argv[0], argv[1]);
        return 2;
    }
    if (!icon::renderProgramIcon(side).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write '%s'\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
