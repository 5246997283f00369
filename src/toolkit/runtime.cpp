#include "toolkit/runtime.h"

#include "toolkit/screen.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

#include <exception>
#include <memory>

Q_LOGGING_CATEGORY(lcRuntime, "markii.runtime")

namespace toolkit {

namespace {

bool g_ended = false;
bool g_unsavedData = false;
int g_dispatchDepth = 0;
QPointer<QWidget> g_owner;
QPointer<QWidget> g_failingBox;
MessageHook g_messageHook;
SaveFileHook g_saveFileHook;
OpenFileHook g_openFileHook;
WorkKeeper g_keeper;
HeldMessages* g_held = nullptr;
PrintHook g_printHook;
QString g_printModule;

QWidget* owner()
{
    return g_owner && g_owner->isVisible() ? g_owner.data() : nullptr;
}

QString errorLabel(const numeric::RuntimeError& error)
{
    return QStringLiteral("Error %1: %2").arg(error.number()).arg(error.name());
}

// A run-time error that no box explains: a calculation the values given cannot go through.
Message messageFor(const numeric::RuntimeError& error)
{
    QString text = error.explanation();
    if (text.isEmpty()) {
        switch (error.kind()) {
        case numeric::ErrorKind::DivisionByZero:
            text = QStringLiteral("El cálculo tendría que dividir por cero.");
            break;
        case numeric::ErrorKind::Overflow:
            text = QStringLiteral("El resultado del cálculo es demasiado grande.");
            break;
        default:
            text = QStringLiteral("El cálculo no se puede completar con estos valores.");
        }
    }
    return {MessageKind::Warning, QStringLiteral("No se puede calcular"),
            text + QStringLiteral("\n\nLos datos introducidos se conservan."), errorLabel(error)};
}

// Whether the text is a number written with another decimal separator than the user's.
bool usesOtherSeparator(const QString& text, QChar separator)
{
    const QChar other = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?\\d*([.,])\\d*\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() && match.captured(1) == QString(other) &&
           text.contains(QRegularExpression(QStringLiteral("\\d")));
}

// Whether the text is a whole number written with the user's thousands separator: "1.000".
bool usesGroupSeparators(const QString& text)
{
    const QString group = QRegularExpression::escape(QLocale().groupSeparator());
    const QRegularExpression grouped(
        QStringLiteral("^\\s*[+-]?\\d{1,3}(%1\\d{3})+\\s*$").arg(group));
    return !group.isEmpty() && grouped.match(text).hasMatch();
}

} // namespace

void dispatch(const std::function<void()>& handler)
{
    if (g_ended)
        return;
    ++g_dispatchDepth;
    g_failingBox = nullptr;
    try {
        handler();
    } catch (const UserError& error) {
        const QPointer<QWidget> failingBox = g_failingBox; // handlers run while the box is up
        showMessage(error.message());
        if (auto* box = qobject_cast<QLineEdit*>(failingBox.data());
            box && box->isVisible() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    } catch (const numeric::RuntimeError& error) {
        showMessage(messageFor(error));
    } catch (const std::exception& error) {
        // Anything else is a fault of ours; the user's values are still on the screens.
        qCCritical(lcRuntime) << "internal error in a handler:" << error.what();
        showMessage({MessageKind::Critical, QStringLiteral("Error interno del programa"),
                     QStringLiteral("El programa ha encontrado un fallo interno y no ha podido "
                                    "terminar esta acción. Los datos introducidos se conservan."),
                     QString::fromUtf8(error.what())});
    } catch (...) {
        qCCritical(lcRuntime) << "internal error in a handler: unknown exception";
        showMessage({MessageKind::Critical, QStringLiteral("Error interno del programa"),
                     QStringLiteral("El programa ha encontrado un fallo interno y no ha podido "
                                    "terminar esta acción. Los datos introducidos se conservan."),
                     QString()});
    }
    if (--g_dispatchDepth == 0 && !g_ended)
        Screen::keepOneVisible();
}

Answer showMessage(const Message& message)
{
    if (g_held) {
        g_held->m_messages.append(message);
        return message.kind == MessageKind::SaveChanges ? Answer::Cancel : Answer::Ok;
    }
    if (g_messageHook)
        return g_messageHook(message);

    const auto icon = message.kind == MessageKind::Critical   ? QMessageBox::Critical
                      : message.kind == MessageKind::Question ? QMessageBox::Question
                                                              : QMessageBox::Warning;
    QMessageBox box(icon, message.title, message.text, QMessageBox::NoButton, owner());
    box.setObjectName(QStringLiteral("MessageBox"));
    if (!message.details.isEmpty())
        box.setDetailedText(message.details);
    if (message.kind == MessageKind::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    if (message.kind == MessageKind::SaveChanges) {
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        const int pressed = box.exec();
        return pressed == QMessageBox::Save      ? Answer::Save
               : pressed == QMessageBox::Discard ? Answer::Discard
                                                 : Answer::Cancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

void messageBox(const QString& prompt, const QString& title)
{
    showMessage({MessageKind::Warning, title, prompt, QString()});
}

bool askYesNo(const QString& question, const QString& title)
{
    return showMessage({MessageKind::Question, title, question, QString()}) == Answer::Yes;
}

HeldMessages::HeldMessages() : m_outer(g_held)
{
    g_held = this;
}

HeldMessages::~HeldMessages()
{
    g_held = m_outer;
}

UserError::UserError(Message message)
    : m_message(std::move(message)),
      m_what((m_message.title + QStringLiteral(": ") + m_message.text).toUtf8())
{}

const char* UserError::what() const noexcept
{
    return m_what.constData();
}

UserError explainForBox(const numeric::RuntimeError& error, const QString& boxName,
                        const QString& text, bool hidden, BoxNumber kind)
{
    const QString details = errorLabel(error);
    if (hidden) {
        // The box only carries a value between screens: that value is what the user knows.
        return UserError({MessageKind::Critical, QStringLiteral("No se puede continuar"),
                          QStringLiteral("El valor de %1 que llega de una pantalla anterior "
                                         "(«%2») no se puede leer como número. Es un fallo del "
                                         "programa; los datos introducidos se conservan.")
                              .arg(boxName, text),
                          details});
    }
    const bool wholeNumber = kind != BoxNumber::Any;
    const QString what =
        wholeNumber ? QStringLiteral("un número entero") : QStringLiteral("un número");
    const QChar separator = numeric::localeDecimalSeparator();
    // A count never has a sign or decimals: whatever number is not one is named by its range.
    const UserError notACount(
        {MessageKind::Warning,
         error.kind() == numeric::ErrorKind::Overflow &&
                 !text.trimmed().startsWith(QLatin1Char('-'))
             ? QStringLiteral("Número demasiado grande")
             : QStringLiteral("Número no válido"),
         QStringLiteral("La casilla «%1» admite números enteros de 0 a 32767.").arg(boxName),
         details});
    if (error.kind() == numeric::ErrorKind::Overflow) {
        if (kind == BoxNumber::Count)
            return notACount;
        const bool negative = text.trimmed().startsWith(QLatin1Char('-'));
        if (!wholeNumber)
            return UserError({MessageKind::Warning, QStringLiteral("Número demasiado grande"),
                              QStringLiteral("El número de la casilla «%1» es demasiado grande "
                                             "para calcular con él. Escriba uno menor.")
                                  .arg(boxName),
                              details});
        return UserError(
            {MessageKind::Warning,
             negative ? QStringLiteral("Número demasiado pequeño")
                      : QStringLiteral("Número demasiado grande"),
             negative ? QStringLiteral("La casilla «%1» admite números desde -32768; «%2» es "
                                       "menor. Escriba un número entre -32768 y 32767.")
                            .arg(boxName, text.trimmed())
                      : QStringLiteral("La casilla «%1» admite números hasta 32767; «%2» es "
                                       "mayor. Escriba un número entre -32768 y 32767.")
                            .arg(boxName, text.trimmed()),
             details});
    }
    if (text.trimmed().isEmpty())
        return UserError({MessageKind::Warning, QStringLiteral("Falta un número"),
                          QStringLiteral("La casilla «%1» está vacía. Escriba en ella %2 "
                                         "(0 si no hay ninguno).")
                              .arg(boxName, what),
                          details});
    if (usesGroupSeparators(text)) {
        QString corrected = text.trimmed();
        corrected.remove(QLocale().groupSeparator());
        return UserError({MessageKind::Warning, QStringLiteral("Número no válido"),
                          QStringLiteral("La casilla «%1» contiene «%2». Escriba el número sin "
                                         "separador de miles: %3.")
                              .arg(boxName, text.trimmed(), corrected),
                          details});
    }
    if (usesOtherSeparator(text, separator)) {
        if (kind == BoxNumber::Count)
            return notACount;
        QString corrected = text.trimmed();
        corrected.replace(separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(','),
                          separator);
        return UserError({MessageKind::Warning, QStringLiteral("Separador decimal incorrecto"),
                          QStringLiteral("En la casilla «%1», «%2» usa un separador decimal que "
                                         "no es el de su configuración regional. Escriba los "
                                         "decimales con «%3»: %4.")
                              .arg(boxName, text.trimmed(), QString(separator), corrected),
                          details});
    }
    if (kind == BoxNumber::Count) {
        // A number that is not a count (a sign, decimals) reads as one; anything else does not.
        try {
            numeric::textToDouble(text);
            return notACount;
        } catch (const numeric::RuntimeError&) {
        }
        return UserError({MessageKind::Warning, QStringLiteral("Número no válido"),
                          QStringLiteral("La casilla «%1» contiene «%2», que no es un número "
                                         "entero. Escriba solo cifras: un número de 0 a 32767.")
                              .arg(boxName, text.trimmed()),
                          details});
    }
    return UserError({MessageKind::Warning, QStringLiteral("Número no válido"),
                      QStringLiteral("La casilla «%1» contiene «%2», que no es %3. Escriba solo "
                                     "cifras, con un signo menos delante si es negativo.")
                          .arg(boxName, text.trimmed(), what),
                      details});
}

void noteFailingBox(QWidget* box)
{
    g_failingBox = box;
}

void setMessageOwner(QWidget* window)
{
    g_owner = window;
}

QString askSaveFileName(const QString& title, const QString& proposedPath, const QString& filter)
{
    if (g_saveFileHook)
        return g_saveFileHook(proposedPath);
    return QFileDialog::getSaveFileName(owner(), title, proposedPath, filter);
}

QString askOpenFileName(const QString& title, const QString& folder, const QString& filter)
{
    if (g_openFileHook)
        return g_openFileHook(folder);
    return QFileDialog::getOpenFileName(owner(), title, folder, filter);
}

PrintOutcome printPages(const QString& documentName, double marginMillimetres,
                        const PagePainter& paint, QString* why)
{
    // Installed beside the program's libraries, at the same place relative to the program in the
    // build folder; loaded once and kept.
    const QString path = !g_printModule.isEmpty()
                             ? g_printModule
                             : QDir(QCoreApplication::applicationDirPath())
                                   .filePath(QStringLiteral(MARKII_PRINT_MODULE));
    static std::unique_ptr<QPluginLoader> loader;
    static QString loaderPath;
    if (!loader || loaderPath != path) {
        loader = std::make_unique<QPluginLoader>(path);
        loaderPath = path;
    }
    auto* service = qobject_cast<PrintService*>(loader->instance());
    if (!service) {
        qCWarning(lcRuntime) << "print module:" << loader->errorString();
        if (why)
            *why = QStringLiteral("Falta el módulo de impresión del programa (%1) o no se puede "
                                  "cargar. Vuelva a instalar el programa.")
                       .arg(QDir::toNativeSeparators(path));
        return PrintOutcome::Unavailable;
    }
    return service->print(owner(), documentName, marginMillimetres, paint, g_printHook);
}

void copyText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString documentsFolder()
{
    // Without a documents folder the dialog would open wherever the program was started from.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

void setMessageHook(MessageHook hook)
{
    g_messageHook = std::move(hook);
}

void setSaveFileHook(SaveFileHook hook)
{
    g_saveFileHook = std::move(hook);
}

void setOpenFileHook(OpenFileHook hook)
{
    g_openFileHook = std::move(hook);
}

void setPrintHook(PrintHook hook)
{
    g_printHook = std::move(hook);
}

void setPrintModule(const QString& path)
{
    g_printModule = path;
}

void noteUnsavedData()
{
    g_unsavedData = true;
}

bool hasUnsavedData()
{
    return g_keeper.unsaved ? g_keeper.unsaved() : g_unsavedData;
}

void setWorkKeeper(WorkKeeper keeper)
{
    g_keeper = std::move(keeper);
}

bool mayDiscardWork()
{
    if (!hasUnsavedData())
        return true;
    switch (showMessage({MessageKind::SaveChanges, QStringLiteral("Método MARK II"),
                         QStringLiteral("¿Desea guardar los cambios de la estimación antes de "
                                        "salir?"),
                         QString()})) {
    case Answer::Save:
        return g_keeper.save && g_keeper.save();
    case Answer::Discard:
        return true;
    default:
        return false;
    }
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
    g_unsavedData = false;
    g_dispatchDepth = 0;
}

} // namespace toolkit
