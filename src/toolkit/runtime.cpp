#include "toolkit/runtime.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <exception>

namespace toolkit {

namespace {

bool g_ended = false;
QPointer<QWidget> g_owner;
QPointer<QWidget> g_failingBox;

QWidget* owner()
{
    return g_owner && g_owner->isVisible() ? g_owner.data() : nullptr;
}

QString sentenceFor(const numeric::RuntimeError& error)
{
    using numeric::ErrorKind;
    // A box the user can correct says more than the rule that refused its text.
    const QString& box = error.subject();
    if (!box.isEmpty()) {
        switch (error.kind()) {
        case ErrorKind::TypeMismatch:
            return QStringLiteral("La casilla «%1» está vacía o no contiene un número.").arg(box);
        case ErrorKind::Overflow:
            return QStringLiteral("El número de la casilla «%1» está fuera del intervalo "
                                  "admitido (de -32768 a 32767 para un número entero).")
                .arg(box);
        default:
            return QStringLiteral("No se puede usar el valor de la casilla «%1».").arg(box);
        }
    }
    if (!error.explanation().isEmpty())
        return error.explanation();
    switch (error.kind()) {
    case ErrorKind::DivisionByZero:
        return QStringLiteral("El cálculo divide por cero.");
    case ErrorKind::Overflow:
        return QStringLiteral("El resultado del cálculo no se puede representar.");
    case ErrorKind::InvalidArgument:
        return QStringLiteral("El cálculo recibe un valor que no admite.");
    default:
        return QStringLiteral("El cálculo no se ha podido completar.");
    }
}

} // namespace

void dispatch(const std::function<void()>& handler)
{
    if (g_ended)
        return;
    g_failingBox = nullptr;
    try {
        handler();
    } catch (const numeric::RuntimeError& error) {
        // Taken before the message: handlers run while it is up.
        const QPointer<QWidget> failingBox = g_failingBox;
        showRuntimeError(error);
        if (auto* box = qobject_cast<QLineEdit*>(failingBox.data());
            box && box->isVisible() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    } catch (const std::exception& error) {
        // Anything else is a fault of ours; the user's values are still on the screens.
        QMessageBox::critical(owner(), QStringLiteral("Error"),
                              QStringLiteral("Error interno: %1\n\nLos datos introducidos se "
                                             "conservan.")
                                  .arg(QString::fromUtf8(error.what())));
    }
}

void messageBox(const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, prompt, QMessageBox::Ok, owner());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

void showRuntimeError(const numeric::RuntimeError& error)
{
    const QString text = QStringLiteral("%1\n\nError %2: %3. Los datos introducidos se conservan; "
                                        "corríjalos y vuelva a intentarlo.")
                             .arg(sentenceFor(error))
                             .arg(error.number())
                             .arg(error.name());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error en tiempo de ejecución"), text,
                    QMessageBox::Ok, owner());
    box.setObjectName(QStringLiteral("RuntimeErrorBox"));
    box.exec();
}

void noteFailingBox(QWidget* box)
{
    g_failingBox = box;
}

void setMessageOwner(QWidget* window)
{
    g_owner = window;
}

void endProgram()
{
    g_ended = true;
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

bool programEnded()
{
    return g_ended;
}

void resetProgram()
{
    g_ended = false;
}

} // namespace toolkit
