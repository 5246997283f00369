#include "app/identity.h"
#include "app/registry.h"
#include "app/translations.h"
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
    return QApplication::exec();
}
