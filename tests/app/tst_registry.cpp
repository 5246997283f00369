#include "screen_test.h"

#include "app/registry.h"
#include "app/translations.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

class TestRegistry final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void startShowsOnlyTheSystemTypeScreenAndEndStopsEverything()
    {
        app::start<Form7>();
        QVERIFY(app::screen<Form7>().isShown() && !app::Registry::instance().exists<Form8>());
        QCOMPARE(std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible), 1);

        app::end();
        QVERIFY(toolkit::programEnded() && !app::screen<Form7>().isShown());
        bool ran = false;
        toolkit::dispatch([&ran] { ran = true; });
        QVERIFY(!ran);
    }

    void readingAFieldCreatesWithoutLoadingAndUsingAControlLoadsWithoutShowing()
    {
        Form9& onLine = app::screen<Form9>();
        QCOMPARE(onLine.PFNAO, 0.0);
        QVERIFY(!onLine.isLoaded());
        QCOMPARE(&app::screen<Form9>(), &onLine);

        Form8& batch = app::loaded<Form8>();
        QVERIFY(batch.isLoaded() && !batch.isShown());
        // Form_Load has run: the entry screen starts with only Calcular available.
        QVERIFY(batch.Calcular->isEnabled() && !batch.Aceptar->isEnabled());
    }

    // Qt's own buttons and menus speak the user's language.
    void standardButtonsInSpanish()
    {
        QVERIFY(app::loadQtTranslations(*QCoreApplication::instance()));
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Sí"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&No"));
    }
};

SUPPORT_TEST_MAIN(TestRegistry)
#include "tst_registry.moc"
