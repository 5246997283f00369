#include "screen_test.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>

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
    toolkit::setPrintModule({});
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

toolkit::Screen& chooseType(int kind)
{
    app::screen<Form7>().Show();
    click(widget(app::screen<Form7>(), "Option" + QByteArray::number(kind)));
    toolkit::Screen* entry[] = {&app::screen<Form8>(), &app::screen<Form9>(),
                                &app::screen<Form1>()};
    return *entry[kind - 1];
}

void typeCounts(const toolkit::Screen& form, const QString& counts)
{
    for (int n = 0; const QString& typed : counts.split(u' '))
        type(form, "Text" + QByteArray::number(++n), typed);
}

toolkit::Screen& count(int kind, const QStringList& transactions)
{
    toolkit::Screen& form = chooseType(kind);
    for (const QString& counts : transactions) {
        typeCounts(form, counts);
        press(form, "Calcular");
        press(form, "NuevaFuncion");
    }
    return form;
}

void rateAll(int rating)
{
    for (int k = 1; k <= Form2::kAttributes; ++k)
        pick(app::screen<Form2>(), "Combo" + QByteArray::number(k), rating < 0 ? k % 6 : rating);
}

void giveTgi(const QString& typed, int rating)
{
    const Form6& mode = app::screen<Form6>();
    click(widget(mode, typed.isEmpty() ? "Option2" : "Option1"));
    if (typed.isEmpty()) {
        rateAll(rating);
        key(app::screen<Form2>(), Qt::Key_Return); // Sumar
        key(app::screen<Form2>(), Qt::Key_Return); // Aceptar
    } else {
        type(mode, "Text1", typed);
        key(mode, Qt::Key_Return);
    }
}

void toReport(int language)
{
    for (int step = 0; step < 3; ++step) // Calcular, Obtener, Aceptar
        key(app::screen<Form3>(), Qt::Key_Return);
    pick(app::screen<Form4>(), "Combo1", language);
    for (int step = 0; step < 4; ++step) // Calcular, Aceptar; Calcular, Informe
        key(step < 2 ? static_cast<toolkit::Screen&>(app::screen<Form4>()) : app::screen<Form5>(),
            Qt::Key_Return);
    require(app::screen<Form10>().isShown() && app::screen<Form5>().isShown(),
            QStringLiteral("the report is not open beside the effort screen"));
}

Form10& openReport()
{
    app::screen<Form5>().Show();
    press(app::screen<Form5>(), "Informe");
    require(QTest::qWaitForWindowActive(app::screen<Form10>().window()), "report not active");
    return app::screen<Form10>();
}

QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return tool + QStringLiteral(" failed or is missing (poppler-utils)");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfLines(const QString& pdfOrText)
{
    // pdftotext's columns may eat a blank, so blanks are left out.
    QString text =
        pdfOrText.endsWith(".pdf") ? poppler("pdftotext", {"-layout", pdfOrText, "-"}) : pdfOrText;
    text.remove(QRegularExpression("Página \\d+ de \\d+"));
    return text.remove(QRegularExpression("[^\\S\n]")).split(u'\n', Qt::SkipEmptyParts);
}

QStringList misplacedWords(const QString& path)
{
    const QString boxes = poppler("pdftotext", {"-bbox", path, "-"});
    const QRegularExpressionMatch size =
        QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)">)re").match(boxes);
    const QRegularExpression word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*))re");
    const QRectF inside = QRectF(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble())
                              .adjusted(56.6, 56.6, -56.6, -56.6);
    QStringList misplaced;
    QRectF title;
    for (const QRegularExpressionMatch& w : word.globalMatch(boxes)) {
        const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                         QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        if (!inside.contains(box))
            misplaced << w.captured(5) + " " + w.captured(0);
        if (title.isNull() || (title.top() == box.top() && w.captured(5) == "MARKII"))
            title |= box; // "Informe MARKII", the first line
    }
    if (title.isNull() || !size.hasMatch())
        return {"no text"};
    if (std::abs(title.center().x() - inside.center().x()) > 2)
        misplaced << "title off the centre";
    return misplaced;
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
