#include "screen_test.h"

#include "toolkit/fonts.h"

#include "toolkit/runtime.h"
#include "toolkit/screen.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

// A screen made for these tests: a box named by its label, two option groups, a combo and three
// buttons. Every event it sees lands in `events`.
class Probe final : public toolkit::Screen
{
public:
    Probe() : Screen("Probe") {}

    toolkit::Ref<toolkit::TextBox> Text1;
    toolkit::Ref<toolkit::Label> Label1, Label2;
    toolkit::Ref<toolkit::OptionButton> Option1, Option2, Option3;
    toolkit::Ref<toolkit::ComboBox> Combo1;
    QStringList events;
    int loads = 0, activations = 0;

protected:
    void design() override
    {
        setClientSize(4800, 3600);
        Label1 = addLabel("Label1", "Cantidad", {120, 120, 1200, 255}, 0);
        Text1 = addTextBox("Text1", {1440, 120, 1440, 375}, 1);
        Option1 = addOption("Option1", {120, 1080, 300, 255}, 2);
        Label2 = addLabel("Label2", "Uno", {480, 1080, 800, 255}, 3);
        Option2 = addOption("Option2", {120, 1440, 300, 255}, 4);
        Option3 = addOption("Option3", {120, 360, 1200, 255}, 6,
                            addFrame("Frame1", "Otro", {1440, 1080, 1800, 900}, 5));
        Combo1 = addComboBox("Combo1", {3360, 120, 1335, 315}, 7);
        Combo1->addItems({"uno", "dos", "tres"});
        auto* aceptar = addButton("Aceptar", "&Aceptar", {120, 3000, 1215, 375}, 8);
        auto* cancelar = addButton("Cancelar", "&Cancel", {1440, 3000, 1215, 375}, 9);
        auto* otro = addButton("Otro", "&Otro", {2760, 3000, 1215, 375}, 10);
        Text1->describedBy(Label1);
        Option1->describedBy(Label2);
        Label2->hideFromScreenReaders();
        setDefaultButton(aceptar);
        setCancelButton(cancelar);

        const auto record = [this](QString event) { return [this, event] { events << event; }; };
        Label1->onChange(record("Label1_Change"));
        Option1->onClick(record("Option1_Click"));
        Option2->onClick(record("Option2_Click"));
        aceptar->onClick(record("Aceptar"));
        cancelar->onClick(record("Cancelar"));
        Combo1->onClick([this] { events << QString("Combo1_Click %1").arg(Combo1->listIndex()); });
        Text1->onChange([this] {
            events << "Text1_Change " + Text1->text();
            Text1->setText(Text1->text().trimmed()); // settles: the second write is equal
            Text1->toInteger();                      // fails unless the box holds a small number
        });
        otro->onClick([this] {
            events << "Otro begins";
            Text1->setText("x");
            events << "Otro ends";
        });
    }

    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
};

class TestControls final : public QObject
{
    Q_OBJECT

    std::unique_ptr<Probe> probe;

