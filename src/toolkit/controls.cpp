#include "toolkit/controls.h"

#include "toolkit/runtime.h"
#include "toolkit/widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace toolkit {

namespace {

// A control that screen readers pass over: a caption whose control already says it, or a line
// of a grid.
class Silent final : public QAccessibleWidget
{
public:
    explicit Silent(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

} // namespace

QColor systemColor(SystemColor role)
{
    const QPalette palette = QGuiApplication::palette();
    return palette.color(role == SystemColor::Highlight ? QPalette::Highlight
                                                        : QPalette::HighlightedText);
}

// ---------------------------------------------------------------------------------------------
// The widgets

namespace detail {

void paintFocusRing(QWidget* widget, int inset)
{
    // Two crisp pixels in the theme's highlight colour: plain at any scale, unlike the dotted
    // hint some styles draw.
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(inset + 1, inset + 1, -inset - 1, -inset - 1));
}

void silence(QWidget* widget)
{
    // Registered for this widget alone, in place of the interface Qt would make for its class.
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    QAccessible::registerAccessibleInterface(new Silent(widget));
}

void OptionWidget::nextCheckState()
{
    const QScopedValueRollback clicking(m_clicking, true);
    QRadioButton::nextCheckState();
}

void OptionWidget::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    // The next option of the same group along the focus chain, round and round.
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    QWidget* candidate = this;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        auto* option = qobject_cast<QRadioButton*>(candidate);
        if (option && option != this && option->group() == group() && option->isEnabled() &&
            option->isVisible()) {
            option->setFocus(Qt::TabFocusReason);
            break;
        }
    } while (candidate != this);
    event->accept();
}

void OptionWidget::paintEvent(QPaintEvent* event)
{
    QRadioButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing(this, 1);
}

void ButtonWidget::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing(this, 3);
}

} // namespace detail

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(QWidget* widget) : QObject(widget), m_widget(widget) {}

void Control::raiseFromUser(const Handler& handler) const
{
    // The user acts only on what is on the screen: a click that Qt delivers late, after its
    // screen has been hidden or unloaded, is dropped.
    if (handler && m_widget->isVisible())
        dispatch(handler);
}

QString Control::name() const
{
    return m_widget->objectName();
}

bool Control::isEnabled() const
{
    return m_widget->isEnabled();
}

void Control::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}

bool Control::isVisible() const
{
    // The control's own property, whether or not its screen is shown at the moment.
    return !m_widget->isHidden();
}

void Control::setVisible(bool visible)
{
    m_widget->setHidden(!visible);
}

void Control::setFocus()
{
    m_widget->setFocus(Qt::OtherFocusReason);
}

void Control::setFont(const QFont& font)
{
    m_widget->setFont(font);
}

void Control::setBackColor(const QColor& color)
{
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
}

void Control::setForeColor(const QColor& color)
{
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    m_widget->setPalette(palette);
}

QString Control::accessibleName() const
{
    return m_widget->accessibleName();
}

void Control::setAccessibleName(const QString& name)
{
    m_widget->setAccessibleName(name);
}

void Control::setAccessibleDescription(const QString& description)
{
    m_widget->setAccessibleDescription(description);
}

void Control::describedBy(Label* label)
{
    auto* caption = qobject_cast<QLabel*>(label->widget());
    if (label->caption().contains(QLatin1Char('&')))
        caption->setBuddy(m_widget);
    if (m_widget->accessibleName().isEmpty())
        m_widget->setAccessibleName(label->caption().trimmed());
}

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(QLineEdit* edit) : Control(edit), m_edit(edit)
{
    // Every change that is not the program's own assignment is the user's edit: typing, pasting,
    // undoing, or an assistive tool writing into the box.
    connect(m_edit, &QLineEdit::textChanged, this, [this] { edited(); });
}

