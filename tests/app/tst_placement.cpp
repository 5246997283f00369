#include "app/registry.h"
#include "screen_test.h"
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

#include <QScreen>
#include <QTest>
#include <QWindow>

// Where the screens open on the display in use: the build runs this on a small desktop, a large
// one, a high-density laptop (960 x 540 logical pixels), one a little smaller still, where the
// report must be moved back inside, a display narrower than a screen, and two displays side by
// side, where the program is used on the second.
class TestPlacement final : public QObject
{
    Q_OBJECT

    static QRect available() { return QGuiApplication::screens().constLast()->availableGeometry(); }

    // Whole on the display; a window larger than the display has its top left corner on it.
    static bool onDisplay(const QRect& frame)
    {
        if (frame.width() > available().width() || frame.height() > available().height())
            return available().contains(frame.topLeft());
        return available().contains(frame);
    }

private slots:
    void init()
    {
        support::freshRun();
        // The user has the program's first window on the last display.
        Form7& start = app::screen<Form7>();
        start.Show();
        QWindow* window = start.window()->windowHandle();
        window->setScreen(QGuiApplication::screens().constLast());
        start.window()->move(available().topLeft());
        start.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
    }

    void everyScreenOpensWholeOnTheDisplay()
    {
        QList<toolkit::Screen*> screens = {
            &app::screen<Form7>(), &app::screen<Form8>(), &app::screen<Form9>(),
            &app::screen<Form1>(), &app::screen<Form6>(), &app::screen<Form2>(),
            &app::screen<Form3>(), &app::screen<Form4>(), &app::screen<Form5>()};
        for (toolkit::Screen* screen : screens) {
            screen->Show();
            const QRect frame = screen->window()->frameGeometry();
            QVERIFY2(onDisplay(frame), qPrintable(screen->objectName()));
        }
        // Where the display has room, the later screens keep their designed places relative to
        // each other, around the middle of the display rather than in its corner.
        const QRect big = available();
        if (big.width() >= 1280 && big.height() >= 960) {
            const QPoint step =
                app::screen<Form5>().window()->pos() - app::screen<Form6>().window()->pos();
            QCOMPARE(step, QPoint(3210 - 4185, 1605 - 3135) / 15);
            QVERIFY(app::screen<Form3>().window()->geometry().intersects(
                QRect(big.center() - QPoint(100, 100), QSize(200, 200))));
        }
    }

    void reportOpensBesideTheEffortWhereThereIsRoom()
    {
        // The user has moved the effort screen to the right edge of the display.
        Form5& effort = app::screen<Form5>();
        effort.Show();
        const QRect moved = effort.window()->frameGeometry();
        effort.window()->move(available().right() + 1 - moved.width(), moved.top());
        app::screen<Form10>().showBeside(effort);
        const QRect report = app::screen<Form10>().window()->frameGeometry();
        const QRect beside = effort.window()->frameGeometry();
        QVERIFY(onDisplay(report));
        const bool room = available().width() >= report.width() + beside.width() + 8;
        QVERIFY(onDisplay(beside));
        QCOMPARE(!report.intersects(beside), room);
    }
};

SUPPORT_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
