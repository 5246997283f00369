#pragma once

// The Qt widgets behind the controls, where Qt's own behaviour differs from what the screens
// need. Internal to the toolkit.

#include <QColor>
#include <QList>
#include <QPushButton>
#include <QRadioButton>

namespace toolkit::detail {

// An option button without a caption of its own, beside a label that names it.
class OptionWidget final : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

    // Inside a click, while Qt turns the option on; a change of state at any other time comes
    // from outside (an assistive tool).
    bool isClicking() const { return m_clicking; }
    // The focus ring is drawn around the option and its caption together, not here.
    void setRingedWithCaption(bool ringed) { m_ringedWithCaption = ringed; }

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
    bool m_ringedWithCaption = false;
};

// A command button whose focus is plain to see, apart from the default button's own mark.
class ButtonWidget final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A focus ring around a control and the captions of its line, while the control has the focus.
// All of them stand in the same container.
class FocusFrame final : public QWidget
{
public:
    FocusFrame(QWidget* focus, const QList<QWidget*>& around);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_focus;
};

// Black or white, whichever reads better on the background: a colour set for a background always
// comes with its text colour, so that no desktop scheme puts white text on a white page.
QColor textColorOn(const QColor& background);

// Screen readers pass over this widget.
void silence(QWidget* widget);

// Draws a focus ring just inside the widget's rectangle, in the theme's highlight colour.
void paintFocusRing(QWidget* widget, int inset);

} // namespace toolkit::detail
