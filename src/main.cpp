#include "app/registry.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The program ends only by its own buttons or the close box, never because a screen hid.
    application.setQuitOnLastWindowClosed(false);
    app::start();
    return QApplication::exec();
}
