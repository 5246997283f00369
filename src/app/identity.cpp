#include "app/identity.h"

#include <QApplication>

namespace app {

QIcon programIcon()
{
    return {};
}

void setIdentity(QApplication& application)
{
    application.setApplicationDisplayName(QStringLiteral("Método MARK II"));
}

} // namespace app
