#include "toolkit/screen.h"

#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"
#include "toolkit/scale.h"
#include "toolkit/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <type_traits>

namespace toolkit {

namespace {

// The screen that is the program's active window, so that Form_Activate runs once per
// activation however many window-system events announce it.
Screen* g_active = nullptr;
// Every screen object, and the one hidden last.
std::vector<Screen*> g_screens;
QPointer<Screen> g_hiddenLast;

struct ProgramCommand
{
    const char* name;
    QString text;
    QKeySequence shortcut;
    Handler handler;
};
std::vector<ProgramCommand> g_programCommands;

// The screens were placed on a desktop of 800 x 600 pixels.
constexpr QSize kDesignDesktop(800, 600);

// The display a new window goes to: the one showing the program's active window or the screen
// just hidden, else the primary one.
QRect availableArea()
{
    const QWidget* anchor = QApplication::activeWindow();
    if (!anchor && g_hiddenLast)
        anchor = g_hiddenLast->window();
    const QScreen* display = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    return display ? display->availableGeometry() : QRect(QPoint(0, 0), kDesignDesktop);
}

// The frame moved back inside the area; where it is larger, its top left corner stays in.
QRect keptInside(QRect frame, const QRect& area)
{
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    return frame;
}

// The design of a screen, scrolled where the display is smaller than the design. The keys belong
// to the screen: the arrow keys go from control to control, never scroll the design away.
class DesignScroll final : public QScrollArea
{
public:
    explicit DesignScroll(QWidget* parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
        verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(false);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // The window's own background shows through.
        viewport()->setAutoFillBackground(false);
        setAutoFillBackground(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
};

} // namespace

// The window of a screen: routes Enter, Escape, the close box and activation to its screen.
class ScreenWindow final : public QWidget
{
public:
    explicit ScreenWindow(Screen* screen) : m_screen(screen) { detail::skipSilentChildren(this); }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && !isHidden() && m_screen)
            dispatch([this] { m_screen->activate(); });
        return QWidget::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_screen || event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
            QWidget::keyPressEvent(event);
            return;
        }
        switch (event->key()) {
        case Qt::Key_F10:
            // Shift+F10 opens the context menu, as the Menu key does.
            if (event->modifiers() & Qt::ShiftModifier) {
                openContextMenu();
                break;
            }
            QWidget::keyPressEvent(event);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_screen->onEnter();
            break;
        case Qt::Key_Escape:
            m_screen->onEscape();
            break;
        case Qt::Key_Up:
        case Qt::Key_Left:
        case Qt::Key_Down:
        case Qt::Key_Right:
            // On a page of values read line by line, the arrow keys go from line to line.
            if (qobject_cast<QLabel*>(focusWidget())) {
                focusNextPrevChild(event->key() == Qt::Key_Down || event->key() == Qt::Key_Right);
                break;
            }
            QWidget::keyPressEvent(event);
            break;
        default:
            QWidget::keyPressEvent(event);
        }
    }

    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        if (!programEnded() && m_screen)
            dispatch([this] { m_screen->onCloseBox(); });
    }

private:
    void openContextMenu()
    {
        QWidget* target = focusWidget() ? focusWidget() : this;
        const QPoint at = target->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &menu);
    }

    // An unloaded window may outlive its screen until Qt deletes it.
    QPointer<Screen> m_screen;
};

Screen::Screen(const char* className)
{
    setObjectName(QString::fromLatin1(className));
    g_screens.push_back(this);
}

Screen::~Screen()
{
    if (g_active == this)
        g_active = nullptr;
    std::erase(g_screens, this);
    delete m_window.data();
}

void Screen::keepOneVisible()
{
    if (std::ranges::any_of(g_screens, &Screen::isShown))
        return;
    if (g_hiddenLast && g_hiddenLast->isLoaded())
        g_hiddenLast->Show();
}

QWidget* Screen::window() const
{
    return m_window.data();
}

bool Screen::isShown() const
{
    return m_window && m_window->isVisible();
}

void Screen::load()
{
    if (m_window)
        return;
    // A screen being built is not on the display yet: assistive tools hear of it when it is
    // shown, not of each of its controls and list items as they are made.
    const QAccessible::UpdateHandler announcing =
        QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
    const auto restore =
        qScopeGuard([announcing] { QAccessible::installUpdateHandler(announcing); });

    detail::installAccessibility();
    m_window = new ScreenWindow(this);
    m_window->setObjectName(objectName());
    m_window->setFont(scaledFont(defaultFont()));
    buildSurface();
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_tabStops.clear();
    m_placed = false;
    design();
    finishDesign();
    for (const ProgramCommand& command : g_programCommands)
        addAction(m_window, command.name, command.text, command.shortcut, command.handler);
    m_focusPending = true;
    Form_Load();
}

