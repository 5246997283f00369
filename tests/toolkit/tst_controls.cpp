#include "screen_test.h"

#include "toolkit/runtime.h"
#include "toolkit/screen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using toolkit::Twips;

// A screen made for these tests: a box named by its label, two option groups, a combo and three
// buttons. Every event it sees lands in `events`.
class Probe final : public toolkit::Screen
{
    Q_OBJECT

public:
    Probe() : Screen("Probe") {}

    toolkit::TextBox* Text1 = nullptr;
    toolkit::Label* Label1 = nullptr;
    toolkit::OptionButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr;
    toolkit::ComboBox* Combo1 = nullptr;

    QStringList events;
    int loads = 0, activations = 0;

protected:
    void design() override
    {
        setClientSize(4800, 3600);
        Label1 = addLabel("Label1", QStringLiteral("Cantidad"), Twips{120, 120, 1200, 255}, 0);
        Text1 = addTextBox("Text1", Twips{1440, 120, 1440, 375}, 1);
        Option1 = addOption("Option1", Twips{120, 1080, 1200, 255}, 2);
        Option2 = addOption("Option2", Twips{120, 1440, 1200, 255}, 3);
        auto* frame = addFrame("Frame1", QStringLiteral("Otro"), Twips{1440, 1080, 1800, 900}, 4);
        Option3 = addOption("Option3", Twips{120, 360, 1200, 255}, 5, frame);
        Combo1 = addComboBox("Combo1", Twips{3360, 120, 1335, 315}, 6);
        auto* aceptar =
            addButton("Aceptar", QStringLiteral("&Aceptar"), Twips{120, 3000, 1215, 375}, 7);
        auto* cancelar =
            addButton("Cancelar", QStringLiteral("&Cancel"), Twips{1440, 3000, 1215, 375}, 8);
        auto* otro = addButton("Otro", QStringLiteral("&Otro"), Twips{2760, 3000, 1215, 375}, 9);
        Text1->describedBy(Label1);
        setDefaultButton(aceptar);
        setCancelButton(cancelar);
        for (const char* item : {"uno", "dos", "tres"})
            Combo1->addItem(QString::fromLatin1(item));

        const auto record = [this](auto* control, auto event, const char* name) {
            connect(control, event, this, [this, name] { events << QString::fromLatin1(name); });
        };
        record(Label1, &toolkit::Label::Change, "Label1_Change");
        record(Option1, &toolkit::OptionButton::Click, "Option1_Click");
        record(aceptar, &toolkit::CommandButton::Click, "Aceptar");
        record(cancelar, &toolkit::CommandButton::Click, "Cancelar");
        record(Combo1, &toolkit::ComboBox::Click, "Combo1_Click");
        connect(Text1, &toolkit::TextBox::Change, this, &Probe::Text1_Change);
        connect(otro, &toolkit::CommandButton::Click, this, &Probe::Otro_Click);
    }

    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }

private slots:
    void Text1_Change()
    {
        events << QStringLiteral("Text1_Change %1").arg(Text1->text());
        Text1->setText(Text1->text().trimmed()); // settles: the second write is equal
        Text1->toInteger();                      // fails unless the box holds a small number
    }

    void Otro_Click()
    {
        events << "Otro begins";
        Text1->setText(QStringLiteral("x"));
        events << "Otro ends";
    }
};

class TestControls final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Probe> probe;

