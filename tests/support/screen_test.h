#pragma once

// Helpers for tests that drive the screens as a user does: find a control's widget by its
// name, click, type, press keys, and answer the message boxes that come up.

#include "toolkit/screen.h"

#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace support {

// Every test starts a fresh run of the program under Spanish settings.
void freshRun();

// The widget of a screen's control, by the control's name; fails the test if missing.
template <class W = QWidget> W* widget(const toolkit::Screen& screen, const char* name)
{
    QWidget* window = screen.window();
    if (!window)
        return nullptr;
    return window->findChild<W*>(QString::fromLatin1(name));
}

// A left click in the middle of the widget.
void click(QWidget* widget);
// Clicks a screen's button by name; fails the test if it is missing or disabled.
void press(const toolkit::Screen& screen, const char* button);
// Types into a screen's box by name, replacing what it held.
void type(const toolkit::Screen& screen, const char* box, const QString& text);
// Picks a list entry of a screen's combo with the arrow keys, as the user does.
void pick(const toolkit::Screen& screen, const char* combo, int position);
// What a screen's box or label shows, by name.
QString shown(const toolkit::Screen& screen, const char* name);
// Replaces the text of a box as the user does: select all, then type.
void type(QLineEdit* box, const QString& text);
// One key to the focused widget of the screen's window.
void key(const toolkit::Screen& screen, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Answers every message box shown while it lives with OK, keeping what each said.
class MessageCatcher final : public QObject
{
    Q_OBJECT

public:
    MessageCatcher();

    QStringList titles;
    QStringList texts;
    int count() const { return static_cast<int>(texts.size()); }

private:
    void poll();
    QTimer m_timer;
};

} // namespace support