    template <class W = QWidget> W* part(auto name) { return support::widget<W>(*probe, name); }
    static auto* accessible(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

private slots:
    void init()
    {
        support::freshRun();
        probe = std::make_unique<Probe>();
        probe->Show();
    }
    void cleanup() { probe.reset(); }

    void changeFiresForEveryoneButEqualTexts()
    {
        probe->Label1->setCaption("Cantidad");
        probe->Label1->setCaption("Otra");
        for (const char* text : {"12", "12", " 7 "}) // the nested write settles on "7"
            probe->Text1->setText(text);
        support::type(*probe, "Text1", "45");
        // An assistive tool writing into the box is the user's edit.
        accessible(part("Text1"))->setText(QAccessible::Value, "3");
        QCOMPARE(std::exchange(probe->events, {}).join(u'|'),
                 "Label1_Change|Text1_Change 12|Text1_Change  7 |Text1_Change 7|Text1_Change 4|"
                 "Text1_Change 45|Text1_Change 3");

        // A locked box refuses the user and assistive tools alike; code still writes it.
        probe->Text1->setLocked(true);
        support::type(*probe, "Text1", "9");
        accessible(part("Text1"))->setText(QAccessible::Value, "8");
        QCOMPARE(support::shown(*probe, "Text1"), "3");
        probe->Text1->setText("9");
        QCOMPARE(probe->events, QStringList({"Text1_Change 9"}));
    }

    // A run-time error stops its handler where it failed and is told in plain words; the error's
    // number is only in the details, for whoever reports a fault.
    void runTimeErrorStopsTheHandler()
    {
        support::Messages messages;
        support::press(*probe, "Otro");
        QCOMPARE(probe->events, QStringList({"Otro begins", "Text1_Change x"}));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.seen[0].details, "Error 13: No coinciden los tipos");
        QVERIFY(!messages.seen[0].text.contains("Error 13"));
        QCOMPARE(support::shown(*probe, "Text1"), "x");
        QCOMPARE(support::focused(*probe), "Text1");
    }

