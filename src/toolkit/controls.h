#pragma once

// The controls the screens are made of. Each wraps one Qt widget and gives it the behaviour the
// screens rely on; screens never touch the widgets themselves. A control's widget carries the
// control's name as its objectName.
//
// Events are plain callbacks, one handler per event, called synchronously by the control: a
// handler may throw a run-time error, which travels back to dispatch() through our own code only,
// never through Qt's signal machinery.

#include "numeric/numeric.h"
#include "toolkit/runtime.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace toolkit {

class Label;
namespace detail {
class OptionWidget;
class DropDownWidget;
class ListWidget;
class RowModel;
} // namespace detail

// What a control calls when its event happens.
using Handler = std::function<void()>;

// The colours of the user's desktop theme, by their role.
enum class SystemColor { Highlight, HighlightText };
QColor systemColor(SystemColor role);

class Control : public QObject
{
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
    // Read by a screen reader after the name: the question a group of options answers.
    void setAccessibleDescription(const QString& description);
    // The caption beside the control names it; its access key, if any, leads to the control.
    void describedBy(Label* label);

    // False once the screen that owns the control has been unloaded.
    bool isAlive() const { return !m_unloaded; }
    void markUnloaded() { m_unloaded = true; }

protected:
    explicit Control(QWidget* widget);

    // Calls a handler for an event the user caused, through dispatch().
    void raiseFromUser(const Handler& handler) const;

private:
    void ringWithCaption(Label* label);

    QWidget* m_widget;
    bool m_unloaded = false;
};

// A screen's reference to one of its controls. It goes null when the screen's window goes, and
// in debug builds using it on a screen that is not loaded stops at once instead of reading freed
// memory.
template <class T> class Ref final
{
public:
    Ref() = default;
    Ref(T* control) : m_control(control) {}
    Ref& operator=(T* control)
    {
        m_control = control;
        return *this;
    }

    T* get() const
    {
        Q_ASSERT_X(m_control && m_control->isAlive(), "toolkit::Ref",
                   "a control used on a screen that is not loaded");
        return m_control.data();
    }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }

private:
    QPointer<T> m_control;
};

class TextBox final : public Control
{
    Q_DISABLE_COPY_MOVE(TextBox)

public:
    explicit TextBox(QLineEdit* edit);

    void onChange(Handler handler) { m_change = std::move(handler); }

    QString text() const;
    // Raises Change inside the call when the text differs from the current one; an equal text
    // raises nothing.
    void setText(const QString& text);
    bool isLocked() const;
    void setLocked(bool locked);
    // A result just computed: the focus moves here and screen readers say the box's name and its
    // whole value, and those of the other results computed with it.
    void focusAsResult(std::initializer_list<const TextBox*> alongside = {});

    // The text as a whole number or a double; a failure names this box in the user's words.
    numeric::Integer toInteger() const;
    double toDouble() const;
    // The text as a count: a whole number from 0 to 32767. A sign, decimals or a larger number is
    // a typing slip, refused with a message naming this box.
    numeric::Integer toCount() const;

private:
    void edited();
    void showLocked(bool locked);
    // The text read by a conversion; a refusal is explained in the user's words, naming this box.
    template <class Read> auto converted(Read read, BoxNumber kind) const;

    QLineEdit* m_edit;
    Handler m_change;
    QString m_text;           // the text as last accepted, to restore a locked box
    bool m_assigning = false; // the program is writing the text
};

class Label final : public Control
{
    Q_DISABLE_COPY_MOVE(Label)

public:
    enum class Alignment { Left, Center, Right };

    explicit Label(QLabel* label);

    void onChange(Handler handler) { m_change = std::move(handler); }
    void onClick(Handler handler) { m_click = std::move(handler); }

    QString caption() const;
    // Raises Change inside the call when the caption differs from the current one.
    void setCaption(const QString& caption);
    // Left, centred or right; at the top of the label's box, or in its middle.
    void setAlignment(Alignment alignment, bool middle = false);
    // Captions wrap onto further lines of the label's box unless told to keep to one line.
    void setWordWrap(bool wrap);

    // A value that the user reads line by line: it takes the focus, shows it, and a screen reader
    // hears it with its caption and unit ("W: 94,6 en horas de trabajo"), kept current.
    void readAsValueOf(const Label* caption, const Label* unit = nullptr);
    // A caption that only repeats the name of the control it stands beside: screen readers skip
    // it, so that the control is heard once.
    void hideFromScreenReaders();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ringLine();
    void updateReading();

    QLabel* m_label;
    Handler m_change;
    Handler m_click;
    const Label* m_readCaption = nullptr;
    const Label* m_readUnit = nullptr;
    bool m_readable = false;
};

