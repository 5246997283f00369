#include "screen_test.h"

#include "app/registry.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QAccessible>
#include <QTest>

// The system type screen, driven as the user does from the start of the program. Options are
// given by number: 1 batch, 2 on line, 3 mixed.
class TestForm7 final : public QObject
{
    Q_OBJECT

    static Form7& form() { return app::screen<Form7>(); }
    static void choose(int option)
    {
        support::click(support::widget(form(), "Option" + QByteArray::number(option)));
    }
    // This screen for 0, the entry screen that option n opens for n.
    static toolkit::Screen& screen(int n)
    {
        toolkit::Screen* screens[] = {&form(), &app::screen<Form8>(), &app::screen<Form9>(),
                                      &app::screen<Form1>()};
        return *screens[n];
    }
    // What the user sees: the screen shown, then which option is selected ("Form9 010").
    static QString seen()
    {
        QString text;
        for (int n = 0; n <= 3; ++n)
            text += screen(n).isShown() ? screen(n).window()->objectName() + u' ' : QString();
        for (const toolkit::OptionButton* option : {form().Option1, form().Option2, form().Option3})
            text += option->value() ? u'1' : u'0';
        return text;
    }

private slots:
    void init()
    {
        support::freshRun();
        app::start<Form7>();
    }

    void eachOptionOpensItsEntryScreen_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("entered");
        QTest::newRow("batch") << 1 << "Form8 100";
        QTest::newRow("on line") << 2 << "Form9 010";
        QTest::newRow("mixed") << 3 << "Form1 001";
    }
    void eachOptionOpensItsEntryScreen()
    {
        QFETCH(int, option);
        QFETCH(QString, entered);
        choose(option);
        QCOMPARE(seen(), entered);
        // Coming back keeps the choice, and choosing it again reopens its screen.
        support::press(screen(option), "Cancelar");
        QCOMPARE(seen(), "Form7 " + entered.right(3));
        choose(option);
        QCOMPARE(seen(), entered);
        // Choosing another type moves the selection.
        support::press(screen(option), "Cancelar");
        choose(option == 3 ? 1 : 3);
        QCOMPARE(seen(), option == 3 ? "Form8 100" : "Form1 001");
    }

    void keyboardChoosesWithSpaceOnly()
    {
        // The focus on the first option does not choose it; the screen has neither a cancel nor
        // a default button.
        QCOMPARE(support::focused(form()), QStringLiteral("Option1"));
        support::key(form(), Qt::Key_Escape);
        support::key(form(), Qt::Key_Return);
        QCOMPARE(seen(), "Form7 000");
        support::key(form(), Qt::Key_Space);
        QCOMPARE(seen(), "Form8 100");

        // Back with an option chosen, the arrow keys browse the options and choose none.
        support::press(screen(1), "Cancelar");
        support::key(form(), Qt::Key_Down);
        support::key(form(), Qt::Key_Down);
        QCOMPARE(support::focused(form()), QStringLiteral("Option3"));
        QCOMPARE(seen(), "Form7 100");
        support::key(form(), Qt::Key_Space);
        QCOMPARE(seen(), "Form1 001");
    }

    void screenReaderHearsEachOptionOnceWithTheQuestion()
    {
        const auto read = [](const char* name) {
            return QAccessible::queryAccessibleInterface(support::widget(form(), name));
        };
        QStringList heard;
        for (const char* option : {"Option1", "Option2", "Option3"})
            heard << read(option)->text(QAccessible::Name);
        QCOMPARE(heard, QStringList({"Sistema Batch", "Sistema On Line", "Sistema Mixto"}));
        QCOMPARE(read("Option1")->text(QAccessible::Description),
                 QStringLiteral("Seleccione Tipo de Sistema"));
        for (const char* caption : {"Label2", "Label3", "Label4"})
            QVERIFY(read(caption)->state().invisible);
    }

    void cancelarEndsTheProgramWhateverIsLoaded()
    {
        app::loaded<Form9>();
        app::loaded<Form1>();
        support::press(form(), "Cancelar");
        QVERIFY(toolkit::programEnded());
        QVERIFY(!form().isShown());
    }
};

SUPPORT_TEST_MAIN(TestForm7)
#include "tst_form7.moc"
