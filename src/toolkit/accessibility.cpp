#include "toolkit/accessibility.h"

#include "toolkit/widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>
#include <utility>

namespace toolkit::detail {

namespace {

constexpr char kSilent[] = "markiiSilent";
constexpr char kSkipsSilent[] = "markiiSkipsSilent";

QString withoutAccessKey(QString caption)
{
    // "&Aceptar" reads "Aceptar"; "&&" stands for a real ampersand.
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

// The widget's own name for assistive tools, else the caption of the label that leads to it.
QString nameOf(const QWidget* widget)
{
    if (!widget->accessibleName().isEmpty())
        return widget->accessibleName();
    if (const QWidget* parent = widget->parentWidget()) {
        for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label->buddy() == widget)
                return withoutAccessKey(label->text()).simplified();
        }
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Containers: a screen's window and its frames, without lines and captions that only repeat
// their control's name.

QList<QWidget*> spokenChildren(const QWidget* container)
{
    QList<QWidget*> children;
    for (QObject* child : container->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !qobject_cast<QMenu*>(widget) &&
            !widget->property(kSilent).toBool())
            children.append(widget);
    }
    return children;
}

class Container : public QAccessibleWidget
{
public:
    Container(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    int childCount() const override { return int(spokenChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = spokenChildren(widget());
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return int(spokenChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }
};

class FrameAccessible final : public Container
{
public:
    explicit FrameAccessible(QGroupBox* box) : Container(box, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return withoutAccessKey(static_cast<QGroupBox*>(widget())->title());
        return Container::text(t);
    }
};

// The voice of a window: a notification that screen readers say when it shows. It goes with
// its window, so that a window shown again does not repeat an old announcement.
class Announcer final : public QWidget
{
public:
    explicit Announcer(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("Anuncio"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        hide();
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Hide) {
            hide();
            setAccessibleName(QString());
        }
        return QWidget::eventFilter(watched, event);
    }
};

class AnnouncerAccessible final : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {}
};

// ---------------------------------------------------------------------------------------------
// An option button: its toggle chooses it whatever its state, as Space and a click do.

class OptionAccessible final : public QAccessibleWidget
{
public:
    explicit OptionAccessible(QRadioButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton)
    {}

    QRadioButton* button() const { return static_cast<QRadioButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = nameOf(widget());
            return name.isEmpty() ? withoutAccessKey(button()->text()) : name;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << toggleAction() << pressAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != toggleAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!blockedByModal(widget()))
            button()->click();
    }
};

// ---------------------------------------------------------------------------------------------
// A text box. Qt 6.4 answers some text queries of a line edit wrongly: zero-length attribute
// runs, which cut the last character from the line a screen reader builds, and an endless loop
// for the word at the end of the text. A line edit holds one line, so every answer comes
// straight from its text.

bool inWord(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isLetterOrNumber())
        return true;
    // "19,86" and "0.5" are one word each.
    return (c == QLatin1Char(',') || c == QLatin1Char('.')) && i > 0 && i + 1 < text.size() &&
           text.at(i - 1).isDigit() && text.at(i + 1).isDigit();
}

// The piece of the given kind that holds the offset, as [start, end). At the end of the text the
// last piece holds it, except for a character, of which there is none there.
std::pair<int, int> pieceAt(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const int length = int(text.size());
    switch (type) {
    case QAccessible::CharBoundary: {
        if (offset >= length)
            return {length, length};
        int start = offset;
        if (text.at(start).isLowSurrogate() && start > 0 && text.at(start - 1).isHighSurrogate())
            --start;
        int end = start + 1;
        if (text.at(start).isHighSurrogate() && end < length && text.at(end).isLowSurrogate())
            ++end;
        return {start, end};
    }
    case QAccessible::WordBoundary: {
        if (length == 0)
            return {0, 0};
        const int at = std::min(offset, length - 1);
        const bool word = inWord(text, at);
        int start = at;
        int end = at + 1;
        while (start > 0 && inWord(text, start - 1) == word)
            --start;
        while (end < length && inWord(text, end) == word)
            ++end;
        return {start, end};
    }
    default: // one sentence, one line, one paragraph: the whole text
        return {0, length};
    }
}

class BoxAccessible final : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface
{
public:
    explicit BoxAccessible(BoxWidget* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    BoxWidget* edit() const { return static_cast<BoxWidget*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return nameOf(widget());
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        if (writable())
            edit()->setText(text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (edit()->isReadOnly())
            state.readOnly = true;
        else
            state.editable = true;
        state.selectableText = true;
        return state;
    }

    // Text
    QString text(int start, int end) const override
    {
        const auto [from, to] = clamped(start, end);
        return edit()->text().mid(from, to - from);
    }
    int characterCount() const override { return int(edit()->text().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = *start + edit()->selectionLength();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit()->deselect(); }
    void setSelection(int, int start, int end) override
    {
        const auto [from, to] = clamped(start, end);
        edit()->setSelection(from, to - from);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override
    {
        return answer(offset, start, end,
                      [&](const QString& text) { return pieceAt(text, offset, type); });
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override
    {
        return answer(offset, start, end, [&](const QString& text) {
            const int from = pieceAt(text, offset, type).first;
            return from > 0 ? pieceAt(text, from - 1, type) : std::pair{-1, -1};
        });
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override
    {
        return answer(offset, start, end, [&](const QString& text) {
            const int to = pieceAt(text, offset, type).second;
            return to < text.size() ? pieceAt(text, to, type) : std::pair{-1, -1};
        });
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        // The whole text is one run, never an empty one in a box that holds text.
        const int length = characterCount();
        *start = *end = -1;
        if (offset >= 0 && offset <= length) {
            *start = 0;
            *end = length;
        }
        return {};
    }
    QRect characterRect(int offset) const override
    {
        const QString text = edit()->text();
        if (offset < 0 || offset > text.size())
            return {};
        // Measured from the caret, which Qt places where the text really is drawn.
        const QFontMetrics metrics(edit()->font());
        const QRect caret = edit()->caretRect();
        const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(edit()->cursorPosition()));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 1;
        return QRect(edit()->mapToGlobal(QPoint(x, caret.top())), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint local = edit()->mapFromGlobal(point);
        return edit()->rect().contains(local) ? edit()->cursorPositionAt(local) : -1;
    }
    void scrollToSubstring(int start, int end) override
    {
        edit()->setCursorPosition(end);
        edit()->setCursorPosition(start);
    }

    // Editable text: a locked or disabled box refuses, as it refuses the keyboard.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        if (!writable())
            return;
        const auto [from, to] = clamped(start, end);
        edit()->setSelection(from, to - from);
        if (text.isEmpty())
            edit()->del();
        else
            edit()->insert(text);
    }

private:
    bool writable() const
    {
        return !edit()->isReadOnly() && edit()->isEnabled() && !blockedByModal(edit());
    }
    std::pair<int, int> clamped(int start, int end) const
    {
        const int length = characterCount();
        start = std::clamp(start, 0, length);
        end = std::clamp(end, start, length);
        return {start, end};
    }
    template <class Find> QString answer(int offset, int* start, int* end, Find find) const
    {
        const QString text = edit()->text();
        *start = *end = -1;
        if (offset < 0 || offset > text.size())
            return {};
        std::tie(*start, *end) = find(text);
        return *start < 0 ? QString() : text.mid(*start, *end - *start);
    }
};

// ---------------------------------------------------------------------------------------------
// A drop-down list. Named after its pick, as screen readers expect of a list on Linux, and by
// its caption while nothing is picked; the caption also labels it, so that it is heard whatever
// is picked.

class ListAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ListAccessible(DropDownWidget* list) : QAccessibleWidget(list, QAccessible::ComboBox)
    {}

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    DropDownWidget* list() const { return static_cast<DropDownWidget*>(widget()); }

    // The pick is also its text, which is where Orca looks for the value of a list that is not
    // editable when its items are not selectable objects to it.
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(int start, int end) const override
    {
        const QString pick = combo()->currentText();
        start = std::clamp(start, 0, int(pick.size()));
        return pick.mid(start, std::clamp(end, start, int(pick.size())) - start);
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override
    {
        const QString pick = combo()->currentText();
        *start = *end = -1;
        if (offset < 0 || offset > pick.size())
            return {};
        std::tie(*start, *end) = pieceAt(pick, offset, type);
        return pick.mid(*start, *end - *start);
    }
    QString textBeforeOffset(int, QAccessible::TextBoundaryType, int* start,
                             int* end) const override
    {
        *start = *end = -1;
        return {};
    }
    QString textAfterOffset(int, QAccessible::TextBoundaryType, int* start, int* end) const override
    {
        *start = *end = -1;
        return {};
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        const int length = characterCount();
        *start = *end = -1;
        if (offset >= 0 && offset <= length) {
            *start = 0;
            *end = length;
        }
        return {};
    }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->itemList()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == list()->itemList() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return combo()->currentIndex() < 0 ? nameOf(widget()) : combo()->currentText();
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool open = list()->isListOpen();
        state.expandable = true;
        state.expanded = open;
        state.collapsed = !open;
        state.hasPopup = true;
        return state;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (blockedByModal(widget()) || !widget()->isEnabled())
            return;
        if (list()->isListOpen())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("QLineEdit")) {
        if (auto* box = dynamic_cast<BoxWidget*>(widget))
            return new BoxAccessible(box);
    } else if (className == QLatin1String("QComboBox")) {
        if (auto* list = dynamic_cast<DropDownWidget*>(widget))
            return new ListAccessible(list);
    } else if (className == QLatin1String("QRadioButton")) {
        if (auto* option = dynamic_cast<OptionWidget*>(widget))
            return new OptionAccessible(option);
    } else if (className == QLatin1String("QGroupBox")) {
        if (widget->property(kSkipsSilent).toBool())
            return new FrameAccessible(static_cast<QGroupBox*>(widget));
    } else if (className == QLatin1String("QWidget")) {
        if (dynamic_cast<Announcer*>(widget))
            return new AnnouncerAccessible(widget);
        if (widget->property(kSkipsSilent).toBool())
            return new Container(widget,
                                 widget->isWindow() ? QAccessible::Window : QAccessible::Client);
    }
    return nullptr;
}

// An interface Qt made for the widget before it was complete is dropped, so that the next query
// makes the program's own.
void renew(QWidget* widget)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

bool blockedByModal(const QWidget* widget)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && widget && modal != widget->window() && !modal->isAncestorOf(widget);
}

void announce(QWidget* widget, const QString& text)
{
    QWidget* window = widget->window();
    Announcer* announcer = nullptr;
    for (QObject* child : window->children()) {
        if (auto* found = dynamic_cast<Announcer*>(child))
            announcer = found;
    }
    if (!announcer)
        announcer = new Announcer(window);
    announcer->setAccessibleName(text);
    if (announcer->isVisible()) {
        // Shown again, so that it is heard again even when it says the same.
        QAccessibleEvent shown(announcer, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    } else {
        announcer->show();
    }
}

void skipSilentChildren(QWidget* container)
{
    container->setProperty(kSkipsSilent, true);
    renew(container);
}

// A control that screen readers pass over: a caption whose control already says it, or a line
// of a grid. Its container leaves it out; asked directly, it is an invisible, empty text.
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

void silence(QWidget* widget)
{
    widget->setProperty(kSilent, true);
    // Registered for this widget alone, in place of the interface Qt would make for its class.
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    QAccessible::registerAccessibleInterface(new Silent(widget));
}

BoxWidget::BoxWidget(QWidget* parent) : QLineEdit(parent)
{
    renew(this);
}

DropDownWidget::DropDownWidget(QWidget* parent) : QComboBox(parent)
{
    renew(this);
}

QAbstractItemView* DropDownWidget::itemList()
{
    QAbstractItemView* list = view();
    if (!m_listBuilt) {
        m_listBuilt = true;
        if (listBuilt)
            listBuilt(list);
    }
    return list;
}

bool DropDownWidget::isListOpen() const
{
    return m_listBuilt && view()->isVisible();
}

void DropDownWidget::showPopup()
{
    itemList();
    QComboBox::showPopup();
}

void DropDownWidget::childEvent(QChildEvent* event)
{
    QComboBox::childEvent(event);
    // Qt builds the list's frame as a child of the list box, here still half made: it is taken
    // up as soon as it is whole.
    if (event->added() && !m_listBuilt)
        QMetaObject::invokeMethod(
            this, [this] { itemList(); }, Qt::QueuedConnection);
}

void DropDownWidget::hidePopup()
{
    // An item that an assistive tool selected in the open list, away from where the user's
    // browsing stands, is the pick; Escape after browsing leaves the list as it was.
    int picked = -1;
    if (isListOpen()) {
        const QModelIndexList selected = view()->selectionModel()->selectedIndexes();
        if (selected.size() == 1 && selected.first().row() != view()->currentIndex().row())
            picked = selected.first().row();
    }
    QComboBox::hidePopup();
    if (picked >= 0)
        setCurrentIndex(picked);
}

void DropDownWidget::keyPressEvent(QKeyEvent* event)
{
    const int before = currentIndex();
    QComboBox::keyPressEvent(event);
    // Qt tells only of a new name and a new selection, which screen readers pass over; moving
    // with the keys is heard as the item and its place. A typed letter is heard already.
    static const QList<int> moves = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left, Qt::Key_Right,
                                     Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    if (moves.contains(event->key()) && currentIndex() != before && currentIndex() >= 0 &&
        !isListOpen())
        announce(
            this,
            QStringLiteral("%1, %2 de %3").arg(currentText()).arg(currentIndex() + 1).arg(count()));
}

OptionWidget::OptionWidget(QWidget* parent) : QRadioButton(parent)
{
    renew(this);
}

} // namespace toolkit::detail
