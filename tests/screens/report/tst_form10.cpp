// Every test here shows the report, which reads TGI from the real influence screens Form6 and
// Form2: they are skipped while those screens are not built yet.

#include "app/registry.h"
#include "screen_test.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

bool influenceScreensReady()
{
    return app::loaded<Form6>().Text1 && app::loaded<Form2>().Text20;
}

// TGI typed directly on Form6 (Option1), or summed on Form2 after choosing Option2.
void typeTgi(const QString& typed)
{
    Form6& influence = app::loaded<Form6>();
    support::widget<QRadioButton>(influence, "Option1")->setChecked(true);
    influence.Text1->setText(typed);
}

void sumTgi(const QString& sum)
{
    support::widget<QRadioButton>(app::loaded<Form6>(), "Option2")->setChecked(true);
    app::loaded<Form2>().Text20->setText(sum);
}

// A value of its own in every source, so that a label showing another's value stands out.
void fillSources()
{
    app::screen<Form8>().PFNAB = 12.5;
    app::screen<Form9>().PFNAO = 7.25;
    app::screen<Form1>().PFNA = 31.84;
    typeTgi(QStringLiteral("35"));
    app::loaded<Form2>().Text20->setText(QStringLiteral("40"));
    app::screen<Form3>().ACT = 0.825;
    app::screen<Form3>().PFAb = 10.3125;
    app::screen<Form3>().PFAo = 5.98125;
    app::screen<Form3>().PFA = 100;
    app::screen<Form4>().P = 0.5;
    app::screen<Form5>().W = 300;
    app::screen<Form5>().PE = 100 / 4.5;
}

// The report as the user opens it: "&Informe" on the effort screen.
Form10& openReport()
{
    Form5& effort = app::screen<Form5>();
    effort.Show();
    support::click(support::widget<QPushButton>(effort, "Informe"));
    return app::screen<Form10>();
}

// The user goes to the effort screen and back to the report.
void switchAwayAndBack(Form10& report)
{
    QWidget* effort = app::screen<Form5>().window();
    effort->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(effort));
    report.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(report.window()));
}

QString value(const Form10& report, const char* label)
{
    return support::widget<QLabel>(report, label)->text();
}

} // namespace

