#include "screen_test.h"

#include "app/identity.h"
#include "app/registry.h"
#include "app/translations.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
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

    // A screen never loaded reads as its design, without being built: on the road of a typed
    // TGI, neither the mixed entry nor the attribute ratings are ever built.
    void readingAScreenNeverLoadedBuildsNothing()
    {
        QCOMPARE(app::textOf(&Form2::Text20), QString());
        QVERIFY(!app::isSelected(&Form6::Option1));
        QVERIFY(!app::Registry::instance().exists<Form2>());
        QCOMPARE(app::textOf(&Form2::Text20), app::loaded<Form2>().Text20->text());
        QCOMPARE(app::isSelected(&Form6::Option1), app::loaded<Form6>().Option1->isSelected());
        app::Registry::instance().reset();

        app::start<Form7>();
        support::click(support::widget<QRadioButton>(app::screen<Form7>(), "Option1"));
        for (const char* box : {"Text1", "Text2", "Text3"})
            support::type(app::screen<Form8>(), box, QStringLiteral("1"));
        support::press(app::screen<Form8>(), "Calcular");
        support::press(app::screen<Form8>(), "Aceptar");
        support::click(support::widget<QRadioButton>(app::screen<Form6>(), "Option1"));
        support::type(app::screen<Form6>(), "Text1", QStringLiteral("35"));
        support::key(app::screen<Form6>(), Qt::Key_Return);
        QVERIFY(app::screen<Form3>().isShown());
        QCOMPARE(support::shown(app::screen<Form3>(), "Text2"), QStringLiteral("35"));
        QCOMPARE(support::shown(app::screen<Form3>(), "Text5"), QStringLiteral("2,5"));
        QVERIFY(!app::screen<Form1>().isLoaded() && !app::screen<Form2>().isLoaded());
    }

    // The desktop groups the windows with their launcher, and every window carries the icon.
    void namesTheProgramAndMarksEveryScreen()
    {
        app::setIdentity(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(MARKII_APP_ID));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(MARKII_VERSION));
        const QIcon expected = app::programIcon();
        QVERIFY(!expected.availableSizes().isEmpty()); // else empty icons would pass
        for (QWidget* window : {app::loaded<Form1>().window(), app::loaded<Form2>().window(),
                                app::loaded<Form3>().window(), app::loaded<Form4>().window(),
                                app::loaded<Form5>().window(), app::loaded<Form6>().window(),
                                app::loaded<Form7>().window(), app::loaded<Form8>().window(),
                                app::loaded<Form9>().window(), app::loaded<Form10>().window()}) {
            QCOMPARE(window->windowIcon().availableSizes(), expected.availableSizes());
            QCOMPARE(window->windowIcon().pixmap(32).toImage(), expected.pixmap(32).toImage());
        }
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
