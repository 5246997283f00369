#pragma once

class QCoreApplication;

namespace app {

// Loads Qt's own translations for the user's language, so that standard buttons and menus speak
// it too ("Aceptar", "Sí", "No"). Without them installed the program still runs, in English
// there. Returns whether they were found.
bool loadQtTranslations(QCoreApplication& application);

} // namespace app
