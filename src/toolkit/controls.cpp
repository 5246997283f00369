#include "toolkit/controls.h"

#include "toolkit/accessibility.h"
#include "toolkit/geometry.h"
#include "toolkit/runtime.h"
#include "toolkit/scale.h"
#include "toolkit/widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QScopedValueRollback>

#include <cmath>

namespace toolkit {

QColor systemColor(SystemColor role)
{
    const QPalette palette = QGuiApplication::palette();
    return palette.color(role == SystemColor::Highlight ? QPalette::Highlight
                                                        : QPalette::HighlightedText);
}

// ---------------------------------------------------------------------------------------------
// The widgets

namespace detail {

QColor textColorOn(const QColor& background)
{
    // The relative luminance of WCAG 2.1: black text where it stands out more than white.
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.redF()) +
                             0.7152 * linear(background.greenF()) +
                             0.0722 * linear(background.blueF());
    const double onBlack = (luminance + 0.05) / 0.05;
    const double onWhite = 1.05 / (luminance + 0.05);
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
}

void paintFocusRing(QWidget* widget, int inset)
{
    // Two crisp pixels in the theme's highlight colour: plain at any scale, unlike the dotted
    // hint some styles draw.
    QPainter painter(widget);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget->rect().adjusted(inset + 1, inset + 1, -inset - 1, -inset - 1));
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
    if (hasFocus() && !m_ringedWithCaption)
        paintFocusRing(this, 1);
}

void ButtonWidget::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing(this, 3);
}

void RowModel::setColumns(QStringList headers, QList<bool> numbers, CellText cell,
                          RowReading reading)
{
    beginResetModel();
    m_headers = std::move(headers);
    m_numbers = std::move(numbers);
    m_cell = std::move(cell);
    m_reading = std::move(reading);
    endResetModel();
}

void RowModel::setEditable(int column, Edited edited)
{
    m_editable = column;
    m_edited = std::move(edited);
}

int RowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int RowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant RowModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_cell)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_cell(index.row(), index.column());
    case Qt::AccessibleTextRole:
        // The row's first cell, where the current row is, speaks for the whole row.
        if (index.column() == 0 && m_reading)
            return m_reading(index.row());
        return {};
    case Qt::TextAlignmentRole:
        return m_numbers.value(index.column()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.value(section);
    if (role == Qt::TextAlignmentRole && m_numbers.value(section))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags RowModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == m_editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RowModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != m_editable)
        return false;
    // An editor closed with its text unchanged changes nothing.
    const QString text = value.toString();
    if (text != data(index, Qt::EditRole).toString() && m_edited)
        m_edited(index.row(), text);
    return true;
}

void RowModel::resetRows(int count)
{
    beginResetModel();
    m_rows = count;
    endResetModel();
}

void RowModel::appendRow()
{
    beginInsertRows({}, m_rows, m_rows);
    ++m_rows;
    endInsertRows();
}

void RowModel::removeRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    beginRemoveRows({}, row, row);
    --m_rows;
    endRemoveRows();
    // The rows that moved up may show their new position.
    if (row < m_rows)
        emit dataChanged(index(row, 0), index(m_rows - 1, columnCount() - 1));
}

void RowModel::changeRow(int row)
{
    if (row >= 0 && row < m_rows)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QWidget* CellEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setMaxLength(maxLength);
        line->setObjectName(QStringLiteral("Editor"));
        // Heard as the column it edits, in the row it stands in.
        const QString header = index.model()->headerData(index.column(), Qt::Horizontal).toString();
        line->setAccessibleName(QStringLiteral("%1, fila %2").arg(header).arg(index.row() + 1));
    }
    return editor;
}

void ListWidget::editRow(int row)
{
    const auto* rows = static_cast<const RowModel*>(model());
    if (row >= 0 && row < rows->rowCount() && rows->editableColumn() >= 0)
        edit(rows->index(row, rows->editableColumn()));
}

void ListWidget::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (state() == EditingState &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // The editor's text is kept at once; Enter goes no further, to no button of the screen.
        if (QWidget* editor = focusWidget(); editor && editor != this && isAncestorOf(editor)) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_F2 && currentIndex().isValid()) {
        editRow(currentIndex().row());
        return;
    }
    if (plain && event->key() == Qt::Key_Delete && deletePressed) {
        deletePressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ListWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && at.isValid()) {
        editRow(at.row());
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void ListWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The current cell stays in the first column, which speaks for the row, wherever the row is
    // clicked; an open editor elsewhere in the same row stays open.
    if (current.isValid() && current.column() != 0) {
        selectionModel()->setCurrentIndex(current.siblingAtColumn(0),
                                          QItemSelectionModel::NoUpdate);
        return;
    }
    QTreeView::currentChanged(current, previous);
}

