#include "screen_test.h"

#include "app/registry.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTest>

namespace support {

namespace {

toolkit::Answer unexpectedMessage(const toolkit::Message& message)
{
    QTest::qFail(
        qPrintable(
            QStringLiteral("unexpected message box «%1»: %2").arg(message.title, message.text)),
        __FILE__, __LINE__);
    return toolkit::Answer::No;
}

} // namespace

void fail(const QString& what)
{
    QTest::qFail(qPrintable(what), __FILE__, __LINE__);
    throw Abort{};
}

void freshRun()
{
    app::Registry::instance().reset();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    toolkit::setMessageHook(unexpectedMessage);
    const auto unexpected = [](const char* dialog, auto answer) {
        return [=](auto&&...) {
            QTest::qFail(dialog, __FILE__, __LINE__);
            return answer;
        };
    };
    toolkit::setSaveFileHook(unexpected("unexpected save dialog", QString()));
    toolkit::setOpenFileHook(unexpected("unexpected open dialog", QString()));
    toolkit::setPrintHook(unexpected("unexpected print dialog", false));
    QApplication::processEvents();
}

void click(QWidget* widget)
{
    require(widget->isVisible() && widget->isEnabled(),
            QStringLiteral("%1 cannot be clicked").arg(widget->objectName()));
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void press(const toolkit::Screen& screen, const char* button)
{
    click(widget<QPushButton>(screen, button));
}

void type(const toolkit::Screen& screen, const char* box, const QString& text)
{
    type(widget<QLineEdit>(screen, box), text);
}

void type(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

void pick(const toolkit::Screen& screen, const char* combo, int position)
{
    auto* list = widget<QComboBox>(screen, combo);
    require(position >= 0 && position < list->count(),
            QStringLiteral("%1 has no item %2").arg(combo).arg(position));
    list->setFocus();
    for (int steps = 0; list->currentIndex() != position; ++steps) {
        require(steps <= list->count(), QStringLiteral("%1 does not move").arg(combo));
        QTest::keyClick(list, list->currentIndex() > position ? Qt::Key_Up : Qt::Key_Down);
    }
}

void preselect(const toolkit::Screen& screen, const char* option)
{
    auto* button = widget<QRadioButton>(screen, option);
    const QSignalBlocker silent(button);
    button->setChecked(true);
}

QString shown(const toolkit::Screen& screen, const char* name)
{
    QWidget* control = widget(screen, name);
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    fail(QStringLiteral("%1 shows no text").arg(name));
}

void key(const toolkit::Screen& screen, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* window = screen.window();
    require(window && window->isVisible(),
            QStringLiteral("%1 is not shown").arg(screen.objectName()));
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

QString focused(const toolkit::Screen& screen)
{
    QWidget* window = screen.window();
    return window && window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

Messages::Messages(toolkit::Answer answer) : m_answer(answer)
{
    toolkit::setMessageHook([this](const toolkit::Message& message) {
        seen << message;
        return message.kind == toolkit::MessageKind::Question ||
                       message.kind == toolkit::MessageKind::SaveChanges
                   ? m_answer
                   : toolkit::Answer::Ok;
    });
}

Messages::~Messages()
{
    toolkit::setMessageHook(unexpectedMessage);
}

QStringList Messages::titles() const
{
    QStringList titles;
    for (const toolkit::Message& message : seen)
        titles << message.title;
    return titles;
}

QStringList Messages::texts() const
{
    QStringList texts;
    for (const toolkit::Message& message : seen)
        texts << message.text;
    return texts;
}

QString announced(const toolkit::Screen& screen)
{
    QWidget* window = screen.window();
    require(window, QStringLiteral("%1 is not loaded").arg(screen.objectName()));
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(window);
    for (int i = 0; i < tree->childCount(); ++i) {
        QAccessibleInterface* child = tree->child(i);
        if (child->role() == QAccessible::Notification && !child->state().invisible) {
            const QString text = child->text(QAccessible::Name);
            qobject_cast<QWidget*>(child->object())->setAccessibleName(QString());
            return text;
        }
    }
    return {};
}

int runTests(QObject* test, int argc, char** argv)
{
    try {
        return QTest::qExec(test, argc, argv);
    } catch (const Abort&) {
        return 1;
    }
}

} // namespace support
