#pragma once

#include "numeric/runtime_error.h"

#include <QString>

#include <functional>

class QWidget;

namespace toolkit {

// Runs a handler for something the user did. A run-time error raised anywhere inside it, nested
// handlers included, stops the handler at the failing step and is shown to the user; what the
// handler did before that step stays, and the program goes on. After the program has ended,
// nothing runs any more.
void dispatch(const std::function<void()>& handler);

// The modal message box of the screens: prompt, title, exclamation icon, one OK button.
void messageBox(const QString& prompt, const QString& title);

// Shows a run-time error the way dispatch() does.
void showRuntimeError(const numeric::RuntimeError& error);

// The box whose text a failing conversion read; after the message the focus goes back to it so
// that the user can correct it at once.
void noteFailingBox(QWidget* box);

// The window a message box belongs to, by default the program's active screen.
void setMessageOwner(QWidget* window);

// Ends the program: no handler runs after this, every window goes, and the event loop returns.
void endProgram();
bool programEnded();

// Lets a test start again after an end.
void resetProgram();

} // namespace toolkit