class TestForm10 final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        support::freshRun();
        if (!influenceScreensReady())
            QSKIP("needs the real Form6 and Form2");
    }

    void showsEachValueOfItsOwner_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("PFNA batch") << "Label2"
                                    << "12,5";
        QTest::newRow("PFNA on line") << "Label4"
                                      << "7,25";
        QTest::newRow("PFNA mixed") << "Label6"
                                    << "31,84";
        QTest::newRow("TGI") << "Label8"
                             << "35";
        QTest::newRow("ACT") << "Label10"
                             << "0,825";
        QTest::newRow("PFA batch") << "Label12"
                                   << "10,3125";
        QTest::newRow("PFA on line") << "Label14"
                                     << "5,98125";
        QTest::newRow("PFA") << "Label16"
                             << "100";
        QTest::newRow("P") << "Label18"
                           << "0,5";
        QTest::newRow("W") << "Label21"
                           << "300";
        QTest::newRow("PE") << "Label24"
                            << "22,2222222222222";
    }

    void showsEachValueOfItsOwner()
    {
        QFETCH(QString, label);
        QFETCH(QString, shown);
        fillSources();
        const Form10& report = openReport();
        QVERIFY(report.isShown());
        QCOMPARE(value(report, qPrintable(label)), shown);
    }

    void readsEverythingAgainOnEachActivation()
    {
        fillSources();
        Form10& report = openReport();

        app::screen<Form8>().PFNAB = 20;
        app::screen<Form1>().PFNA = 0;
        sumTgi(QStringLiteral("41"));
        app::screen<Form3>().ACT = 0.855;
        app::screen<Form3>().PFA = 64;
        app::screen<Form4>().P = 0.25;
        app::screen<Form5>().W = 384;
        app::screen<Form5>().PE = 64 / 3.6;
        QCOMPARE(value(report, "Label2"), QStringLiteral("12,5"));

        switchAwayAndBack(report);
        QCOMPARE(value(report, "Label2"), QStringLiteral("20"));
        QCOMPARE(value(report, "Label6"), QStringLiteral("0"));
        QCOMPARE(value(report, "Label8"), QStringLiteral("41"));
        QCOMPARE(value(report, "Label10"), QStringLiteral("0,855"));
        QCOMPARE(value(report, "Label16"), QStringLiteral("64"));
        QCOMPARE(value(report, "Label18"), QStringLiteral("0,25"));
        QCOMPARE(value(report, "Label21"), QStringLiteral("384"));
        QCOMPARE(value(report, "Label24"), QStringLiteral("17,7777777777778"));
    }

    void clickingEffortOrTimeBringsItUpToDate()
    {
        fillSources();
        const Form10& report = openReport();
        app::screen<Form5>().W = 150;
        app::screen<Form5>().PE = 11;
        support::click(support::widget<QLabel>(report, "Label21"));
        QCOMPARE(value(report, "Label21"), QStringLiteral("150"));
        QCOMPARE(value(report, "Label24"), QStringLiteral("22,2222222222222"));
        support::click(support::widget<QLabel>(report, "Label24"));
        QCOMPARE(value(report, "Label24"), QStringLiteral("11"));
    }

    void tgiFromTheChosenRoad_data()
    {
        QTest::addColumn<bool>("direct");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // Form2's sum is 40 in every row.
        QTest::newRow("typed 35") << true << "35"
                                  << "35";
        QTest::newRow("typed 12.5") << true << "12.5"
                                    << "12,5";
        QTest::newRow("typed 12,5") << true << "12,5"
                                    << "12";
        QTest::newRow("per attribute") << false << "35"
                                       << "40";
    }

    void tgiFromTheChosenRoad()
    {
        QFETCH(bool, direct);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        typeTgi(typed);
        if (!direct)
            sumTgi(QStringLiteral("40"));
        app::loaded<Form2>().Text20->setText(QStringLiteral("40"));
        QCOMPARE(value(openReport(), "Label8"), shown);
    }

    void tgiWithNoChoiceMadeIsZero()
    {
        // Aceptar on Form6 before choosing: Form2 never used, its empty sum counts as 0.
        QCOMPARE(value(openReport(), "Label8"), QStringLiteral("0"));
    }

    void whitePageWithItsCaptions()
    {
        const Form10& report = openReport();
        QCOMPARE(report.window()->windowTitle(), QStringLiteral("Informe MARKII"));
        const QList<std::pair<const char*, const char*>> captions = {
            {"Label1", "PFNA  Batch = "}, {"Label3", "PFNA On Line = "},
            {"Label5", "PFNA Mixto = "},  {"Label15", "PFA =  "},
            {"Label11", "PFA Batch ="},   {"Label25", "en semanas "},
            {"Label19", "PF/hora"},       {"Label23", "PE = "}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(value(report, name), QString::fromUtf8(caption));

        // What the user sees: the inside of each window, frame and label is painted white.
        const auto white = [](QWidget* widget) {
            const QImage image = widget->grab().toImage();
            return image.pixelColor(image.width() - 4, image.height() - 4) == QColor(Qt::white);
        };
        QVERIFY(white(report.window()));
        const QList<QGroupBox*> frames = report.window()->findChildren<QGroupBox*>();
        QCOMPARE(frames.size(), 5);
        for (QGroupBox* frame : frames)
            QVERIFY2(white(frame), qPrintable(frame->objectName()));
        const QList<QLabel*> labels = report.window()->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 25);
        for (QLabel* label : labels) {
            QVERIFY2(white(label), qPrintable(label->objectName()));
            QVERIFY(label->alignment() & Qt::AlignLeft);
        }
        QCOMPARE(support::widget<QGroupBox>(report, "Frame3")->title(),
                 QStringLiteral("Ajuste por Complejidad Técnica"));
        QVERIFY(support::widget<QGroupBox>(report, "Frame3")->font().bold());
        QVERIFY(support::widget<QLabel>(report, "Label7")->font().bold());
        QVERIFY(!support::widget<QLabel>(report, "Label8")->font().bold());
    }

    void closingTheReportReturnsToTheEffortScreen()
    {
        Form10& report = openReport();
        report.window()->close();
        QVERIFY(!toolkit::programEnded());
        QVERIFY(!report.isShown());
        QVERIFY(app::screen<Form5>().isShown());

        app::screen<Form5>().W = 42;
        support::click(support::widget<QPushButton>(app::screen<Form5>(), "Informe"));
        QVERIFY(report.isShown());
        QCOMPARE(value(report, "Label21"), QStringLiteral("42"));
    }
};

QTEST_MAIN(TestForm10)
#include "tst_form10.moc"
