#pragma once

// The Qt widgets behind the controls, where Qt's own behaviour differs from what the screens
// need. Internal to the toolkit.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace toolkit::detail {

// An option button without a caption of its own, beside a label that names it.
class OptionWidget final : public QRadioButton
{
public:
    explicit OptionWidget(QWidget* parent);

    // Inside a click, while Qt turns the option on; a change of state at any other time comes
    // from outside (an assistive tool).
    bool isClicking() const { return m_clicking; }

protected:
    // The whole area of the option takes the click, not only its round mark.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void nextCheckState() override;
    // The arrow keys only move the focus between the options: choosing one moves on to another
    // screen, which must never happen by browsing.
    void keyPressEvent(QKeyEvent* event) override;
    // With no caption, the style has nowhere to draw its focus mark: draw a plain one.
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_clicking = false;
};

// A command button whose focus is plain to see, apart from the default button's own mark.
class ButtonWidget final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A text box, with the program's own interface for assistive tools.
class BoxWidget final : public QLineEdit
{
public:
    explicit BoxWidget(QWidget* parent);

    // Where the caret is drawn, in the box's coordinates.
    QRect caretRect() const { return cursorRect(); }
};

// A drop-down list, with the program's own interface for assistive tools.
class ListWidget final : public QComboBox
{
public:
    explicit ListWidget(QWidget* parent);

    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Screen readers pass over this widget: its container leaves it out.
void silence(QWidget* widget);

// Draws a focus ring just inside the widget's rectangle, in the theme's highlight colour.
void paintFocusRing(QWidget* widget, int inset);

} // namespace toolkit::detail
