#include "toolkit/screen.h"

#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace toolkit {

namespace {

// The screen that is the program's active window, so that Form_Activate runs once per
// activation however many window-system events announce it.
Screen* g_active = nullptr;

} // namespace

// The window of a screen: routes Enter, Escape, the close box and activation to its screen.
class ScreenWindow final : public QWidget
{
public:
    explicit ScreenWindow(Screen* screen) : m_screen(screen) {}

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
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_screen->onEnter();
            break;
        case Qt::Key_Escape:
            m_screen->onEscape();
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
    // An unloaded window may outlive its screen until Qt deletes it.
    QPointer<Screen> m_screen;
};

Screen::Screen(const char* className)
{
    setObjectName(QString::fromLatin1(className));
}

Screen::~Screen()
{
    if (g_active == this)
        g_active = nullptr;
    delete m_window.data();
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
    m_window = new ScreenWindow(this);
    m_window->setObjectName(objectName());
    m_window->setFont(defaultFont());
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_tabStops.clear();
    m_placed = false;
    design();
    finishDesign();
    m_focusPending = true;
    Form_Load();
}

void Screen::Show()
{
    load();
    if (!m_window->isVisible()) {
        if (!m_placed) {
            m_placed = true;
            if (m_designPosition) {
                m_window->move(*m_designPosition);
            } else if (const QScreen* display = QGuiApplication::primaryScreen()) {
                QRect frame = m_window->frameGeometry();
                frame.moveCenter(display->availableGeometry().center());
                m_window->move(frame.topLeft());
            }
        }
        m_window->show();
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        m_window->raise(); // a window manager's business; the offscreen platform has none
    m_window->activateWindow();
    if (m_focusPending) {
        m_focusPending = false;
        focusFirst();
    }
    activate();
}

void Screen::Hide()
{
    if (!m_window)
        return;
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
        m_window->setFixedSize(m_window->size());
    } else {
        m_window->setWindowFlags(Qt::Window);
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
    m_window->resize(toPixels(widthTwips), toPixels(heightTwips));
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
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window, color);
    m_window->setPalette(palette);
    m_window->setAutoFillBackground(true);
}

void Screen::setDefaultButton(CommandButton* button)
{
    if (auto* old = qobject_cast<QPushButton*>(m_defaultButton.data()))
        old->setDefault(false);
    m_defaultButton = button->widget();
    if (auto* push = qobject_cast<QPushButton*>(button->widget()))
        push->setDefault(true);
}

void Screen::setCancelButton(CommandButton* button)
{
    m_cancelButton = button->widget();
}

// ---------------------------------------------------------------------------------------------
// Controls

QWidget* Screen::parentFor(Frame* in) const
{
    return in ? in->container() : m_window.data();
}

template <class W> W* Screen::place(W* widget, const char* name, Twips where, int tabIndex)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(where.toPixels());
    widget->setFont(defaultFont());
    m_tabStops.push_back({tabIndex, widget});
    return widget;
}

TextBox* Screen::addTextBox(const char* name, Twips where, int tabIndex, Frame* in)
{
    auto* edit = place(new QLineEdit(parentFor(in)), name, where, tabIndex);
    return new TextBox(edit);
}

Label* Screen::addLabel(const char* name, const QString& caption, Twips where, int tabIndex,
                        Frame* in)
{
    auto* label = place(new QLabel(caption, parentFor(in)), name, where, tabIndex);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return new Label(label);
}

CommandButton* Screen::addButton(const char* name, const QString& caption, Twips where,
                                 int tabIndex, Frame* in)
{
    auto* button = place(new QPushButton(caption, parentFor(in)), name, where, tabIndex);
    button->setAutoDefault(false);
    return new CommandButton(button);
}

namespace {

// The whole area of an option button takes the click, not only its round mark: the screens'
// options have no caption of their own and a label beside them.
class OptionWidget final : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace

OptionButton* Screen::addOption(const char* name, Twips where, int tabIndex, Frame* in)
{
    QWidget* container = parentFor(in);
    auto* button = place(new OptionWidget(container), name, where, tabIndex);
    // One exclusive group per container. Qt's auto-exclusivity would reach into nested frames.
    auto* group = container->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (!group)
        group = new QButtonGroup(container);
    group->addButton(button);
    return new OptionButton(button);
}

ComboBox* Screen::addComboBox(const char* name, Twips where, int tabIndex, Frame* in)
{
    auto* combo = place(new QComboBox(parentFor(in)), name, where, tabIndex);
    return new ComboBox(combo);
}

Frame* Screen::addFrame(const char* name, const QString& caption, Twips where, int tabIndex,
                        Frame* in)
{
    auto* box = place(new QGroupBox(caption, parentFor(in)), name, where, tabIndex);
    box->setFocusPolicy(Qt::NoFocus);
    return new Frame(box);
}

Line* Screen::addLine(const char* name, int x1, int y1, int x2, int y2, Frame* in)
{
    auto* stroke = new QWidget(parentFor(in));
    stroke->setObjectName(QString::fromLatin1(name));
    const int left = toPixels(std::min(x1, x2));
    const int top = toPixels(std::min(y1, y2));
    const int width = toPixels(std::max(x1, x2)) - left + 1;
    const int height = toPixels(std::max(y1, y2)) - top + 1;
    stroke->setGeometry(left, top, width, height);
    QPalette palette = stroke->palette();
    palette.setColor(QPalette::Window, Qt::black);
    stroke->setPalette(palette);
    stroke->setAutoFillBackground(true);
    stroke->setAttribute(Qt::WA_TransparentForMouseEvents);
    stroke->setFocusPolicy(Qt::NoFocus);
    // Lines are drawn on the screen's surface, under every control.
    stroke->lower();
    return new Line(stroke);
}

} // namespace toolkit
