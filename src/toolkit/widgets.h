#pragma once

// The Qt widgets behind the controls, where Qt's own behaviour differs from what the screens
// need. Internal to the toolkit.

#include <QAbstractTableModel>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <functional>

namespace toolkit::detail {

// An option button without a caption of its own, beside a label that names it.
class OptionWidget final : public QRadioButton
{
public:
    explicit OptionWidget(QWidget* parent);

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

// The rows of a list box, asked of the screen that owns them cell by cell.
class RowModel final : public QAbstractTableModel
{
public:
    using CellText = std::function<QString(int row, int column)>;
    using RowReading = std::function<QString(int row)>;
    using Edited = std::function<void(int row, const QString& text)>;

    explicit RowModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setColumns(QStringList headers, QList<bool> numbers, CellText cell, RowReading reading);
    void setEditable(int column, Edited edited);
    int editableColumn() const { return m_editable; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void resetRows(int count);
    void appendRow();
    void removeRow(int row);
    void changeRow(int row);

private:
    QStringList m_headers;
    QList<bool> m_numbers;
    CellText m_cell;
    RowReading m_reading;
    Edited m_edited;
    int m_rows = 0;
    int m_editable = -1;
};

// The editor of a list's cell: a one-line box that takes at most so many characters.
class CellEditor final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int maxLength = 32767;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

// The view of a list box: whole rows, one at a time; F2, a double click and Delete act on the
// selected row, and Enter in an open editor only closes it.
class ListWidget final : public QTreeView
{
public:
    using QTreeView::QTreeView;
    std::function<void()> deletePressed;

    // Opens the editable cell of the row.
    void editRow(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
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

// A text box, with the program's own interface for assistive tools.
class BoxWidget final : public QLineEdit
{
public:
    explicit BoxWidget(QWidget* parent);

    // Where the caret is drawn, in the box's coordinates.
    QRect caretRect() const { return cursorRect(); }
};

// A drop-down list, with the program's own interface for assistive tools.
class DropDownWidget final : public QComboBox
{
public:
    explicit DropDownWidget(QWidget* parent);

    // The drop-down list, built on first use: a screen has many lists and most are never opened,
    // so building each one up front would slow the screen's first show. `listBuilt` runs once,
    // when the list comes into being, whoever asked for it (Qt itself builds it for a typed
    // letter or a change of font).
    QAbstractItemView* itemList();
    bool isListOpen() const;
    std::function<void(QAbstractItemView*)> listBuilt;

    void showPopup() override;
    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    bool m_listBuilt = false;
};

// Screen readers pass over this widget: its container leaves it out.
void silence(QWidget* widget);

// Draws a focus ring just inside the widget's rectangle, in the theme's highlight colour.
void paintFocusRing(QWidget* widget, int inset);

} // namespace toolkit::detail
