#pragma once

// The controls the screens are made of. Each wraps one Qt widget and gives it the behaviour the
// screens rely on; screens never touch the widgets themselves. A control's widget carries the
// control's name as its objectName.

#include "numeric/numeric.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace toolkit {

class Label;

// The colours of the user's desktop theme, by their role.
enum class SystemColor { Highlight, HighlightText };
QColor systemColor(SystemColor role);

class Control : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Control)

public:
    QWidget* widget() const { return m_widget; }
    QString name() const;

    bool isEnabled() const;
    void setEnabled(bool enabled);
    bool isVisible() const;
    void setVisible(bool visible);
    // Moves the keyboard focus here, as a convenience for the user; no handler runs.
    void setFocus();
    void setFont(const QFont& font);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);

    // What a screen reader (and an error message) calls the control.
    QString accessibleName() const;
    void setAccessibleName(const QString& name);
    // The caption beside the control names it; its access key, if any, leads to the control.
    void describedBy(Label* label);

protected:
    explicit Control(QWidget* widget);

private:
    QWidget* m_widget;
};

class TextBox final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextBox)

public:
    explicit TextBox(QLineEdit* edit);

    QString text() const;
    // Raises Change inside the call when the text differs from the current one; an equal text
    // raises nothing.
    void setText(const QString& text);
    bool isLocked() const;
    void setLocked(bool locked);

    // The text as a whole number or a double; a failure names this box.
    numeric::Integer toInteger() const;
    double toDouble() const;

signals:
    void Change();

private:
    QLineEdit* m_edit;
};

class Label final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Label)

public:
    enum class Alignment { Left, Center, Right };

    explicit Label(QLabel* label);

    QString caption() const;
    // Raises Change inside the call when the caption differs from the current one.
    void setCaption(const QString& caption);
    void setAlignment(Alignment alignment);
    // Captions wrap onto further lines of the label's box unless told to keep to one line.
    void setWordWrap(bool wrap);

signals:
    void Change();
    void Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_label;
};

class CommandButton final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandButton)

public:
    explicit CommandButton(QPushButton* button);

    QString caption() const;
    // Presses the button as the user would, if it is enabled.
    void press();

signals:
    void Click();

private:
    QPushButton* m_button;
};

class OptionButton final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionButton)

public:
    explicit OptionButton(QRadioButton* button);

    // True reads as -1, False as 0.
    numeric::Integer value() const;
    // Value is True.
    bool isSelected() const { return value() == -1; }
    // False clears the button silently; True selects it and raises Click.
    void setValue(bool selected);

signals:
    void Click();

private:
    QRadioButton* m_button;
};

class ComboBox final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ComboBox)

public:
    explicit ComboBox(QComboBox* combo);

    // Appends an item at the next free position; nothing becomes selected.
    void addItem(const QString& item);
    int listCount() const;
    // 0-based position of the item the user picked last, -1 for none (also after typing).
    numeric::Integer listIndex() const;
    QString text() const;

signals:
    // The user picked an item from the list, with the mouse or the arrow keys. Typing in the
    // text field picks nothing.
    void Click();

private:
    QComboBox* m_combo;
    numeric::Integer m_listIndex = -1;
};

class Frame final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Frame)

public:
    explicit Frame(QGroupBox* box);
    // Fills the whole frame, caption strip included; the style's own tinted panel would show.
    void setBackColor(const QColor& color);
    // The frame's caption uses this font; the controls inside keep their own.
    void setCaptionFont(const QFont& font);
    QWidget* container() const;

private:
    void paint(const QString& background);

    QGroupBox* m_box;
};

class Line final : public Control
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Line)

public:
    explicit Line(QWidget* stroke);
};

} // namespace toolkit
