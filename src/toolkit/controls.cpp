#include "toolkit/controls.h"

#include "toolkit/runtime.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

namespace toolkit {

QColor systemColor(SystemColor role)
{
    const QPalette palette = QGuiApplication::palette();
    return palette.color(role == SystemColor::Highlight ? QPalette::Highlight
                                                        : QPalette::HighlightedText);
}

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(QWidget* widget) : QObject(widget), m_widget(widget) {}

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

void Control::describedBy(Label* label)
{
    auto* caption = qobject_cast<QLabel*>(label->widget());
    caption->setBuddy(m_widget);
    if (m_widget->accessibleName().isEmpty())
        m_widget->setAccessibleName(label->caption().trimmed());
}

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(QLineEdit* edit) : Control(edit), m_edit(edit)
{
    // Only the user's edits come through here; assignments from code raise Change themselves.
    connect(m_edit, &QLineEdit::textEdited, this, [this] { dispatch([this] { emit Change(); }); });
}

QString TextBox::text() const
{
    return m_edit->text();
}

void TextBox::setText(const QString& text)
{
    if (text == m_edit->text())
        return;
    m_edit->setText(text);
    emit Change();
}

bool TextBox::isLocked() const
{
    return m_edit->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    m_edit->setReadOnly(locked);
}

numeric::Integer TextBox::toInteger() const
{
    try {
        return numeric::textToInteger(text());
    } catch (numeric::RuntimeError& error) {
        error.setSubject(accessibleName().isEmpty() ? name() : accessibleName());
        noteFailingBox(m_edit);
        throw;
    }
}

double TextBox::toDouble() const
{
    try {
        return numeric::textToDouble(text());
    } catch (numeric::RuntimeError& error) {
        error.setSubject(accessibleName().isEmpty() ? name() : accessibleName());
        noteFailingBox(m_edit);
        throw;
    }
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
    emit Change();
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

bool Label::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && event->type() == QEvent::MouseButtonRelease && m_label->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_label->rect().contains(mouse->position().toPoint()))
            dispatch([this] { emit Click(); });
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// CommandButton

CommandButton::CommandButton(QPushButton* button) : Control(button), m_button(button)
{
    connect(m_button, &QPushButton::clicked, this, [this] { dispatch([this] { emit Click(); }); });
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

OptionButton::OptionButton(QRadioButton* button) : Control(button), m_button(button)
{
    // clicked comes only from the user, and also when the option was already selected: choosing
    // it again is a choice too.
    connect(m_button, &QRadioButton::clicked, this, [this] { dispatch([this] { emit Click(); }); });
}

numeric::Integer OptionButton::value() const
{
    return m_button->isChecked() ? -1 : 0;
}

void OptionButton::setValue(bool selected)
{
    if (!selected) {
        // An exclusive group refuses to clear its selected button; lift it for the write.
        QButtonGroup* group = m_button->group();
        if (group)
            group->setExclusive(false);
        m_button->setChecked(false);
        if (group)
            group->setExclusive(true);
        return;
    }
    m_button->setChecked(true);
    emit Click();
}

// ---------------------------------------------------------------------------------------------
// ComboBox

ComboBox::ComboBox(QComboBox* combo) : Control(combo), m_combo(combo)
{
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setCompleter(nullptr);
    // On leaving the text field, Qt would select an item whose text was typed in full. Typing
    // must pick nothing, so that step is cut off.
    QObject::disconnect(m_combo->lineEdit(), &QLineEdit::editingFinished, m_combo, nullptr);
    connect(m_combo->lineEdit(), &QLineEdit::textEdited, this, [this] { m_listIndex = -1; });
    // A picked item shows from its start even where the field is too narrow for all of it.
    connect(m_combo, &QComboBox::currentIndexChanged, this,
            [this] { m_combo->lineEdit()->home(false); });
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        m_listIndex = static_cast<numeric::Integer>(index);
        dispatch([this] { emit Click(); });
    });
}

void ComboBox::addItem(const QString& item)
{
    m_combo->addItem(item);
    if (m_listIndex == -1) {
        // Qt selects the first item added to an empty list; the list starts with no selection.
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(QString());
    }
}

int ComboBox::listCount() const
{
    return m_combo->count();
}

numeric::Integer ComboBox::listIndex() const
{
    return m_listIndex;
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
    // The group box's own font draws the caption; its children set theirs explicitly.
    m_box->setFont(font);
}

QWidget* Frame::container() const
{
    return m_box;
}

Line::Line(QWidget* stroke) : Control(stroke) {}

} // namespace toolkit
