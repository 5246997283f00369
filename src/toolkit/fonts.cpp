#include "toolkit/fonts.h"

#include <QStringList>

namespace toolkit {

namespace {

QStringList standIns(const QString& family)
{
    if (family == QLatin1String("Garamond"))
        return {family, QStringLiteral("EB Garamond"), QStringLiteral("Liberation Serif"),
                QStringLiteral("DejaVu Serif")};
    if (family == QLatin1String("MS Reference Sans Serif"))
        return {family, QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                QStringLiteral("Liberation Sans")};
    // MS Sans Serif and anything else: Arial-metric faces come closest.
    return {family,
            QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial"),
            QStringLiteral("Helvetica"),
            QStringLiteral("DejaVu Sans")};
}

} // namespace

QFont designFont(const QString& family, double points, bool bold)
{
    QFont font;
    font.setFamilies(standIns(family));
    font.setStyleHint(family == QLatin1String("Garamond") ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(false);
    return font;
}

QFont defaultFont()
{
    return designFont(QStringLiteral("MS Sans Serif"), 8.25);
}

QFont boldFont(double points)
{
    return designFont(QStringLiteral("MS Sans Serif"), points, true);
}

} // namespace toolkit
