#include "screen_test.h"

#include "app/registry.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

// The system type screen, driven as the user does from the start of the program.
class TestForm7 final : public QObject
{
    Q_OBJECT

    static Form7& form() { return app::screen<Form7>(); }
    static QWidget* option(const char* name) { return support::widget<QRadioButton>(form(), name); }

private slots:
    void init()
    {
        support::freshRun();
        app::start();
    }

    void opensWithNoSystemTypeChosen()
    {
        QCOMPARE(form().window()->windowTitle(),
                 QStringLiteral("Método MARK II para el Análisis de los Puntos Función "));
        QCOMPARE(form().Option1->value(), numeric::Integer(0));
        QCOMPARE(form().Option2->value(), numeric::Integer(0));
        QCOMPARE(form().Option3->value(), numeric::Integer(0));
        const char* labels[] = {"Label2", "Label3", "Label4"};
        const QString captions[] = {QStringLiteral("Sistema Batch"),
                                    QStringLiteral("Sistema On Line"),
                                    QStringLiteral("Sistema Mixto")};
        int previousTop = -1;
        for (int i = 0; i < 3; ++i) {
            auto* label = support::widget<QLabel>(form(), labels[i]);
            QCOMPARE(label->text(), captions[i]);
            QVERIFY(label->y() > previousTop);
            previousTop = label->y();
        }
        // Focus on the first option does not choose it.
        QCOMPARE(form().window()->focusWidget(), option("Option1"));
        QCOMPARE(option("Option1")->accessibleName(), QStringLiteral("Sistema Batch"));
    }

    void eachOptionOpensItsEntryScreen_data()
    {
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("screen");
        QTest::newRow("batch") << QByteArray("Option1") << QStringLiteral("Form8");
        QTest::newRow("on line") << QByteArray("Option2") << QStringLiteral("Form9");
        QTest::newRow("mixed") << QByteArray("Option3") << QStringLiteral("Form1");
    }

    void eachOptionOpensItsEntryScreen()
    {
        QFETCH(QByteArray, option);
        QFETCH(QString, screen);
        support::click(TestForm7::option(option.constData()));
        QVERIFY(!form().isShown());
        const bool shown[] = {
            app::Registry::instance().exists<Form8>() && app::screen<Form8>().isShown(),
            app::Registry::instance().exists<Form9>() && app::screen<Form9>().isShown(),
            app::Registry::instance().exists<Form1>() && app::screen<Form1>().isShown()};
        QCOMPARE(shown[0], screen == QLatin1String("Form8"));
        QCOMPARE(shown[1], screen == QLatin1String("Form9"));
        QCOMPARE(shown[2], screen == QLatin1String("Form1"));
    }

    void cancelKeepsTheChoiceAndChoosingItAgainReopens()
    {
        support::click(option("Option1"));
        support::click(support::widget<QWidget>(app::screen<Form8>(), "Cancelar"));
        QVERIFY(form().isShown());
        QCOMPARE(form().Option1->value(), numeric::Integer(-1));

        support::click(option("Option1"));
        QVERIFY(app::screen<Form8>().isShown());
        support::click(support::widget<QWidget>(app::screen<Form8>(), "Cancelar"));

        // Switching type: batch no longer selected, mixed is.
        support::click(option("Option3"));
        QVERIFY(app::screen<Form1>().isShown());
        QCOMPARE(form().Option1->value(), numeric::Integer(0));
        QCOMPARE(form().Option3->value(), numeric::Integer(-1));
    }

    void keyboardChoosesWithSpaceOnly()
    {
        // No cancel button and no default button on this screen.
        support::key(form(), Qt::Key_Escape);
        support::key(form(), Qt::Key_Return);
        QVERIFY(form().isShown());
        QCOMPARE(form().Option1->value(), numeric::Integer(0));

        support::key(form(), Qt::Key_Space);
        QVERIFY(app::screen<Form8>().isShown());
    }

    void cancelarEndsTheProgramWhateverIsLoaded()
    {
        app::loaded<Form9>();
        app::loaded<Form1>();
        support::click(support::widget<QWidget>(form(), "Cancelar"));
        QVERIFY(toolkit::programEnded());
        QVERIFY(!form().isShown());
    }
};

QTEST_MAIN(TestForm7)
#include "tst_form7.moc"