FocusFrame::FocusFrame(QWidget* focus, const QList<QWidget*>& around)
    : QWidget(focus->parentWidget()), m_focus(focus)
{
    QRect whole;
    for (const QWidget* widget : around)
        whole = whole.united(widget->geometry());
    // A little apart from the text it surrounds, and inside the container.
    setGeometry(whole.adjusted(-4, -2, 4, 2) & parentWidget()->rect());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    silence(this);
    hide();
    m_focus->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_focus) {
        if (event->type() == QEvent::FocusIn) {
            raise();
            show();
        } else if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide) {
            hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    paintFocusRing(this, 0);
}

} // namespace detail

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(QWidget* widget) : QObject(widget), m_widget(widget) {}

void Control::raiseFromUser(const Handler& handler) const
{
    // The user acts only on what is on the screen: a click that Qt delivers late, after its
    // screen has been hidden or unloaded, is dropped, and so is an assistive tool's action on a
    // window behind an open message box.
    if (handler && m_widget->isVisible() && !detail::blockedByModal(m_widget))
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
    m_widget->setFont(scaledFont(font));
}

void Control::setBackColor(const QColor& color)
{
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::WindowText, detail::textColorOn(color));
    palette.setColor(QPalette::Text, detail::textColorOn(color));
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
    // A list is also labelled by its caption, which screen readers keep whatever is picked.
    if (label->caption().contains(QLatin1Char('&')) || qobject_cast<QComboBox*>(m_widget))
        caption->setBuddy(m_widget);
    if (m_widget->accessibleName().isEmpty())
        m_widget->setAccessibleName(label->caption().trimmed());
    ringWithCaption(label);
}

void Control::ringWithCaption(Label* label)
{
    // An option's caption is a label of its own: the focus ring takes in both, as it would
    // around an option with its own caption.
    auto* option = dynamic_cast<detail::OptionWidget*>(m_widget);
    if (!option || option->parentWidget() != label->widget()->parentWidget())
        return;
    option->setRingedWithCaption(true);
    new detail::FocusFrame(option, {option, label->widget()});
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
    if (m_edit->isReadOnly() || detail::blockedByModal(m_edit)) {
        // A locked box keeps its text, whatever writes to it from outside; so does any box
        // behind an open message box.
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

void TextBox::focusAsResult(std::initializer_list<const TextBox*> alongside)
{
    setFocus();
    // "ACT =" reads "ACT: 0,88".
    const auto reading = [](const TextBox* box) {
        QString name = box->accessibleName().simplified();
        name.remove(QRegularExpression(QStringLiteral("\\s*[=:]$")));
        return name.isEmpty() ? box->text() : name + QStringLiteral(": ") + box->text();
    };
    QStringList readings{reading(this)};
    for (const TextBox* box : alongside)
        readings << reading(box);
    detail::announce(m_edit, readings.join(QStringLiteral("; ")));
}

bool TextBox::isLocked() const
{
    return m_edit->isReadOnly();
}

void TextBox::setLocked(bool locked)
{
    m_edit->setReadOnly(locked);
    showLocked(locked);
}

void TextBox::showLocked(bool locked)
{
    // A box that cannot be typed into looks it: the window's colours in place of a field's.
    const QPalette around =
        m_edit->parentWidget() ? m_edit->parentWidget()->palette() : QGuiApplication::palette();
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, around.color(locked ? QPalette::Window : QPalette::Base));
    palette.setColor(QPalette::Text, around.color(locked ? QPalette::WindowText : QPalette::Text));
    m_edit->setPalette(palette);
}

template <class Read> auto TextBox::converted(Read read, BoxNumber kind) const
{
    try {
        return read(text());
    } catch (const numeric::RuntimeError& error) {
        noteFailingBox(m_edit);
        throw explainForBox(error, accessibleName().isEmpty() ? name() : accessibleName(), text(),
                            !isVisible(), kind);
    }
}

numeric::Integer TextBox::toInteger() const
{
    return converted([](const QString& text) { return numeric::textToInteger(text); },
                     BoxNumber::Whole);
}

double TextBox::toDouble() const
{
    return converted([](const QString& text) { return numeric::textToDouble(text); },
                     BoxNumber::Any);
}

numeric::Integer TextBox::toCount() const
{
    return converted(
        [](const QString& text) {
            const double value = numeric::textToDouble(text);
            if (value > 32767 || value < -32768)
                throw numeric::RuntimeError(numeric::ErrorKind::Overflow);
            if (value < 0 || value != std::floor(value))
                throw numeric::RuntimeError(numeric::ErrorKind::TypeMismatch);
            return static_cast<numeric::Integer>(value);
        },
        BoxNumber::Count);
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

void Label::setAlignment(Alignment alignment, bool middle)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == Alignment::Center)
        horizontal = Qt::AlignHCenter;
    else if (alignment == Alignment::Right)
        horizontal = Qt::AlignRight;
    m_label->setAlignment(horizontal | (middle ? Qt::AlignVCenter : Qt::AlignTop));
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
    ringLine();
    updateReading();
}