private slots:
    void init()
    {
        support::freshRun();
        probe = std::make_unique<Probe>();
        probe->Show();
    }
    void cleanup() { probe.reset(); }

    void changeFiresOnlyForADifferentText()
    {
        probe->Text1->setText(QStringLiteral("12"));
        probe->Text1->setText(QStringLiteral("12"));
        probe->Label1->setCaption(QStringLiteral("Cantidad"));
        probe->Label1->setCaption(QStringLiteral("Otra"));
        probe->Text1->setText(QStringLiteral(" 7 ")); // the nested write settles on "7"
        support::type(*probe, "Text1", QStringLiteral("45"));
        probe->Text1->setLocked(true);
        support::type(*probe, "Text1", QStringLiteral("9")); // refused
        QCOMPARE(support::shown(*probe, "Text1"), QStringLiteral("45"));
        probe->Text1->setText(QStringLiteral("9")); // code still can
        QCOMPARE(probe->events, QStringList({"Text1_Change 12", "Label1_Change", "Text1_Change  7 ",
                                             "Text1_Change 7", "Text1_Change 4", "Text1_Change 45",
                                             "Text1_Change 9"}));
    }

    void runTimeErrorStopsTheHandlerAndIsShownOnce()
    {
        support::MessageCatcher messages;
        support::press(*probe, "Otro");
        QCOMPARE(probe->events, QStringList({"Otro begins", "Text1_Change x"}));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.texts[0].contains(QStringLiteral("«Cantidad»")));
        QVERIFY(messages.texts[0].contains(QStringLiteral("No coinciden los tipos")));
        // What the handler did before the failing step stays, and the program goes on.
        QCOMPARE(support::shown(*probe, "Text1"), QStringLiteral("x"));
        QVERIFY(!toolkit::programEnded());
        // The focus is back in the box to correct.
        QCOMPARE(probe->window()->focusWidget(), support::widget<QWidget>(*probe, "Text1"));

        support::type(*probe, "Text1", QStringLiteral("40000")); // only the last edit overflows
        QCOMPARE(messages.count(), 2);
        QVERIFY(messages.texts[1].contains(QStringLiteral("Desbordamiento")));
    }

    void optionsReadMinusOneClearSilentlyAndGroupPerContainer()
    {
        for (const char* option : {"Option3", "Option2", "Option1", "Option1"})
            support::click(support::widget<QRadioButton>(*probe, option));
        // Choosing the selected option again is reported again.
        QCOMPARE(probe->events, QStringList({"Option1_Click", "Option1_Click"}));
        QCOMPARE(probe->Option1->value(), numeric::Integer(-1));
        QCOMPARE(probe->Option2->value(), numeric::Integer(0));
        QCOMPARE(probe->Option3->value(), numeric::Integer(-1));

        probe->Option1->setValue(false);
        QCOMPARE(probe->Option1->value(), numeric::Integer(0));
        QCOMPARE(probe->events.size(), 2);
    }

    void comboTypingPicksNothingAndArrowsPick()
    {
        auto* combo = support::widget<QComboBox>(*probe, "Combo1");
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("dos"));
        QTest::keyClick(combo, Qt::Key_Tab);
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(-1));
        QVERIFY(probe->events.isEmpty());

        combo->lineEdit()->clear();
        support::pick(*probe, "Combo1", 1);
        support::key(*probe, Qt::Key_Return); // Enter in a combo still presses the default
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(1));
        QCOMPARE(probe->events, QStringList({"Combo1_Click", "Combo1_Click", "Aceptar"}));
    }

    void keysPressButtons()
    {
        QVERIFY(QTest::qWaitForWindowActive(probe->window()));
        support::key(*probe, Qt::Key_Return); // from the box
        support::key(*probe, Qt::Key_Escape);
        support::widget<QPushButton>(*probe, "Cancelar")->setFocus();
        support::key(*probe, Qt::Key_Return); // a focused button takes Enter itself
        QTest::keyClick(probe->window(), Qt::Key_A, Qt::AltModifier); // access key
        QTRY_COMPARE(probe->events, QStringList({"Aceptar", "Cancelar", "Cancelar", "Aceptar"}));
    }

    void loadsOnceActivatesPerActivationAndCloseBoxEnds()
    {
        probe->Show(); // already the active screen
        QCOMPARE(probe->activations, 1);
        probe->Hide();
        probe->Show();
        QCOMPARE(probe->loads, 1);
        QCOMPARE(probe->activations, 2);

        probe->window()->close();
        QVERIFY(toolkit::programEnded());
        QVERIFY(!probe->window()->isVisible());
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
