#include "screen_test.h"

#include "app/registry.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form6.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

class TestRegistry final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void startShowsOnlyTheSystemTypeScreen()
    {
        app::start();
        auto& registry = app::Registry::instance();
        QVERIFY(app::screen<Form7>().isShown());
        QVERIFY(!registry.exists<Form8>());
        QVERIFY(!registry.exists<Form9>());
        QVERIFY(!registry.exists<Form6>());
        int visible = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            visible += window->isVisible() ? 1 : 0;
        QCOMPARE(visible, 1);
    }

    void readingAFieldCreatesWithoutLoading()
    {
        Form9& form = app::screen<Form9>();
        QCOMPARE(form.PFNAO, 0.0);
        QVERIFY(app::Registry::instance().exists<Form9>());
        QVERIFY(!form.isLoaded());
        // The same instance on every reference.
        QCOMPARE(&app::screen<Form9>(), &form);
    }

    void usingAControlLoadsWithoutShowing()
    {
        Form8& form = app::loaded<Form8>();
        QVERIFY(form.isLoaded());
        QVERIFY(!form.isShown());
        // Form_Load has run: the entry screen starts with only Calcular available.
        QVERIFY(!form.Aceptar->isEnabled());
        QVERIFY(!form.NuevaFuncion->isEnabled());
        QCOMPARE(form.Text4->text(), QString());
    }

    void hiddenScreensKeepEverything()
    {
        Form2& form = app::screen<Form2>();
        form.Show();
        form.Text20->setText(QStringLiteral("42"));
        form.Sumar->setEnabled(false);
        form.Hide();
        form.Show();
        QCOMPARE(form.Text20->text(), QStringLiteral("42"));
        QVERIFY(!form.Sumar->isEnabled());
    }

    void endStopsEverything()
    {
        app::start();
        app::loaded<Form8>();
        app::end();
        QVERIFY(toolkit::programEnded());
        QVERIFY(!app::screen<Form7>().isShown());
        // No handler runs after the end.
        bool ran = false;
        toolkit::dispatch([&ran] { ran = true; });
        QVERIFY(!ran);
    }

    void closingAnyScreenButTheReportEndsTheProgram()
    {
        app::start();
        support::click(support::widget<QWidget>(app::screen<Form7>(), "Option2"));
        QVERIFY(app::screen<Form9>().isShown());
        app::screen<Form9>().window()->close();
        QVERIFY(toolkit::programEnded());
        QVERIFY(!app::screen<Form9>().isShown());
    }
};

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
