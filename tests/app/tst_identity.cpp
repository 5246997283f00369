#include "screen_test.h"

#include "app/identity.h"
#include "app/registry.h"
#include "icon/icon_painting.h"
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

#include <QApplication>
#include <QTest>

// The sides the build renders as PNGs and the window icon is drawn at.
static const QList<QSize> iconSizes{{16, 16}, {24, 24},   {32, 32},  {48, 48},
                                    {64, 64}, {128, 128}, {256, 256}};

class TestIdentity final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        support::freshRun();
        app::setIdentity(*qobject_cast<QApplication*>(QCoreApplication::instance()));
    }

    void namesTheProgramToTheDesktop()
    {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("markii"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Método MARK II"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(MARKII_VERSION));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(MARKII_APP_ID));
    }

    void everyScreenCarriesTheProgramIcon()
    {
        const QList<QWidget*> windows{
            app::loaded<Form1>().window(), app::loaded<Form2>().window(),
            app::loaded<Form3>().window(), app::loaded<Form4>().window(),
            app::loaded<Form5>().window(), app::loaded<Form6>().window(),
            app::loaded<Form7>().window(), app::loaded<Form8>().window(),
            app::loaded<Form9>().window(), app::loaded<Form10>().window()};
        const QImage drawn = icon::renderProgramIcon(32).convertToFormat(QImage::Format_ARGB32);
        for (QWidget* window : windows) {
            QVERIFY(window);
            const QIcon icon = window->windowIcon();
            QVERIFY2(!icon.isNull(), qPrintable(window->objectName()));
            QCOMPARE(icon.availableSizes(), iconSizes);
            QCOMPARE(icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32), drawn);
        }
    }

    // The drawing fills each square the same way whatever its side: transparent corners, and the
    // header band, the paper and the tallest bar where the 256-unit design puts them.
    void theIconIsDrawnToScaleAtEverySide_data()
    {
        QTest::addColumn<int>("side");
        for (const QSize& size : iconSizes)
            QTest::addRow("%d", size.width()) << size.width();
    }

    void theIconIsDrawnToScaleAtEverySide()
    {
        QFETCH(int, side);
        const QImage image = icon::renderProgramIcon(side);
        QCOMPARE(image.size(), QSize(side, side));
        const auto at = [&](qreal x, qreal y) {
            return image.pixelColor(int(x * side / 256), int(y * side / 256));
        };
        QCOMPARE(at(2, 2).alpha(), 0);
        QCOMPARE(at(250, 250).alpha(), 0);
        QCOMPARE(at(128, 40), QColor(0x1f, 0x4e, 0x79));  // the header band
        QCOMPARE(at(200, 112), QColor(Qt::white));        // paper beside the tallest bar
        QCOMPARE(at(172, 150), QColor(0xed, 0x7d, 0x31)); // the tallest bar
    }
};

QTEST_MAIN(TestIdentity)
#include "tst_identity.moc"
