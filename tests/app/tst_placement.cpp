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

// Where the screens open on the display the test runs on: the build runs it on a small desktop,
// a large one, a high-density laptop (960 x 540 logical pixels) and one a little smaller still,
// where the report must be moved back inside.
class TestPlacement final : public QObject
{
    Q_OBJECT

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Whole on the display; a window larger than the display has its top left corner on it.
    static bool onDisplay(const QRect& frame)
    {
        if (frame.width() > available().width() || frame.height() > available().height())
            return available().contains(frame.topLeft());
        return available().contains(frame);
    }

private slots:
    void init() { support::freshRun(); }

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
            // A sizable screen cannot be made smaller than its design.
            QCOMPARE(screen->window()->minimumSize(), screen->window()->size());
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
        Form5& effort = app::screen<Form5>();
        effort.Show();
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