void Screen::buildSurface()
{
    auto* scroll = new DesignScroll(m_window);
    m_surface = new QWidget;
    m_surface->setObjectName(QStringLiteral("design"));
    // The grid lines and repeated captions drawn on it are not heard.
    detail::skipSilentChildren(m_surface);
    scroll->setWidget(m_surface);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    m_scroll = scroll;
    // The control that takes the focus is scrolled into sight.
    QObject::connect(qApp, &QApplication::focusChanged, m_window, [this](QWidget*, QWidget* now) {
        if (now && m_scroll && m_surface && m_surface->isAncestorOf(now))
            m_scroll->ensureWidgetVisible(now, 4, 4);
    });
}

QSize Screen::designSize() const
{
    return m_surface ? m_surface->size() : QSize();
}

void Screen::fitToDisplay(const QRect& area)
{
    // The design's size where the display has room; else the room there is, with scroll bars.
    const QRect frame = expectedFrame();
    const QSize decorations = frame.size() - m_window->size();
    const QSize room = area.size() - decorations;
    const QSize design = designSize();
    QSize size = design.boundedTo(room);
    const int bar = m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (size.height() < design.height())
        size.setWidth(std::min(room.width(), design.width() + bar));
    if (size.width() < design.width())
        size.setHeight(std::min(room.height(), design.height() + bar));
    if (m_border == Border::FixedDialog) {
        m_window->setFixedSize(size);
    } else {
        // However the user drags its border, the designed client area stays whole where the
        // display allows it.
        m_window->setMinimumSize(size);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    m_window->resize(size);
}

void Screen::Show()
{
    load();
    if (!m_window->isVisible()) {
        const bool placing = !m_placed;
        if (placing) {
            m_placed = true;
            placeOnDisplay();
        }
        m_window->show();
        // The first window shown learns its decorations only now: fitted again with them.
        const QRect area = availableArea();
        if (placing && !area.contains(m_window->frameGeometry())) {
            fitToDisplay(area);
            m_window->move(keptInside(m_window->frameGeometry(), area).topLeft());
        }
    }
    m_window->raise();
    m_window->activateWindow();
    if (m_focusPending) {
        m_focusPending = false;
        focusFirst();
    }
    activate();
}

void Screen::showBeside(Screen& other)
{
    load();
    if (!m_window->isVisible() && other.isShown())
        m_placed = placeBeside(other) || m_placed;
    Show();
}

// The window's frame, with the decorations it will get: before its first showing a window does
// not know them yet, so those of a screen already shown stand in.
QRect Screen::expectedFrame() const
{
    QRect frame = m_window->frameGeometry();
    if (m_window->testAttribute(Qt::WA_WState_Created) && m_window->isVisible())
        return frame;
    for (const Screen* shown : g_screens) {
        if (shown != this && shown->isShown()) {
            const QWidget* other = shown->window();
            const QMargins margins(other->geometry().left() - other->frameGeometry().left(),
                                   other->geometry().top() - other->frameGeometry().top(),
                                   other->frameGeometry().right() - other->geometry().right(),
                                   other->frameGeometry().bottom() - other->geometry().bottom());
            return m_window->geometry().marginsAdded(margins);
        }
    }
    return frame;
}

void Screen::placeOnDisplay()
{
    const QRect area = availableArea();
    fitToDisplay(area);
    QRect frame = expectedFrame();
    if (m_designPosition) {
        // The design's desktop is centred on this one, so the screens keep their places
        // relative to each other whatever the display's size.
        const QPoint desktop =
            area.center() - QPoint(kDesignDesktop.width() / 2, kDesignDesktop.height() / 2);
        frame.moveTopLeft(desktop + *m_designPosition);
    } else {
        frame.moveCenter(area.center());
    }
    m_window->move(keptInside(frame, area).topLeft());
}

bool Screen::placeBeside(Screen& other)
{
    const QRect area = availableArea();
    fitToDisplay(area);
    QRect beside = other.window()->frameGeometry();
    constexpr int gap = 8;
    QRect frame = expectedFrame();
    if (frame.width() + gap + beside.width() > area.width())
        return false;
    // Where neither side of the other screen has room, the pair is centred on the display.
    if (beside.right() + gap + frame.width() > area.right() &&
        beside.left() - gap - frame.width() < area.left()) {
        beside.moveLeft(area.left() + (area.width() - frame.width() - gap - beside.width()) / 2);
        other.window()->move(beside.topLeft());
    }
    // To the right of the other screen, else to its left; up or down as the display needs.
    frame.moveTop(beside.top());
    frame.moveLeft(beside.right() + 1 + gap);
    if (frame.right() > area.right())
        frame.moveRight(beside.left() - 1 - gap);
    m_window->move(keptInside(frame, area).topLeft());
    return true;
}

void Screen::Hide()
{
    if (!m_window)
        return;
    g_hiddenLast = this;
    m_window->hide();
    if (g_active == this)
        g_active = nullptr;
}

void Screen::Unload()
{
    if (!m_window)
        return;
    Hide();
    // The handler that unloads may still be running inside one of these widgets.
    m_window->deleteLater();
    m_window = nullptr;
    m_tabStops.clear();
    for (const QPointer<Control>& control : m_controls) {
        if (control)
            control->markUnloaded();
    }
    m_controls.clear();
}

void Screen::activate()
{
    if (g_active == this || !isShown())
        return;
    g_active = this;
    setMessageOwner(m_window);
    Form_Activate();
}

void Screen::closeBox()
{
    // Closing ends the program, as the first screen's Cancelar does; unsaved work is not thrown
    // away without asking.
    if (mayDiscardWork())
        endProgram();
}

void Screen::onCloseBox()
{
    closeBox();
}

void Screen::onEnter()
{
    // A focused button takes Enter itself; elsewhere the default button does.
    if (auto* focused = qobject_cast<QPushButton*>(m_window->focusWidget());
        focused && focused->isEnabled()) {
        focused->click();
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(m_defaultButton.data());
        button && button->isEnabled() && button->isVisible())
        button->click();
}

void Screen::onEscape()
{
    if (auto* button = qobject_cast<QPushButton*>(m_cancelButton.data());
        button && button->isEnabled() && button->isVisible())
        button->click();
    else if (m_escapeCloses && !m_cancelButton)
        dispatch([this] { onCloseBox(); }); // as the close box is, so a failure becomes a message
}

void Screen::focusFirst()
{
    for (const TabStop& stop : m_tabStops) {
        QWidget* widget = stop.widget;
        if (widget->isEnabled() && !widget->isHidden() && widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void Screen::finishDesign()
{
    if (m_border == Border::FixedDialog) {
        // Fixed dialog: no minimise or maximise box, no resizing, no task bar entry.
        m_window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        m_window->setFixedSize(designSize());
    } else {
        m_window->setWindowFlags(Qt::Window);
        m_window->setMinimumSize(designSize());
    }

    std::stable_sort(m_tabStops.begin(), m_tabStops.end(),
                     [](const TabStop& a, const TabStop& b) { return a.tabIndex < b.tabIndex; });
    QWidget* previous = nullptr;
    for (const TabStop& stop : m_tabStops) {
        if (stop.widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, stop.widget);
        previous = stop.widget;
    }
}

// ---------------------------------------------------------------------------------------------
// Design-time properties

void Screen::setCaption(const QString& caption)
{
    m_caption = caption;
    m_window->setWindowTitle(caption);
}

void Screen::setClientSize(int widthTwips, int heightTwips)
{
    const QSize size(scaledPixels(widthTwips), scaledPixels(heightTwips));
    m_surface->setFixedSize(size);
    m_window->resize(size);
}

void Screen::setBorder(Border border)
{
    m_border = border;
}

void Screen::setDesignPosition(int leftTwips, int topTwips)
{
    m_designPosition = QPoint(toPixels(leftTwips), toPixels(topTwips));
}

void Screen::setBackColor(const QColor& color)
{
    // The text colour comes with the background, whatever the desktop's scheme.
    const QColor text = detail::textColorOn(color);
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, text);
    m_window->setPalette(palette);
    m_window->setAutoFillBackground(true);
}

void Screen::setDefaultButton(CommandButton* button)
{
    // The default button's caption is bold, so that it stands apart from the focused one.
    if (auto* old = qobject_cast<QPushButton*>(m_defaultButton.data())) {
        old->setDefault(false);
        QFont font = old->font();
        font.setBold(false);
        old->setFont(font);
    }
    m_defaultButton = button->widget();
    if (auto* push = qobject_cast<QPushButton*>(button->widget())) {
        push->setDefault(true);
        QFont font = push->font();
        font.setBold(true);
        push->setFont(font);
    }
}

void Screen::setCancelButton(CommandButton* button)
{
    m_cancelButton = button->widget();
}

void Screen::setEscapeCloses(bool closes)
{
    m_escapeCloses = closes;
}

void Screen::addCommand(const char* name, const QString& text, const QKeySequence& shortcut,
                        Handler handler)
{
    addAction(m_window, name, text, shortcut, handler);
    m_window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Screen::addProgramCommand(const char* name, const QString& text, const QKeySequence& shortcut,
                               Handler handler)
{
    if (std::ranges::any_of(g_programCommands, [name](const ProgramCommand& command) {
            return qstrcmp(command.name, name) == 0;
        }))
        return;
    g_programCommands.push_back({name, text, shortcut, std::move(handler)});
    for (const Screen* screen : g_screens) {
        if (screen->m_window)
            addAction(screen->m_window, name, text, shortcut, g_programCommands.back().handler);
    }
}

void Screen::addAction(QWidget* window, const char* name, const QString& text,
                       const QKeySequence& shortcut, const Handler& handler)
{
    auto* action = new QAction(text, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    QObject::connect(action, &QAction::triggered, window, [handler] { dispatch(handler); });
    window->addAction(action);
}

// ---------------------------------------------------------------------------------------------
// Controls

QWidget* Screen::parentFor(Frame* in) const
{
    return in ? in->container() : m_surface.data();
}

template <class C> C* Screen::own(C* control)
{
    m_controls.emplace_back(control);
    return control;
}

template <class W> W* Screen::place(W* widget, const char* name, Twips where, int tabIndex)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(scaledPixels(where));
    // A list takes the font from its parent where that is the same: setting a list's own font
    // makes Qt build its drop-down list at once, long before the user opens it.
    if (!std::is_base_of_v<QComboBox, W> ||
        widget->parentWidget()->font() != scaledFont(defaultFont()))
        widget->setFont(scaledFont(defaultFont()));
    m_tabStops.push_back({tabIndex, widget});
    return widget;
}

TextBox* Screen::addTextBox(const char* name, Twips where, int tabIndex, Frame* in)
{
    auto* edit = place(new detail::BoxWidget(parentFor(in)), name, where, tabIndex);
    return own(new TextBox(edit));
}

Label* Screen::addLabel(const char* name, const QString& caption, Twips where, int tabIndex,
                        Frame* in)
{
    auto* label = place(new QLabel(caption, parentFor(in)), name, where, tabIndex);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return own(new Label(label));
}

CommandButton* Screen::addButton(const char* name, const QString& caption, Twips where,
                                 int tabIndex, Frame* in)
{
    auto* button = place(new detail::ButtonWidget(caption, parentFor(in)), name, where, tabIndex);
    button->setAutoDefault(false);
    return own(new CommandButton(button));
}

OptionButton* Screen::addOption(const char* name, Twips where, int tabIndex, Frame* in)
{
    QWidget* container = parentFor(in);
    auto* button = place(new detail::OptionWidget(container), name, where, tabIndex);
    // One exclusive group per container. Qt's auto-exclusivity would reach into nested frames.
    auto* group = container->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (!group)
        group = new QButtonGroup(container);
    group->addButton(button);
    return own(new OptionButton(button));
}

ComboBox* Screen::addComboBox(const char* name, Twips where, int tabIndex, Frame* in)
{
    auto* combo = place(new detail::DropDownWidget(parentFor(in)), name, where, tabIndex);
    return own(new ComboBox(combo));
}

Frame* Screen::addFrame(const char* name, const QString& caption, Twips where, int tabIndex,
                        Frame* in)
{
    auto* box = place(new QGroupBox(caption, parentFor(in)), name, where, tabIndex);
    box->setFocusPolicy(Qt::NoFocus);
    detail::skipSilentChildren(box);
    return own(new Frame(box));
}

ListBox* Screen::addListBox(const char* name, Twips where, int tabIndex, Frame* in)
{
    auto* view = place(new detail::ListWidget(parentFor(in)), name, where, tabIndex);
    return own(new ListBox(view));
}

Line* Screen::addLine(const char* name, int x1, int y1, int x2, int y2, Frame* in)
{
    auto* stroke = new QWidget(parentFor(in));
    stroke->setObjectName(QString::fromLatin1(name));
    const int left = scaledPixels(std::min(x1, x2));
    const int top = scaledPixels(std::min(y1, y2));
    const int width = scaledPixels(std::max(x1, x2)) - left + 1;
    const int height = scaledPixels(std::max(y1, y2)) - top + 1;
    stroke->setGeometry(left, top, width, height);
    // Drawn in the text colour: plain on a light scheme and on a dark one.
    stroke->setBackgroundRole(QPalette::WindowText);
    stroke->setAutoFillBackground(true);
    stroke->setAttribute(Qt::WA_TransparentForMouseEvents);
    stroke->setFocusPolicy(Qt::NoFocus);
    // Lines are drawn on the screen's surface, under every control.
    stroke->lower();
    return own(new Line(stroke));
}

} // namespace toolkit
