#include "app/identity.h"
#include "app/registry.h"
#include "app/translations.h"
#include "screens/session/session.h"
#include "screens/size/form7.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::setIdentity(application);
    app::loadQtTranslations(application);
    // The program ends only by its own buttons or the close box, never because a screen hid.
    application.setQuitOnLastWindowClosed(false);
    app::start<Form7>();
    // A saved estimate named on the command line, as the desktop passes a double-clicked file.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        session::open(arguments.at(1));
    return QApplication::exec();
}