class CommandButton final : public Control
{
    Q_DISABLE_COPY_MOVE(CommandButton)

public:
    explicit CommandButton(QPushButton* button);

    void onClick(Handler handler) { m_click = std::move(handler); }

    // Presses the button as the user would, if it is enabled and shown.
    void press();

private:
    QPushButton* m_button;
    Handler m_click;
};

class OptionButton final : public Control
{
    Q_DISABLE_COPY_MOVE(OptionButton)

public:
    explicit OptionButton(detail::OptionWidget* button);

    // Runs when the user chooses the option: a click, Space, or an assistive tool's toggle.
    // Choosing the option that is already selected is a choice too.
    void onClick(Handler handler) { m_click = std::move(handler); }

    // True reads as -1, False as 0.
    numeric::Integer value() const;
    // Value is True.
    bool isSelected() const { return value() == -1; }
    // Clears the option silently: the only Value the program writes.
    void clear();
    // Chooses the option as a click does, if it is shown and enabled.
    void choose();

private:
    void chosen();

    detail::OptionWidget* m_button;
    Handler m_click;
    bool m_clearing = false;
    bool m_reported = false; // this choice has already run Click
};

class ComboBox final : public Control
{
    Q_DISABLE_COPY_MOVE(ComboBox)

public:
    explicit ComboBox(detail::DropDownWidget* combo);

    // Runs when the user picks an item: mouse, arrow keys, a typed first letter, the wheel while
    // the list has the focus, or an assistive tool selecting an item.
    void onClick(Handler handler) { m_click = std::move(handler); }

    // Fills the list in one step, after any items already in it; nothing becomes selected.
    void addItems(const QStringList& items);
    // Picks the item at a 0-based position as the user does, if the list is shown and enabled.
    void pick(int index);
    // 0-based position of the item picked, -1 for none.
    numeric::Integer listIndex() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_combo;
    Handler m_click;
    bool m_filling = false;
    int m_reportedPick = -1; // the pick that has already run Click, until its activation
};

// A list of rows in columns, such as the transactions counted so far. The rows belong to the
// screen: the list asks for the text of a cell when it shows it, so a change anywhere in a long
// list costs only what is in view. The user selects one row at a time.
class ListBox final : public Control
{
    Q_DISABLE_COPY_MOVE(ListBox)

public:
    struct Column
    {
        QString header;
        int width;           // twips; the column the user edits takes the room left
        bool number = false; // right-aligned
    };
    using CellText = std::function<QString(int row, int column)>;
    using RowReading = std::function<QString(int row)>;
    using EditHandler = std::function<void(int row, const QString& text)>;

    explicit ListBox(detail::ListWidget* view);

    // The columns, the text of each cell, and the one sentence a screen reader hears for a row.
    void setColumns(const QList<Column>& columns, CellText cell, RowReading reading);
    // The user edits the cells of this column: F2 or a double click opens the row's cell with its
    // text, Enter keeps what was typed (at most maxLength characters), Escape leaves it as it was.
    // The handler runs only when the text was changed.
    void onEdit(int column, int maxLength, EditHandler handler);
    // The Delete key in the list.
    void onDelete(Handler handler) { m_delete = std::move(handler); }
    // Another row selected, or none.
    void onSelect(Handler handler) { m_select = std::move(handler); }

    int listCount() const;
    // 0-based position of the selected row, -1 for none.
    int listIndex() const;
    // Selects the row (-1: none) and brings it into view; no handler runs.
    void setListIndex(int row);

    // The screen has this many rows now, whatever the list showed before.
    void resetRows(int count);
    // The screen changed its rows: one added at the end; one taken out, the later ones moving up;
    // one whose texts changed.
    void rowAdded();
    void rowRemoved(int row);
    void rowChanged(int row);

private:
    void selected();

    detail::ListWidget* m_view;
    detail::RowModel* m_model;
    Handler m_delete;
    Handler m_select;
    bool m_selecting = false; // the program is selecting
};

class Frame final : public Control
{
    Q_DISABLE_COPY_MOVE(Frame)

public:
    explicit Frame(QGroupBox* box);
    // Fills the whole frame, caption strip included; the style's own tinted panel would show.
    void setBackColor(const QColor& color);
    // The frame's caption uses this font; the controls inside keep their own.
    void setCaptionFont(const QFont& font);
    QString caption() const;
    QWidget* container() const;

private:
    void paint(const QString& background, const QString& text);

    QGroupBox* m_box;
};

class Line final : public Control
{
    Q_DISABLE_COPY_MOVE(Line)

public:
    explicit Line(QWidget* stroke);
};

} // namespace toolkit
