#include "screen_test.h"

#include "app/identity.h"
#include "app/registry.h"
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

#include <QTest>

class TestIdentity final : public QObject
{
    Q_OBJECT

private slots:
    void namesTheProgramAndMarksEveryScreen()
    {
        support::freshRun();
        app::setIdentity(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("markii"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Método MARK II"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(MARKII_VERSION));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(MARKII_APP_ID));

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
};

QTEST_MAIN(TestIdentity)
#include "tst_identity.moc"
