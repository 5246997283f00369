#include "toolkit/fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>

#include <map>
#include <tuple>

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

// The first stand-in installed here, looked up once per family: matching a list whose first
// names are missing makes Qt ask the system for fallbacks and load faces it then drops. Where
// none is installed, the whole list goes to Qt's matching as before.
QStringList installedStandIn(const QString& family)
{
    static QHash<QString, QStringList> resolved;
    if (const auto found = resolved.constFind(family); found != resolved.constEnd())
        return *found;
    const QStringList candidates = standIns(family);
    QStringList chosen = candidates;
    const QStringList installed = QFontDatabase::families();
    for (const QString& candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            chosen = QStringList{candidate};
            break;
        }
    }
    resolved.insert(family, chosen);
    return chosen;
}

} // namespace

QFont designFont(const QString& family, double points, bool bold)
{
    // Every screen asks for the same few fonts; each is built once from the application's font
    // of the moment, and built anew if that font changes.
    static QFont base;
    static std::map<std::tuple<QString, double, bool>, QFont> made;
    if (const QFont application = QGuiApplication::font(); application != base) {
        base = application;
        made.clear();
    }
    const auto key = std::make_tuple(family, points, bold);
    if (const auto found = made.find(key); found != made.end())
        return found->second;

    QFont font = base;
    font.setFamilies(installedStandIn(family));
    font.setStyleHint(family == QLatin1String("Garamond") ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(false);
    // Text is laid out by the face's own widths either way (light hinting, the desktop's usual
    // choice, keeps them too), so the screens look as with hinting and match the printed report;
    // without the hinter, each of a screen's fonts starts and draws its letters faster.
    font.setHintingPreference(QFont::PreferNoHinting);
    made.emplace(key, font);
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