void Label::ringLine()
{
    // The focus is shown around the whole line, caption and unit included, with the page's
    // colours left as they are.
    QList<QWidget*> line = {m_label};
    for (const Label* part : {m_readCaption, m_readUnit}) {
        if (part && part->widget()->parentWidget() == m_label->parentWidget())
            line.append(part->widget());
    }
    new detail::FocusFrame(m_label, line);
}

void Label::updateReading()
{
    // "PFA =  " reads "PFA".
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

void OptionButton::choose()
{
    if (m_button->isEnabled() && !m_button->isHidden())
        m_button->click();
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

ComboBox::ComboBox(detail::DropDownWidget* combo) : Control(combo), m_combo(combo)
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
    // pick. While the list is open, the selection only follows the user's browsing. The list is
    // watched once it exists: it is built when first needed.
    combo->listBuilt = [this, combo](QAbstractItemView* list) {
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, combo](const QItemSelection& selected) {
                    if (combo->isListOpen() || selected.indexes().isEmpty() ||
                        detail::blockedByModal(m_combo))
                        return;
                    m_combo->setCurrentIndex(selected.indexes().first().row());
                });
    };
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

void ComboBox::pick(int index)
{
    if (m_combo->isEnabled() && !m_combo->isHidden() && index >= 0 && index < m_combo->count())
        m_combo->setCurrentIndex(index);
}

numeric::Integer ComboBox::listIndex() const
{
    return static_cast<numeric::Integer>(m_combo->currentIndex());
}

// ---------------------------------------------------------------------------------------------
// ListBox

ListBox::ListBox(detail::ListWidget* view)
    : Control(view), m_view(view), m_model(new detail::RowModel(view))
{
    m_view->setModel(m_model);
    m_view->setItemDelegate(new detail::CellEditor(m_view));
    m_view->setRootIsDecorated(false);
    m_view->setItemsExpandable(false);
    // Equal rows: a list of thousands scrolls and grows without measuring each one.
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->header()->setSectionsMovable(false);
    m_view->deletePressed = [this] { raiseFromUser(m_delete); };
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { selected(); });
}

void ListBox::setColumns(const QList<Column>& columns, CellText cell, RowReading reading)
{
    QStringList headers;
    QList<bool> numbers;
    for (const Column& column : columns) {
        headers << column.header;
        numbers << column.number;
    }
    m_model->setColumns(headers, numbers, std::move(cell), std::move(reading));
    QHeaderView* header = m_view->header();
    header->setStretchLastSection(false);
    for (int i = 0; i < columns.size(); ++i) {
        header->setSectionResizeMode(i, QHeaderView::Interactive);
        header->resizeSection(i, toPixels(columns[i].width));
    }
}

void ListBox::onEdit(int column, int maxLength, EditHandler handler)
{
    static_cast<detail::CellEditor*>(m_view->itemDelegate())->maxLength = maxLength;
    // The edited column takes whatever width the others leave.
    m_view->header()->setSectionResizeMode(column, QHeaderView::Stretch);
    m_model->setEditable(column,
                         [this, handler = std::move(handler)](int row, const QString& text) {
                             raiseFromUser([&] { handler(row, text); });
                         });
}

int ListBox::listCount() const
{
    return m_model->rowCount();
}

int ListBox::listIndex() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::setListIndex(int row)
{
    const QScopedValueRollback selecting(m_selecting, true);
    if (row < 0 || row >= listCount()) {
        m_view->selectionModel()->clear();
        return;
    }
    const QModelIndex first = m_model->index(row, 0);
    m_view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    m_view->scrollTo(first);
}

void ListBox::selected()
{
    if (m_select && !m_selecting)
        dispatch(m_select);
}

void ListBox::resetRows(int count)
{
    m_model->resetRows(count);
}

void ListBox::rowAdded()
{
    m_model->appendRow();
}

void ListBox::rowRemoved(int row)
{
    m_model->removeRow(row);
}

void ListBox::rowChanged(int row)
{
    m_model->changeRow(row);
}

// ---------------------------------------------------------------------------------------------
// Frame and Line

Frame::Frame(QGroupBox* box) : Control(box), m_box(box)
{
    paint(QStringLiteral("palette(window)"), QStringLiteral("palette(window-text)"));
}

void Frame::setBackColor(const QColor& color)
{
    paint(color.name(), detail::textColorOn(color).name());
    Control::setBackColor(color);
}

void Frame::paint(const QString& background, const QString& text)
{
    // A plain etched line with the caption set into it, as the screens were drawn; the style's
    // own group box panel would add a tint and put the caption above the line.
    m_box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background-color: %2; color: %3; border: "
                                        "1px solid #a0a0a0; margin-top: 0.5em; }"
                                        "QGroupBox#%1::title { subcontrol-origin: margin; "
                                        "left: 6px; padding: 0 2px; background-color: %2; "
                                        "color: %3; }")
                             .arg(m_box->objectName(), background, text));
}

void Frame::setCaptionFont(const QFont& font)
{
    // The group box's own font draws the caption; its children keep the font they have.
    for (QWidget* child : m_box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(child->font());
    }
    m_box->setFont(scaledFont(font));
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
