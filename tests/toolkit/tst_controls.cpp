#include "screen_test.h"

#include "toolkit/runtime.h"
#include "toolkit/screen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using toolkit::Twips;

// A screen made for these tests: two boxes, two option groups, a combo and three buttons.
class Probe final : public toolkit::Screen
{
    Q_OBJECT

public:
    Probe() : Screen("Probe") {}

    toolkit::TextBox* Text1 = nullptr;
    toolkit::TextBox* Text2 = nullptr;
    toolkit::Label* Label1 = nullptr;
    toolkit::OptionButton* Option1 = nullptr;
    toolkit::OptionButton* Option2 = nullptr;
    toolkit::OptionButton* Option3 = nullptr;
    toolkit::Frame* Frame1 = nullptr;
    toolkit::ComboBox* Combo1 = nullptr;
    toolkit::CommandButton* Aceptar = nullptr;
    toolkit::CommandButton* Cancelar = nullptr;
    toolkit::CommandButton* Otro = nullptr;

    QStringList events;
    int loads = 0;
    int activations = 0;
    // What Text1_Change does: nothing, copy itself normalised, or fail.
    enum class Mode { Record, Normalise, Fail } mode = Mode::Record;

protected:
    void design() override
    {
        setCaption(QStringLiteral("Probe"));
        setClientSize(4800, 3600);
        Label1 = addLabel("Label1", QStringLiteral("Cantidad"), Twips{120, 120, 1200, 255}, 0);
        Text1 = addTextBox("Text1", Twips{1440, 120, 1440, 375}, 1);
        Text2 = addTextBox("Text2", Twips{1440, 600, 1440, 375}, 2);
        Option1 = addOption("Option1", Twips{120, 1080, 1200, 255}, 3);
        Option2 = addOption("Option2", Twips{120, 1440, 1200, 255}, 4);
        Frame1 = addFrame("Frame1", QStringLiteral("Otro grupo"), Twips{1440, 1080, 1800, 900}, 5);
        Option3 = addOption("Option3", Twips{120, 360, 1200, 255}, 6, Frame1);
        Combo1 = addComboBox("Combo1", Twips{3360, 120, 1335, 315}, 7);
        Aceptar = addButton("Aceptar", QStringLiteral("&Aceptar"), Twips{120, 3000, 1215, 375}, 8);
        Cancelar =
            addButton("Cancelar", QStringLiteral("C&ancel"), Twips{1440, 3000, 1215, 375}, 9);
        Otro = addButton("Otro", QStringLiteral("&Otro"), Twips{2760, 3000, 1215, 375}, 10);
        Text1->describedBy(Label1);
        setDefaultButton(Aceptar);
        setCancelButton(Cancelar);
        for (const char* item : {"uno", "dos", "tres"})
            Combo1->addItem(QString::fromLatin1(item));

        connect(Text1, &toolkit::TextBox::Change, this, &Probe::Text1_Change);
        connect(Label1, &toolkit::Label::Change, this, [this] { events << "Label1_Change"; });
        connect(Option1, &toolkit::OptionButton::Click, this,
                [this] { events << "Option1_Click"; });
        connect(Combo1, &toolkit::ComboBox::Click, this,
                [this] { events << QStringLiteral("Combo1_Click %1").arg(Combo1->listIndex()); });
        connect(Aceptar, &toolkit::CommandButton::Click, this, [this] { events << "Aceptar"; });
        connect(Cancelar, &toolkit::CommandButton::Click, this, [this] { events << "Cancelar"; });
        connect(Otro, &toolkit::CommandButton::Click, this, &Probe::Otro_Click);
    }

    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }

private slots:
    void Text1_Change()
    {
        events << QStringLiteral("Text1_Change %1").arg(Text1->text());
        if (mode == Mode::Normalise)
            Text1->setText(Text1->text().trimmed()); // settles: the second write is equal
        else if (mode == Mode::Fail)
            Text2->toInteger();
    }

    void Otro_Click()
    {
        // A failure inside a nested Change stops this handler at that step.
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
        QCOMPARE(probe->events, QStringList({"Text1_Change 12", "Label1_Change"}));
    }

    void nestedChangeSettlesOnAnEqualText()
    {
        probe->mode = Probe::Mode::Normalise;
        probe->Text1->setText(QStringLiteral(" 7 "));
        QCOMPARE(probe->Text1->text(), QStringLiteral("7"));
        QCOMPARE(probe->events, QStringList({"Text1_Change  7 ", "Text1_Change 7"}));
    }

    void typingFiresChangeForEveryEdit()
    {
        support::type(support::widget<QLineEdit>(*probe, "Text1"), QStringLiteral("45"));
        QCOMPARE(probe->events, QStringList({"Text1_Change 4", "Text1_Change 45"}));
    }

    void lockedBoxRefusesTheUserButNotCode()
    {
        probe->Text1->setLocked(true);
        support::type(support::widget<QLineEdit>(*probe, "Text1"), QStringLiteral("9"));
        QCOMPARE(probe->Text1->text(), QString());
        probe->Text1->setText(QStringLiteral("9"));
        QCOMPARE(probe->Text1->text(), QStringLiteral("9"));
    }

    void runTimeErrorStopsTheHandlerAndIsShownOnce()
    {
        support::MessageCatcher messages;
        probe->mode = Probe::Mode::Fail;
        probe->Text2->setText(QStringLiteral("abc"));
        support::click(support::widget<QPushButton>(*probe, "Otro"));
        QCOMPARE(probe->events, QStringList({"Otro begins", "Text1_Change x"}));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.texts[0].contains(QStringLiteral("Text2")));
        QVERIFY(messages.texts[0].contains(QStringLiteral("No coinciden los tipos")));
        // What the handler did before the failing step stays, and the program goes on.
        QCOMPARE(probe->Text1->text(), QStringLiteral("x"));
        QVERIFY(!toolkit::programEnded());
    }

    void errorNamesTheBoxByItsCaption()
    {
        support::MessageCatcher messages;
        probe->mode = Probe::Mode::Fail;
        probe->Text2->describedBy(probe->Label1);
        probe->Text2->setText(QStringLiteral("40000"));
        support::type(support::widget<QLineEdit>(*probe, "Text1"), QStringLiteral("1"));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.texts[0].contains(QStringLiteral("«Cantidad»")));
        QVERIFY(messages.texts[0].contains(QStringLiteral("Desbordamiento")));
    }

    void optionValueReadsMinusOneAndClearsSilently()
    {
        support::click(support::widget<QRadioButton>(*probe, "Option1"));
        QCOMPARE(probe->Option1->value(), numeric::Integer(-1));
        QCOMPARE(probe->Option2->value(), numeric::Integer(0));
        // Choosing the selected option again is reported again.
        support::click(support::widget<QRadioButton>(*probe, "Option1"));
        QCOMPARE(probe->events, QStringList({"Option1_Click", "Option1_Click"}));

        probe->Option1->setValue(false);
        QCOMPARE(probe->Option1->value(), numeric::Integer(0));
        QCOMPARE(probe->events.size(), 2);
    }

    void optionGroupsArePerContainer()
    {
        support::click(support::widget<QRadioButton>(*probe, "Option3"));
        support::click(support::widget<QRadioButton>(*probe, "Option2"));
        QCOMPARE(probe->Option3->value(), numeric::Integer(-1));
        QCOMPARE(probe->Option2->value(), numeric::Integer(-1));
        support::click(support::widget<QRadioButton>(*probe, "Option1"));
        QCOMPARE(probe->Option2->value(), numeric::Integer(0));
    }

    void comboStartsEmptyAndOnlyAPickClicks()
    {
        auto* combo = support::widget<QComboBox>(*probe, "Combo1");
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(-1));
        QCOMPARE(combo->currentText(), QString());

        // Typing an item's whole text and leaving the field picks nothing.
        combo->setFocus();
        QTest::keyClicks(combo, QStringLiteral("dos"));
        QTest::keyClick(combo, Qt::Key_Tab);
        support::widget<QLineEdit>(*probe, "Text2")->setFocus();
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(-1));
        QVERIFY(probe->events.isEmpty());

        combo->setFocus();
        combo->lineEdit()->clear();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(probe->events, QStringList({"Combo1_Click 0"}));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(1));
        QCOMPARE(probe->events.size(), 2);
    }

    void enterPressesTheDefaultButtonAndEscapeTheCancelButton()
    {
        support::widget<QLineEdit>(*probe, "Text1")->setFocus();
        support::key(*probe, Qt::Key_Return);
        support::key(*probe, Qt::Key_Escape);
        QCOMPARE(probe->events, QStringList({"Aceptar", "Cancelar"}));

        probe->Aceptar->setEnabled(false);
        probe->Cancelar->setEnabled(false);
        support::key(*probe, Qt::Key_Return);
        support::key(*probe, Qt::Key_Escape);
        QCOMPARE(probe->events.size(), 2);
    }

    void enterInAComboPressesTheDefaultButton()
    {
        auto* combo = support::widget<QComboBox>(*probe, "Combo1");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Return);
        QCOMPARE(probe->events, QStringList({"Combo1_Click 0", "Aceptar"}));
    }

    void enterOnAFocusedButtonPressesThatButton()
    {
        support::widget<QPushButton>(*probe, "Cancelar")->setFocus();
        support::key(*probe, Qt::Key_Return);
        QCOMPARE(probe->events, QStringList({"Cancelar"}));
    }

    void accessKeyPressesItsButton()
    {
        QVERIFY(QTest::qWaitForWindowActive(probe->window()));
        QTest::keyClick(probe->window(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(probe->events, QStringList({"Otro begins", "Text1_Change x", "Otro ends"}));
    }

    void loadsOnceAndActivatesOncePerActivation()
    {
        QCOMPARE(probe->loads, 1);
        QCOMPARE(probe->activations, 1);
        probe->Show(); // already the active screen
        QCOMPARE(probe->activations, 1);
        probe->Hide();
        probe->Show();
        QCOMPARE(probe->loads, 1);
        QCOMPARE(probe->activations, 2);
    }

    void firstFocusGoesToTheFirstTabStop()
    {
        QCOMPARE(probe->window()->focusWidget(), support::widget<QWidget>(*probe, "Text1"));
        QWidget* next = support::widget<QWidget>(*probe, "Text1")->nextInFocusChain();
        QCOMPARE(next, support::widget<QWidget>(*probe, "Text2"));
    }

    void placesControlsInTwips()
    {
        QCOMPARE(probe->window()->size(), QSize(320, 240));
        QCOMPARE(support::widget<QWidget>(*probe, "Text1")->geometry(), QRect(96, 8, 96, 25));
        // Inside a frame, positions are relative to the frame.
        QCOMPARE(support::widget<QWidget>(*probe, "Option3")->pos(), QPoint(8, 24));
        QCOMPARE(support::widget<QLabel>(*probe, "Label1")->buddy(),
                 support::widget<QWidget>(*probe, "Text1"));
        QCOMPARE(support::widget<QWidget>(*probe, "Text1")->accessibleName(),
                 QStringLiteral("Cantidad"));
    }

    void closeBoxEndsTheProgram()
    {
        probe->window()->close();
        QVERIFY(toolkit::programEnded());
        QVERIFY(!probe->window()->isVisible());
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
