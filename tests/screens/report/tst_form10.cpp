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

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
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

QString heard(const toolkit::Screen& screen, const char* name)
{
    return QAccessible::queryAccessibleInterface(support::widget(screen, name))
        ->text(QAccessible::Name);
}

} // namespace

class TestForm10 final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void readsItsSourcesAgainOnActivationAndOnClick()
    {
        support::preselect(app::loaded<Form7>(), "Option1");
        Form10& report = openReport();
        app::screen<Form8>().PFNAB = 12.5;
        support::preselect(app::loaded<Form6>(), "Option2");
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
        QTest::addColumn<QByteArray>("road"); // the option picked on Form6, if any
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("typed 35")      << QByteArray("Option1") << "35"   << "40" << "35";
        QTest::newRow("typed 12.5")    << QByteArray("Option1") << "12.5" << "40" << "12,5";
        QTest::newRow("typed 12,5")    << QByteArray("Option1") << "12,5" << "40" << "12";
        QTest::newRow("per attribute") << QByteArray("Option2") << "35"   << "40" << "40";
        // Aceptar on Form6 before choosing: Form2 never used, its empty sum counts as 0.
        QTest::newRow("no choice")     << QByteArray()          << ""     << ""   << "0";
        // clang-format on
    }
    void tgiFromTheChosenRoad()
    {
        QFETCH(QByteArray, road);
        QFETCH(QString, typed);
        QFETCH(QString, sum);
        Form6& influence = app::loaded<Form6>();
        if (!road.isEmpty())
            support::preselect(influence, road.constData());
        influence.Text1->setText(typed);
        app::loaded<Form2>().Text20->setText(sum);
        QTEST(support::shown(openReport(), "Label8"), "shown");
    }

    // A screen reader and a keyboard user read the page value by value, with captions and units,
    // and leave it with Escape.
    void readLineByLineAndLeftWithEscape()
    {
        app::screen<Form5>().W = 94.5;
        const Form10& report = openReport();
        QCOMPARE(support::focused(report), QStringLiteral("Label2"));
        QCOMPARE(heard(report, "Label2"), QStringLiteral("PFNA Batch: 0"));
        QCOMPARE(heard(report, "Label21"), QStringLiteral("W: 94,5 en horas de trabajo"));
        support::key(report, Qt::Key_Down);
        QCOMPARE(support::focused(report), QStringLiteral("Label4"));
        support::key(report, Qt::Key_Tab);
        QCOMPARE(support::focused(report), QStringLiteral("Label6"));
        support::key(report, Qt::Key_Up);
        QCOMPARE(support::focused(report), QStringLiteral("Label4"));

        support::key(report, Qt::Key_Escape);
        QVERIFY(!report.isShown() && app::screen<Form5>().isShown());
        QVERIFY(!toolkit::programEnded());
    }

    // No caption reaches into its value's text, whatever the value, so none can paint over it.
    void captionsLeaveTheirValuesWhole()
    {
        const Form10& report = openReport();
        const QList<std::pair<const char*, const char*>> lines = {
            {"Label1", "Label2"},   {"Label3", "Label4"},   {"Label5", "Label6"},
            {"Label7", "Label8"},   {"Label9", "Label10"},  {"Label11", "Label12"},
            {"Label13", "Label14"}, {"Label15", "Label16"}, {"Label17", "Label18"},
            {"Label20", "Label21"}, {"Label23", "Label24"}};
        for (auto [captionName, valueName] : lines) {
            auto* caption = support::widget<QLabel>(report, captionName);
            auto* value = support::widget<QLabel>(report, valueName);
            const int captionEnds =
                caption->x() + QFontMetrics(caption->font()).horizontalAdvance(caption->text());
            QVERIFY2(captionEnds <= value->x(), captionName);
            QVERIFY2(!caption->autoFillBackground(), captionName);
            // The longest value the screens write still fits its label.
            const int longest =
                QFontMetrics(value->font()).horizontalAdvance(QStringLiteral("-1234,56789012345"));
            QVERIFY2(longest <= value->width(), valueName);
        }
    }

    void copiedSavedAndPrinted()
    {
        app::screen<Form5>().W = 94.6032666846913;
        Form10& report = openReport();
        QVERIFY(QTest::qWaitForWindowActive(report.window())); // shortcuts act on the active one
        QTest::keySequence(report.window(), QKeySequence::Copy);
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.startsWith(QStringLiteral("Informe MARKII")));
        QVERIFY2(copied.contains(QStringLiteral("\nW = 94,6032666846913 en horas de trabajo\n")),
                 qPrintable(copied));

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("informe.pdf"));
        toolkit::setSaveFileHook([&](const QString& proposed) {
            return proposed.endsWith(QStringLiteral("/Informe MARKII.pdf")) ? path : QString();
        });
        QTest::keySequence(report.window(), QKeySequence::Save);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");

        // A path that cannot be written is named in a message; nothing else changes.
        toolkit::setSaveFileHook([&](const QString&) { return path + QStringLiteral("/x.pdf"); });
        support::Messages messages;
        QTest::keySequence(report.window(), QKeySequence::Save);
        QCOMPARE(messages.titles(), QStringList("No se ha guardado el informe"));
        QVERIFY(messages.texts()[0].contains(path));
        QVERIFY(report.isShown() && !QFile::exists(path + QStringLiteral("/x.pdf")));

        bool printed = false;
        toolkit::setPrintHook([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath(QStringLiteral("impreso.pdf")));
            return printed = true;
        });
        QTest::keySequence(report.window(), QKeySequence::Print);
        QVERIFY(printed && QFile::exists(folder.filePath(QStringLiteral("impreso.pdf"))));
    }
};

SUPPORT_TEST_MAIN(TestForm10)
#include "tst_form10.moc"
