#include "numeric/numeric.h"
#include "screen_test.h"

#include <QComboBox>

// Form4 as Form3's Aceptar leaves it: shown with the adjusted size, both buttons off.
static Form4& productivityWith(double pfa)
{
    app::screen<Form3>().PFA = pfa;
    Form4& form = app::screen<Form4>();
    form.Show();
    form.Command1->setEnabled(false);
    form.Command2->setEnabled(false);
    return form;
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
        QTest::newRow("peak, first language") << 250.0 << 0  << QString("0.11 0.00831885 0.18931");
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
        Form4& form = productivityWith(pfa);
        support::pick(form, "Combo1", language);
        support::key(form, Qt::Key_Return); // Calcular is the default button
        QTEST(QString::asprintf("%.6g %.6g %.6g", form.z, form.k, form.P), "zkp");
        QVERIFY(!form.Command1->isEnabled() && form.Command2->isEnabled());
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
        const QString java = support::shown(form, "Text1");
        QCOMPARE(support::focused(form), QStringLiteral("Text1"));
        // Another language takes Java's P away: the effort waits until Enter calculates it.
        support::pick(form, "Combo1", 7); // SQL
        QCOMPARE(std::pair(support::shown(form, "Text1"), form.B), std::pair(QString(), 1.6));
        QVERIFY(support::widget<QPushButton>(form, "Command1")->isDefault() &&
                !form.Command2->isEnabled());
        support::key(form, Qt::Key_Return);
        const QString sql = support::shown(form, "Text1");
        support::press(form, "Command2");
        const Form5& effort = app::screen<Form5>();
        QVERIFY(sql != java && numeric::doubleToText(form.P) == sql);
        QVERIFY(!form.isShown() && effort.isShown());
        QVERIFY(!effort.Informe->isEnabled() && !effort.Finalizar->isEnabled());
        QVERIFY(effort.Text1->isLocked() && effort.Text2->isLocked() && effort.Text3->isLocked());
    }

    void negativeSizeIsRefusedAndNothingIsLost()
    {
        Form4& form = productivityWith(-12.5);
        support::pick(form, "Combo1", 0);
        support::Messages messages;
        support::press(form, "Command1");
        // One message, telling the truth about what can be done from here.
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.texts()[0].contains("(PFA = -12,5) es negativo") &&
                messages.texts()[0].contains("empezar una estimación nueva"));
        QVERIFY(!toolkit::programEnded() && form.isShown() && form.Command1->isEnabled() &&
                !form.Command2->isEnabled() && support::shown(form, "Text1").isEmpty());
    }
};

SUPPORT_TEST_MAIN(TestEffort)
#include "tst_effort.moc"
