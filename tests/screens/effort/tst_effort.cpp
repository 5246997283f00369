#include "screen_test.h"

#include <QComboBox>

// Form4 as Form3's Aceptar leaves it, shown with the adjusted size; then the language picked.
static Form4& productivityWith(double pfa, int language = -1)
{
    app::screen<Form3>().PFA = pfa;
    app::screen<Form4>().Show();
    if (language >= 0)
        support::pick(app::screen<Form4>(), "Combo1", language);
    return app::screen<Form4>();
}

class TestEffort final : public QObject
{
    Q_OBJECT

private slots:
    void init() { support::freshRun(); }

    void productivity_data()
    {
        QTest::addColumn<double>("pfa");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("zkp"); // to six significant digits
        // clang-format off
        // The ten first languages share the higher factor; Java, the eleventh, has the lower.
        QTest::newRow("peak, tenth language") << 250.0 << 9  << QString("0.11 0.00831885 0.18931");
        QTest::newRow("peak, Java")           << 250.0 << 10 << QString("0.11 0.00831885 0.118319");
        QTest::newRow("size 0") << 0.0 << 12 << QString("0.0910532 0 0.0910532");
        QTest::newRow("size 1000") << 1000.0 << 26 << QString("0.0200686 0.0382234 0.058292");
        // clang-format on
    }
    void productivity()
    {
        QFETCH(double, pfa);
        QFETCH(int, language);
        Form4& form = productivityWith(pfa, language);
        support::key(form, Qt::Key_Return); // Calcular is the default button
        QTEST(QString::asprintf("%.6g %.6g %.6g", form.z, form.k, form.P), "zkp");
    }

    void lettersPickAndAnotherLanguageAsksForPAgain()
    {
        Form4& form = productivityWith(250);
        auto* box = support::widget<QComboBox>(form, "Combo1");
        // Entries keep their trailing blanks; nothing is picked to begin with.
        QCOMPARE(QStringList({box->itemText(5), box->currentText()}), QStringList({"FOX ", ""}));
        // A typed letter picks the first language that starts with it.
        QTest::keyClicks(box, QStringLiteral("J"));
        QCOMPARE(std::pair(box->currentText(), form.B), std::pair(QStringLiteral("Java"), 1.0));
        support::key(form, Qt::Key_Return);
        // Another language takes Java's P away: the effort waits until Enter calculates it.
        support::pick(form, "Combo1", 7); // SQL
        QCOMPARE(std::tuple(support::shown(form, "Text1"), form.B, form.Command2->isEnabled()),
                 std::tuple(QString(), 1.6, false));
        support::key(form, Qt::Key_Return);
        QVERIFY(!support::shown(form, "Text1").isEmpty());
        support::press(form, "Command2");
        QVERIFY(!form.isShown() && app::screen<Form5>().isShown());
    }

    void negativeSizeIsRefusedAndNothingIsLost()
    {
        Form4& form = productivityWith(-12.5, 0);
        support::Messages messages;
        support::press(form, "Command1");
        // One message, telling the truth about what can be done from here.
        QVERIFY(messages.count() == 1 && messages.texts()[0].contains("(PFA = -12,5) es negativo"));
        QVERIFY(!toolkit::programEnded() && form.isShown() && !form.Command2->isEnabled());
    }
};

SUPPORT_TEST_MAIN(TestEffort)
#include "tst_effort.moc"