void TextBox::edited()
{
    if (m_assigning)
        return;
    if (m_edit->isReadOnly()) {
        // A locked box keeps its text, whatever writes to it from outside.
        const QScopedValueRollback assigning(m_assigning, true);
        m_edit->setText(m_text);
        return;
    }
    m_text = m_edit->text();
    raiseFromUser(m_change);
}

QString TextBox::text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    if (text == m_edit->text())
        return;
    {
        const QScopedValueRollback assigning(m_assigning, true);
        m_edit->setText(text);
    }
    m_text = text;
    if (m_change)
        m_change();
}

bool TextBox::isLocked() const
{
    return m_edit->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    m_edit->setReadOnly(locked);
}

template <class Read> auto TextBox::converted(Read read, bool wholeNumber) const
{
    try {
        return read(text());
    } catch (const numeric::RuntimeError& error) {
        noteFailingBox(m_edit);
        throw explainForBox(error, accessibleName().isEmpty() ? name() : accessibleName(), text(),
                            !isVisible(), wholeNumber);
    }
}

numeric::Integer TextBox::toInteger() const
{
    return converted([](const QString& text) { return numeric::textToInteger(text); }, true);
}

double TextBox::toDouble() const
{
    return converted([](const QString& text) { return numeric::textToDouble(text); }, false);
}

// ---------------------------------------------------------------------------------------------
// Label

Label::Label(QLabel* label) : Control(label), m_label(label)
{
    m_label->installEventFilter(this);
}

QString Label::caption() const
{
    return m_label->text();
}

void Label::setCaption(const QString& caption)
{
    if (caption == m_label->text())
        return;
    m_label->setText(caption);
    if (m_readable)
        updateReading();
    if (m_change)
        m_change();
}

void Label::setAlignment(Alignment alignment)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == Alignment::Center)
        horizontal = Qt::AlignHCenter;
    else if (alignment == Alignment::Right)
        horizontal = Qt::AlignRight;
    m_label->setAlignment(horizontal | Qt::AlignTop);
}

void Label::setWordWrap(bool wrap)
{
    m_label->setWordWrap(wrap);
}

void Label::readAsValueOf(const Label* caption, const Label* unit)
{
    m_readable = true;
    m_readCaption = caption;
    m_readUnit = unit;
    m_label->setFocusPolicy(Qt::StrongFocus);
    m_label->setStyleSheet(QStringLiteral("QLabel#%1:focus { background-color: palette(highlight); "
                                          "color: palette(highlighted-text); }")
                               .arg(m_label->objectName()));
    updateReading();
}

void Label::updateReading()
{
    // "PFNA  Batch = " reads "PFNA Batch".
    QString name = m_readCaption ? m_readCaption->caption().simplified() : QString();
    name.remove(QRegularExpression(QStringLiteral("\\s*=$")));
    QString reading = name.isEmpty() ? caption() : name + QStringLiteral(": ") + caption();
    if (m_readUnit && !m_readUnit->caption().trimmed().isEmpty())
        reading += QLatin1Char(' ') + m_readUnit->caption().trimmed();
    m_label->setAccessibleName(reading);
}

void Label::hideFromScreenReaders()
{
    detail::silence(m_label);
}

bool Label::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && event->type() == QEvent::MouseButtonRelease && m_label->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_label->rect().contains(mouse->position().toPoint()))
            raiseFromUser(m_click);
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// CommandButton

CommandButton::CommandButton(QPushButton* button) : Control(button), m_button(button)
{
    connect(m_button, &QPushButton::clicked, this, [this] { raiseFromUser(m_click); });
}

QString CommandButton::caption() const
{
    return m_button->text();
}

void CommandButton::press()
{
    if (m_button->isEnabled() && !m_button->isHidden())
        m_button->click();
}

// ---------------------------------------------------------------------------------------------
// OptionButton

OptionButton::OptionButton(detail::OptionWidget* button) : Control(button), m_button(button)
{
    // A click turns the option on and then reports the click; choosing the selected option again
    // reports the click alone. An option turned on from outside a click is an assistive tool's
    // choice.
    connect(m_button, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_clearing && !m_button->isClicking())
            chosen();
    });
    connect(m_button, &QRadioButton::clicked, this, [this] { chosen(); });
}

