#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace app {

// Loads Qt's own translations for the user's language, so that standard buttons and menus speak
// it too ("Aceptar", "Sí", "No"). Without them installed the program still runs, in English
// there. Returns whether they were found in the folder.
bool loadQtTranslations(QCoreApplication& application,
                        const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

} // namespace app
