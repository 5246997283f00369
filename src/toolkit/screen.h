#pragma once

#include "toolkit/controls.h"
#include "toolkit/geometry.h"

#include <QColor>
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <vector>

#include <QScrollArea>
#include <QWidget>

namespace toolkit {

class ScreenWindow;

// One screen of the program: a top-level window with its controls, fields and handlers.
// Creating a screen object does not load it; its window and controls come into being on the
// first Show or load(), when the design is built and Form_Load runs.
class Screen : public QObject
{
    Q_DISABLE_COPY_MOVE(Screen)

public:
    ~Screen() override;

    // Loads if needed, shows modeless and makes this the active screen (Form_Activate).
    void Show();
    // Shows this screen beside another one, where the display has room, so both stay in sight.
    void showBeside(Screen& other);
    // Turns invisible; fields and controls stay as they are.
    void Hide();
    // Destroys the window and its controls; the next Show loads the screen anew.
    void Unload();

    // Loads the screen without showing it, as using one of its controls does.
    void load();
    bool isLoaded() const { return m_window != nullptr; }
    bool isShown() const;

    QString caption() const { return m_caption; }
    // The window, while loaded; for tests and tools.
    QWidget* window() const;

    // After a user's action: the program never runs on with no screen in sight. If the last
    // action hid every screen (a failure between a Hide and the next Show), the screen hidden
    // last comes back.
    static void keepOneVisible();

    // A command of the whole program, on every screen loaded now or later: its shortcut, and an
    // entry in the screens' context menus where a screen has one. Registering a name again
    // keeps the first.
    static void addProgramCommand(const char* name, const QString& text,
                                  const QKeySequence& shortcut, Handler handler);

protected:
    explicit Screen(const char* className);

    enum class Border { Sizable, FixedDialog };

    // Builds the design-time window and controls and connects the handlers.
    virtual void design() = 0;
    // The close box: ends the program, after asking when the estimate holds data, unless a
    // screen decides otherwise.
    virtual void closeBox();

    // Design-time properties, called from design().
    void setCaption(const QString& caption);
    void setClientSize(int widthTwips, int heightTwips);
    void setBorder(Border border);
    void setDesignPosition(int leftTwips, int topTwips);
    void setBackColor(const QColor& color);
    // The button Enter presses; a handler moves it on to the next step of the screen.
    void setDefaultButton(CommandButton* button);
    void setCancelButton(CommandButton* button);
    // Escape closes the screen as its close box does (a screen without a cancel button).
    void setEscapeCloses(bool closes);
    // A command of the whole screen: in its context menu (right click, the Menu key or Shift+F10)
    // with its shortcut shown, and on the shortcut itself.
    void addCommand(const char* name, const QString& text, const QKeySequence& shortcut,
                    Handler handler);

    // Controls, placed in twips relative to the screen or to the frame given.
    TextBox* addTextBox(const char* name, Twips place, int tabIndex, Frame* in = nullptr);
    Label* addLabel(const char* name, const QString& caption, Twips place, int tabIndex,
                    Frame* in = nullptr);
    CommandButton* addButton(const char* name, const QString& caption, Twips place, int tabIndex,
                             Frame* in = nullptr);
    OptionButton* addOption(const char* name, Twips place, int tabIndex, Frame* in = nullptr);
    ComboBox* addComboBox(const char* name, Twips place, int tabIndex, Frame* in = nullptr);
    Frame* addFrame(const char* name, const QString& caption, Twips place, int tabIndex,
                    Frame* in = nullptr);
    Line* addLine(const char* name, int x1, int y1, int x2, int y2, Frame* in = nullptr);
    ListBox* addListBox(const char* name, Twips place, int tabIndex, Frame* in = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

private:
    friend class ScreenWindow;

    struct TabStop
    {
        int tabIndex;
        QWidget* widget;
    };

    QWidget* parentFor(Frame* in) const;
    template <class W> W* place(W* widget, const char* name, Twips where, int tabIndex);
    template <class C> C* own(C* control);
    void finishDesign();
    void buildSurface();
    QSize designSize() const;
    void fitToDisplay(const QRect& area);
    static void addAction(QWidget* window, const char* name, const QString& text,
                          const QKeySequence& shortcut, const Handler& handler);
    QRect expectedFrame() const;
    void placeOnDisplay();
    bool placeBeside(Screen& other);
    void focusFirst();
    void activate();
    void onCloseBox();
    void onEnter();
    void onEscape();

    QString m_caption;
    QPointer<QWidget> m_window;
    // The design's controls stand on this surface, inside a scroll area that fills the window.
    QPointer<QWidget> m_surface;
    QPointer<QScrollArea> m_scroll;
    std::vector<TabStop> m_tabStops;
    std::vector<QPointer<Control>> m_controls;
    QPointer<QWidget> m_defaultButton;
    QPointer<QWidget> m_cancelButton;
    std::optional<QPoint> m_designPosition;
    Border m_border = Border::Sizable;
    bool m_placed = false;
    bool m_focusPending = false;
    bool m_escapeCloses = false;
};

} // namespace toolkit
