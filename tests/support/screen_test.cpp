#include "screen_test.h"

#include "app/registry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QTest>

namespace support {

void freshRun()
{
    app::Registry::instance().reset();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QApplication::processEvents();
}

void click(QWidget* widget)
{
    QVERIFY2(widget, "no such control");
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void press(const toolkit::Screen& screen, const char* button)
{
    auto* widget = support::widget<QPushButton>(screen, button);
    QVERIFY2(widget && widget->isEnabled(), button);
    click(widget);
}

void type(const toolkit::Screen& screen, const char* box, const QString& text)
{
    type(widget<QLineEdit>(screen, box), text);
}

void pick(const toolkit::Screen& screen, const char* combo, int position)
{
    auto* list = widget<QComboBox>(screen, combo);
    QVERIFY2(list, combo);
    list->setFocus();
    while (list->currentIndex() > position)
        QTest::keyClick(list, Qt::Key_Up);
    while (list->currentIndex() < position)
        QTest::keyClick(list, Qt::Key_Down);
}

QString shown(const toolkit::Screen& screen, const char* name)
{
    if (auto* box = widget<QLineEdit>(screen, name))
        return box->text();
    if (auto* label = widget<QLabel>(screen, name))
        return label->text();
    return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

void type(QLineEdit* box, const QString& text)
{
    QVERIFY2(box, "no such box");
    box->setFocus();
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

void key(const toolkit::Screen& screen, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* window = screen.window();
    QVERIFY2(window, "screen not loaded");
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

MessageCatcher::MessageCatcher()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &MessageCatcher::poll);
    m_timer.start();
}

void MessageCatcher::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    titles << box->windowTitle();
    texts << box->text();
    box->accept();
}

} // namespace support