void OptionButton::chosen()
{
    raiseFromUser(m_click);
}

numeric::Integer OptionButton::value() const
{
    return m_button->isChecked() ? -1 : 0;
}

void OptionButton::clear()
{
    const QScopedValueRollback clearing(m_clearing, true);
    // An exclusive group refuses to clear its selected button; lift it for the write.
    QButtonGroup* group = m_button->group();
    if (group)
        group->setExclusive(false);
    m_button->setChecked(false);
    if (group)
        group->setExclusive(true);
}

// ---------------------------------------------------------------------------------------------
// ComboBox

ComboBox::ComboBox(QComboBox* combo) : Control(combo), m_combo(combo)
{
    // A plain drop-down list: typing a letter picks the first item that starts with it.
    m_combo->setEditable(false);
    // The wheel changes the list only while it has the focus; passing over it changes nothing.
    m_combo->setFocusPolicy(Qt::StrongFocus);
    m_combo->installEventFilter(this);

    // Every way of picking moves the current item; the keyboard and the mouse then also report an
    // activation, which must not count twice. An assistive tool's selection reports only the move.
    connect(m_combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0)
            return;
        m_reportedPick = index;
        raiseFromUser(m_click);
    });
    // An assistive tool picks by selecting an item of the closed list: that selection becomes the
    // pick. While the list is open, the selection only follows the user's browsing.
    connect(m_combo->view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (m_combo->view()->isVisible() || selected.indexes().isEmpty())
                    return;
                m_combo->setCurrentIndex(selected.indexes().first().row());
            });
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        if (index == m_reportedPick) {
            m_reportedPick = -1;
            return;
        }
        raiseFromUser(m_click);
    });
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_combo) {
        switch (event->type()) {
        case QEvent::Wheel:
            if (!m_combo->hasFocus()) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            // A new pick begins: picking the same item again is a pick too.
            m_reportedPick = -1;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ComboBox::addItems(const QStringList& items)
{
    const QScopedValueRollback filling(m_filling, true);
    const int current = m_combo->currentIndex();
    m_combo->addItems(items);
    // Qt selects the first item added to an empty list; the list starts with no selection.
    m_combo->setCurrentIndex(current);
}

int ComboBox::listCount() const
{
    return m_combo->count();
}

numeric::Integer ComboBox::listIndex() const
{
    return static_cast<numeric::Integer>(m_combo->currentIndex());
}

QString ComboBox::text() const
{
    return m_combo->currentText();
}

// ---------------------------------------------------------------------------------------------
// Frame and Line

Frame::Frame(QGroupBox* box) : Control(box), m_box(box)
{
    paint(QStringLiteral("palette(window)"));
}

void Frame::setBackColor(const QColor& color)
{
    paint(color.name());
    Control::setBackColor(color);
}

void Frame::paint(const QString& background)
{
    // A plain etched line with the caption set into it, as the screens were drawn; the style's
    // own group box panel would add a tint and put the caption above the line.
    m_box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background-color: %2; border: 1px solid "
                                        "#a0a0a0; margin-top: 0.5em; }"
                                        "QGroupBox#%1::title { subcontrol-origin: margin; "
                                        "left: 6px; padding: 0 2px; background-color: %2; }")
                             .arg(m_box->objectName(), background));
}

void Frame::setCaptionFont(const QFont& font)
{
    // The group box's own font draws the caption; its children keep the font they have.
    for (QWidget* child : m_box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(child->font());
    }
    m_box->setFont(font);
}

QString Frame::caption() const
{
    return m_box->title();
}

QWidget* Frame::container() const
{
    return m_box;
}

Line::Line(QWidget* stroke) : Control(stroke)
{
    detail::silence(stroke);
}

} // namespace toolkit
