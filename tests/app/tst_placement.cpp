#include "screen_test.h"

#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QWindow>

#include <QScopeGuard>

#include <cmath>

// Where the screens open on each display the build runs this on (small, large, high-density,
// narrow, two side by side, 1366 x 768 at 150 % and 200 %), and how they read in several schemes.
class TestPlacement final : public QObject
{
    Q_OBJECT

    static QList<toolkit::Screen*> allScreens()
    {
        return {&app::screen<Form7>(), &app::screen<Form8>(), &app::screen<Form9>(),
                &app::screen<Form1>(), &app::screen<Form6>(), &app::screen<Form2>(),
                &app::screen<Form3>(), &app::screen<Form4>(), &app::screen<Form5>(),
                &app::screen<Form10>()};
    }
    // The contrast ratio of WCAG 2.1.
    static double contrast(const QColor& a, const QColor& b)
    {
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
                   0.0722 * linear(c.blueF()) + 0.05;
        };
        return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
    }
    // A text's contrast: its background the commonest colour there, against the most distinct.
    static double textContrast(const QImage& image, const QRect& area)
    {
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(x, y)];
        QRgb background = 0;
        for (auto [colour, n] : counts.asKeyValueRange())
            background = n > counts.value(background) ? colour : background;
        double best = 1;
        for (QRgb colour : counts.keys())
            best = std::max(best, contrast(QColor(colour), QColor(background)));
        return best;
    }
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
        start.window()->windowHandle()->setScreen(QGuiApplication::screens().constLast());
        start.window()->move(available().topLeft());
        start.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
    }

    // Every screen opens whole on the display, and every focused control is in sight whole.
    void everyScreenOpensWholeWithEveryControlInSight()
    {
        // Down to 640 x 360; on a narrower display a wide list can only be seen in part.
        const bool roomy = available().width() >= 640 && available().height() >= 360;
        for (toolkit::Screen* screen : allScreens()) {
            screen->Show();
            QWidget* window = screen->window();
            QVERIFY2(available().contains(window->frameGeometry()),
                     qPrintable(screen->objectName()));
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (!roomy || !control->isVisibleTo(window) || !control->isEnabled() ||
                    !(control->focusPolicy() & Qt::TabFocus))
                    continue;
                control->setFocus(Qt::TabFocusReason);
                QApplication::processEvents();
                const QString where = screen->objectName() + "." + control->objectName();
                const QRect seen(control->mapTo(window, QPoint()), control->size());
                for (QWidget* outer = control->parentWidget(); outer != window;
                     outer = outer->parentWidget())
                    QVERIFY2(QRect(outer->mapTo(window, QPoint()), outer->size()).contains(seen),
                             qPrintable(where + " cut by " + outer->objectName()));
                QVERIFY2(window->rect().contains(seen), qPrintable(where));
            }
            screen->Hide();
        }
    }

    // Dark, light and large font: every text reads, and fits its label or button.
    void readableInEverySchemeAndFont_data()
    {
        QTest::addColumn<QPalette>("scheme");
        QTest::addColumn<double>("points");
        QTest::newRow("dark") << QPalette(Qt::white, QColor(0x35, 0x35, 0x35), Qt::gray, Qt::black,
                                          Qt::darkGray, Qt::white, Qt::white,
                                          QColor(0x23, 0x23, 0x23), QColor(0x35, 0x35, 0x35))
                              << 9.0;
        QTest::newRow("light, 14 pt") << QApplication::style()->standardPalette() << 14.0;
    }
    void readableInEverySchemeAndFont()
    {
        if (available().width() < 800 || available().height() < 600)
            QSKIP("read on the roomy displays");
        QFETCH(QPalette, scheme);
        QFETCH(double, points);
        const QFont font = QApplication::font();
        const auto restore = qScopeGuard([palette = QApplication::palette(), font] {
            QApplication::setPalette(palette);
            QApplication::setFont(font);
        });
        QApplication::setPalette(scheme);
        QApplication::setFont(QFont(font.family(), int(points)));
        support::freshRun();
        for (toolkit::Screen* screen : allScreens()) {
            screen->Show();
            QWidget* window = screen->window();
            // Results show only after a calculation: a number stands in for each.
            for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
                const QSignalBlocker quiet(box);
                box->setText(QStringLiteral("12,5"));
            }
            const QImage shown = window->grab().toImage();
            // Grid lines stand out from the window in either scheme.
            for (QWidget* line : window->findChildren<QWidget*>(QRegularExpression("^Line\\d+$")))
                QVERIFY2(contrast(shown.pixelColor(line->mapTo(window, line->rect().center())),
                                  window->palette().color(QPalette::Window)) >= 3,
                         qPrintable(screen->objectName() + "." + line->objectName()));
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                // What the user reads: the visible, enabled controls with a text.
                const QString text = QString(widget->property("text").toString() +
                                             widget->property("title").toString())
                                         .remove(u'&');
                if (text.isEmpty() || !widget->isVisibleTo(window) || !widget->isEnabled())
                    continue;
                const QString where = screen->objectName() + "." + widget->objectName();
                auto* label = qobject_cast<QLabel*>(widget);
                const QRect inside = label ? label->rect() : widget->rect().adjusted(3, 3, -3, -3);
                const QRect needed = widget->fontMetrics().boundingRect(
                    inside, label ? int(label->alignment()) | Qt::TextWordWrap : Qt::AlignCenter,
                    text);
                const QRect area = qobject_cast<QGroupBox*>(widget)
                                       ? QRect(8, 0, needed.width(), needed.height())
                                       : inside;
                const double ratio =
                    textContrast(shown, area.translated(widget->mapTo(window, QPoint())));
                QVERIFY2(ratio >= 4.5, qPrintable(where + QStringLiteral(": %1:1").arg(ratio)));
                QVERIFY2(!(label || qobject_cast<QPushButton*>(widget)) || inside.contains(needed),
                         qPrintable(where));
            }
            screen->Hide();
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
        QVERIFY(onDisplay(report) && onDisplay(beside));
        const bool room = available().width() >= report.width() + beside.width() + 8;
        QCOMPARE(!report.intersects(beside), room);
    }
};

SUPPORT_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