    void plainWordsForEachSlip_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("advice");
        // clang-format off
        QTest::newRow("decimal point") << "1.5"    << "Separador decimal incorrecto" << "«,»: 1,5.";
        QTest::newRow("thousands")     << "1.000"  << "Número no válido" << "de miles: 1000.";
        QTest::newRow("too large")     << "99999"  << "Número demasiado grande" << "hasta 32767";
        QTest::newRow("too small")     << "-40000" << "Número demasiado pequeño" << "desde -32768";
        QTest::newRow("letters")       << "doce"   << "Número no válido" << "no es un número entero";
        QTest::newRow("empty")         << ""       << "Falta un número" << "está vacía";
        // clang-format on
    }
    void plainWordsForEachSlip()
    {
        QFETCH(QString, typed);
        QFETCH(QString, advice);
        support::type(*probe, "Text1", "1");
        support::Messages messages;
        auto* box = part<QLineEdit>("Text1"); // pasted at once: only the whole text is judged
        box->selectAll();
        typed.isEmpty() ? box->del() : box->insert(typed);
        QTEST(messages.titles().join(u'\n'), "title"); // exactly one
        QCOMPARE(messages.seen[0].kind, toolkit::MessageKind::Warning);
        QVERIFY2(messages.seen[0].text.contains(advice), qPrintable(messages.seen[0].text));
    }

    void optionsChooseByClickOrToggle()
    {
        // Choosing the selected option again is reported again.
        for (const char* option : {"Option3", "Option2", "Option1", "Option1"})
            support::click(part(option));
        QCOMPARE(std::exchange(probe->events, {}),
                 QStringList({"Option2_Click", "Option1_Click", "Option1_Click"}));
        // One group per container; True reads -1; clearing is silent.
        QCOMPARE(
            QList<int>({probe->Option1->value(), probe->Option2->value(), probe->Option3->value()}),
            QList<int>({-1, 0, -1}));
        probe->Option1->clear();
        QCOMPARE(probe->Option1->value(), numeric::Integer(0));

        // An assistive tool's toggle is a choice, reported once.
        accessible(part("Option2"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(probe->events, QStringList({"Option2_Click"}));
        QVERIFY(probe->Option2->isSelected());

        // Read once, by the caption beside it.
        QCOMPARE(accessible(part("Option1"))->text(QAccessible::Name), "Uno");
        QVERIFY(accessible(part("Label2"))->state().invisible);
        QVERIFY(!accessible(part("Label1"))->state().invisible);
    }

    // The focused option and the focused button show a ring; the default button stands apart.
    void focusAndDefaultArePlainToSee()
    {
        const auto ring = [this](const char* focus, const char* name, int pixels = 0) {
            part(focus)->setFocus();
            const QImage image = part(name)->grab().toImage();
            for (int x = 0; x < image.width(); ++x)
                pixels += image.pixelColor(x, image.height() / 2) ==
                          part(name)->palette().color(QPalette::Highlight);
            return pixels;
        };
        QVERIFY(QTest::qWaitForWindowActive(probe->window()));
        QCOMPARE(ring("Option2", "Option1"), 0);
        QVERIFY(ring("Option1", "Option1") >= 2);
        QVERIFY(ring("Cancelar", "Cancelar") >= 2 && ring("Cancelar", "Aceptar") == 0);
        QVERIFY(part("Aceptar")->font().bold() && !part("Cancelar")->font().bold());
    }

    void listsPickByKeyLetterAndFocusedWheelOnly()
    {
        auto* combo = part<QComboBox>("Combo1");
        // The list shows the screen's font, taken from the screen rather than set on the list.
        QCOMPARE(combo->font(), toolkit::defaultFont());
        QCOMPARE(probe->Combo1->listIndex(), numeric::Integer(-1));
        // The wheel passing over a list that has not the focus changes nothing.
        part("Text1")->setFocus();
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentIndex(), -1);

        combo->setFocus();
        QTest::keyClicks(combo, "t"); // the first item starting with "t"
        support::pick(*probe, "Combo1", 1);
        // An assistive tool toggles an item of the closed list.
        accessible(combo)->child(0)->child(0)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        support::key(*probe, Qt::Key_Return); // Enter in a list presses the default button
        QCOMPARE(probe->events.join(u'|'), "Combo1_Click 2|Combo1_Click 1|Combo1_Click 0|Aceptar");
    }

    void keysPressButtons()
    {
        QVERIFY(QTest::qWaitForWindowActive(probe->window()));
        support::key(*probe, Qt::Key_Return); // from the box
        support::key(*probe, Qt::Key_Escape);
        part("Cancelar")->setFocus();
        support::key(*probe, Qt::Key_Return); // a focused button takes Enter itself
        QTest::keyClick(probe->window(), Qt::Key_A, Qt::AltModifier); // access key
        QTRY_COMPARE(probe->events, QStringList({"Aceptar", "Cancelar", "Cancelar", "Aceptar"}));
    }

    void closeBoxEndsAfterAskingWhenDataIsAtStake_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<toolkit::Answer>("answer");
        QTest::addColumn<bool>("ended");
        QTest::newRow("nothing entered") << false << toolkit::Answer::No << true;
        QTest::newRow("data, Sí") << true << toolkit::Answer::Yes << true;
        QTest::newRow("data, No") << true << toolkit::Answer::No << false;
    }
    void closeBoxEndsAfterAskingWhenDataIsAtStake()
    {
        QFETCH(bool, unsaved);
        QFETCH(toolkit::Answer, answer);
        if (unsaved)
            toolkit::noteUnsavedData();
        support::Messages messages(answer);
        probe->window()->close();
        QCOMPARE(messages.texts().join(u'|'),
                 unsaved ? "¿Desea salir del programa? Se perderán los datos de esta estimación."
                         : "");
        QTEST(toolkit::programEnded(), "ended");
        QCOMPARE(probe->isShown(), !toolkit::programEnded());
    }

    void loadsOnceActivatesPerActivationNeverLeavesNoScreen()
    {
        probe->Show(); // already the active screen
        QCOMPARE(probe->activations, 1);
        probe->Hide();
        probe->Show();
        QCOMPARE(QList<int>({probe->loads, probe->activations}), QList<int>({1, 2}));

        // A handler that hides its screen and then fails before showing another one.
        support::Messages messages;
        toolkit::dispatch([this] {
            probe->Hide();
            throw numeric::RuntimeError(numeric::ErrorKind::Overflow);
        });
        QCOMPARE(messages.count(), 1);
        QVERIFY(probe->isShown());
    }
};

SUPPORT_TEST_MAIN(TestControls)
#include "tst_controls.moc"
