#include "app/identity.h"

#include "icon/icon_painting.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <map>

// Both come from the build, so that the launcher, the metainfo and the program never disagree.
#ifndef MARKII_APP_ID
#error "MARKII_APP_ID must be defined by the build"
#endif
#ifndef MARKII_VERSION
#error "MARKII_VERSION must be defined by the build"
#endif

namespace app {

namespace {

// The sizes a desktop picks from; each is drawn when first asked for, not scaled from another, so
// small sizes stay crisp, and sizes never shown are never drawn. An X11 window carries every one
// of them in its icon property, drawn and copied at each start: up to 128 px, enough for 64 px at
// twice the scale. The launcher's larger icons are the installed files.
constexpr std::array kSides{16, 24, 32, 48, 64, 128};

class ProgramIconEngine final : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        painter->save();
        painter->translate(rect.x() + (rect.width() - side) / 2,
                           rect.y() + (rect.height() - side) / 2);
        icon::paintProgramIcon(*painter, side);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        QImage& drawn = drawnAt()[side];
        if (drawn.isNull())
            drawn = icon::renderProgramIcon(side);
        return QPixmap::fromImage(drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : kSides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("markii"); }

private:
    // Shared by every copy of the icon: each size is drawn once in the program's life.
    static std::map<int, QImage>& drawnAt()
    {
        static std::map<int, QImage> drawn;
        return drawn;
    }
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
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
