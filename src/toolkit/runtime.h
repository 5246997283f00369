#pragma once

#include "numeric/runtime_error.h"
#include "toolkit/print_service.h"

#include <QList>
#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace toolkit {

// Runs a handler for something the user did. A run-time error raised anywhere inside it, nested
// handlers included, stops the handler at the failing step and is shown to the user; what the
// handler did before that step stays, and the program goes on. After the program has ended,
// nothing runs any more.
void dispatch(const std::function<void()>& handler);

// ---------------------------------------------------------------------------------------------
// Messages

enum class MessageKind {
    Warning,     // something the user can put right
    Critical,    // a fault of the program itself
    Question,    // Sí or No
    SaveChanges, // Guardar, Descartar or Cancelar, before the user's work would go
};

struct Message
{
    MessageKind kind = MessageKind::Warning;
    QString title;
    QString text;
    QString details; // for whoever reports a fault; hidden behind a button
};

enum class Answer { Ok, Yes, No, Save, Discard, Cancel };

// Shows a modal message box and returns the button pressed.
Answer showMessage(const Message& message);

// The screens' message box: prompt, title, exclamation icon, one OK button.
void messageBox(const QString& prompt, const QString& title);

// A question with "Sí" and "No"; "No" is the safe answer Escape gives.
bool askYesNo(const QString& question, const QString& title);

// While one lives, message boxes are not shown but gathered: for code that drives the screens
// itself and answers for what they say.
class HeldMessages final
{
    Q_DISABLE_COPY_MOVE(HeldMessages)

public:
    HeldMessages();
    ~HeldMessages();
    const QList<Message>& messages() const { return m_messages; }

private:
    friend Answer showMessage(const Message& message);
    QList<Message> m_messages;
    HeldMessages* m_outer;
};

// Something went wrong that the user should hear about in their own words.
class UserError final : public std::exception
{
public:
    explicit UserError(Message message);
    const Message& message() const noexcept { return m_message; }
    const char* what() const noexcept override;

private:
    Message m_message;
    QByteArray m_what;
};

// What a box holds: any number, a whole number, or a count (a whole number from 0 to 32767).
enum class BoxNumber { Any, Whole, Count };

// The message for a box whose text a conversion refused: what is wrong and how to put it right,
// naming the box by its caption. A box the user cannot see is never named as such.
UserError explainForBox(const numeric::RuntimeError& error, const QString& boxName,
                        const QString& text, bool hidden, BoxNumber kind);

// The box whose text a failing conversion read; after the message the focus goes back to it so
// that the user can correct it at once.
void noteFailingBox(QWidget* box);

// The window a message box belongs to, by default the program's active screen.
void setMessageOwner(QWidget* window);

// ---------------------------------------------------------------------------------------------
// Standard dialogs

// The save dialog: a path to write to, empty when the user cancels.
QString askSaveFileName(const QString& title, const QString& proposedPath, const QString& filter);

// The open dialog: an existing file to read, empty when the user cancels.
QString askOpenFileName(const QString& title, const QString& folder, const QString& filter);

// Asks for a printer and prints the pages on it. Unavailable when the print module that comes
// with the program cannot be loaded; *why (when given) then says what went wrong.
PrintOutcome printPages(const QString& documentName, double marginMillimetres,
                        const PagePainter& paint, QString* why = nullptr);

// Puts plain text on the clipboard.
void copyText(const QString& text);

// The user's documents folder, where a new file is proposed.
QString documentsFolder();

// ---------------------------------------------------------------------------------------------
// Hooks for tests: they answer in place of the user, and nothing modal ever waits for a person.

using MessageHook = std::function<Answer(const Message&)>;
using SaveFileHook = std::function<QString(const QString& proposedPath)>;
using OpenFileHook = std::function<QString(const QString& folder)>;
void setMessageHook(MessageHook hook);
void setSaveFileHook(SaveFileHook hook);
void setOpenFileHook(OpenFileHook hook);
void setPrintHook(PrintHook hook);
// Where the print module is looked for; empty: where the program was installed with it.
void setPrintModule(const QString& path);

// ---------------------------------------------------------------------------------------------
// The program as a whole

// The estimate now holds data that closing the program would lose.
void noteUnsavedData();
bool hasUnsavedData();

// The user's work as the layer that keeps it in files knows it: whether anything is unsaved, and
// how to save it (false when the user cancels or saving fails). Without one, the flag above
// tells, and there is no way to save.
struct WorkKeeper
{
    std::function<bool()> unsaved;
    std::function<bool()> save;
};
void setWorkKeeper(WorkKeeper keeper);

// Before the user's work would go (the program ends, another estimate opens): with unsaved work,
// asks whether to save it first. True to go on; false to stay where the user was.
bool mayDiscardWork();

// Ends the program: no handler runs after this, every window goes, and the event loop returns.
void endProgram();
bool programEnded();

// Lets a test start again after an end.
void resetProgram();

} // namespace toolkit
