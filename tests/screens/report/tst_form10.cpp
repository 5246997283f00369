#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

// The report as the user opens it: "&Informe" on the effort screen.
Form10& openReport()
{
    Form5& effort = app::screen<Form5>();
    effort.Show();
    support::click(support::widget<QPushButton>(effort, "Informe"));
    return app::screen<Form10>();
}

} // namespace

class TestForm10 final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void readsItsSourcesAgainOnActivationAndOnClick()
    {
        Form10& report = openReport();
        app::screen<Form8>().PFNAB = 12.5;
        support::widget<QRadioButton>(app::loaded<Form6>(), "Option2")->setChecked(true);
        app::loaded<Form2>().Text20->setText(QStringLiteral("41"));
        app::screen<Form4>().P = 0.25;
        app::screen<Form5>().PE = 100 / 4.5;
        QCOMPARE(support::shown(report, "Label2"), QStringLiteral("0"));

        // The user goes to the effort screen and back to the report.
        app::screen<Form5>().window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app::screen<Form5>().window()));
        report.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(report.window()));
        QStringList shown;
        for (const char* label : {"Label2", "Label8", "Label18", "Label24"})
            shown << support::shown(report, label);
        QCOMPARE(shown, QStringList({"12,5", "41", "0,25", "22,2222222222222"}));

        // Clicking the effort or the delivery time brings that one value up to date.
        app::screen<Form5>().W = 150;
        app::screen<Form5>().PE = 11;
        support::click(support::widget<QLabel>(report, "Label21"));
        QCOMPARE(support::shown(report, "Label21"), QStringLiteral("150"));
        QCOMPARE(support::shown(report, "Label24"), QStringLiteral("22,2222222222222"));
        support::click(support::widget<QLabel>(report, "Label24"));
        QCOMPARE(support::shown(report, "Label24"), QStringLiteral("11"));
    }

    void tgiFromTheChosenRoad_data()
    {
        QTest::addColumn<QString>("road"); // the option picked on Form6, if any
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("typed 35")      << "Option1" << "35"   << "40" << "35";
        QTest::newRow("typed 12.5")    << "Option1" << "12.5" << "40" << "12,5";
        QTest::newRow("typed 12,5")    << "Option1" << "12,5" << "40" << "12";
        QTest::newRow("per attribute") << "Option2" << "35"   << "40" << "40";
        // Aceptar on Form6 before choosing: Form2 never used, its empty sum counts as 0.
        QTest::newRow("no choice")     << ""        << ""     << ""   << "0";
        // clang-format on
    }

    void tgiFromTheChosenRoad()
    {
        QFETCH(QString, road);
        QFETCH(QString, typed);
        QFETCH(QString, sum);
        QFETCH(QString, shown);
        Form6& influence = app::loaded<Form6>();
        if (!road.isEmpty())
            support::widget<QRadioButton>(influence, qPrintable(road))->setChecked(true);
        influence.Text1->setText(typed);
        app::loaded<Form2>().Text20->setText(sum);
        QCOMPARE(support::shown(openReport(), "Label8"), shown);
    }

    void whitePageWithItsCaptions()
    {
        const Form10& report = openReport();
        QCOMPARE(report.window()->windowTitle(), QStringLiteral("Informe MARKII"));
        QCOMPARE(support::shown(report, "Label1"), QStringLiteral("PFNA  Batch = "));
        QCOMPARE(support::shown(report, "Label15"), QStringLiteral("PFA =  "));
        QCOMPARE(support::shown(report, "Label11"), QStringLiteral("PFA Batch ="));

        // What the user sees: the inside of each window, frame and label is painted white.
        const auto white = [](QWidget* widget) {
            const QImage image = widget->grab().toImage();
            return image.pixelColor(image.width() - 4, image.height() - 4) == QColor(Qt::white);
        };
        QVERIFY(white(report.window()));
        const QList<QWidget*> parts = report.window()->findChildren<QWidget*>();
        QCOMPARE(parts.size(), 30); // five frames and their labels
        for (QWidget* part : parts)
            QVERIFY2(white(part), qPrintable(part->objectName()));
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
