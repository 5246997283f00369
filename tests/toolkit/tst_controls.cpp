#include "screen_test.h"

#include "toolkit/fonts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QFrame>
#include <QTimer>
#include <QWheelEvent>

// A screen made for these tests: a box named by its label, two option groups, a combo and three
// buttons. Every event it sees lands in `events`.
class Probe final : public toolkit::Screen
{
public:
    Probe() : Screen("Probe") {}

    toolkit::Ref<toolkit::TextBox> Text1;
    toolkit::Ref<toolkit::Label> Label1, Label2, Label3;
    toolkit::Ref<toolkit::OptionButton> Option1, Option2, Option3;
    toolkit::Ref<toolkit::ComboBox> Combo1;
    QStringList events;

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
        Label3 = addLabel("Label3", "Lista", {3360, 480, 1335, 255}, 11);
        Combo1 = addComboBox("Combo1", {3360, 120, 1335, 315}, 7);
        Combo1->addItems({"uno", "dos", "tres"});
        Combo1->describedBy(Label3);
        addLine("Line1", 120, 2800, 4600, 2800);
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
};

// A screen without a cancel button, closed by Escape, whose closing fails half way.
class FailingClose final : public toolkit::Screen
{
public:
    FailingClose() : Screen("FailingClose") {}

protected:
    void design() override { setEscapeCloses(true); }
    void closeBox() override
    {
        Hide();
        throw numeric::RuntimeError(numeric::ErrorKind::Overflow);
    }
};

class TestControls final : public QObject
{
    Q_OBJECT

    std::unique_ptr<Probe> probe;
    // A query that never returns aborts the test function instead of freezing the run.
    const bool timeLimit = qputenv("QTEST_FUNCTION_TIMEOUT", "15000");

    template <class W = QWidget> W* part(auto name) { return support::widget<W>(*probe, name); }
    static auto* accessible(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
    QAccessibleInterface* a11y(const char* name) { return accessible(part(name)); }
    static void act(QAccessibleInterface* t, QString a) { t->actionInterface()->doAction(a); }
    QString events() { return std::exchange(probe->events, {}).join(u'|'); }
    QString acted(QAccessibleInterface* t, QString a) { return act(t, a), events(); }
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const QString press = QAccessibleActionInterface::pressAction();

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
        a11y("Text1")->setText(QAccessible::Value, "3"); // an assistive tool's edit is the user's
        QCOMPARE(events(),
                 "Label1_Change|Text1_Change 12|Text1_Change  7 |Text1_Change 7|Text1_Change 4|"
                 "Text1_Change 45|Text1_Change 3");

        // A locked box refuses the user and assistive tools alike; code still writes it.
        probe->Text1->setLocked(true);
        support::type(*probe, "Text1", "9");
        a11y("Text1")->setText(QAccessible::Value, "8");
        QCOMPARE(support::shown(*probe, "Text1"), "3");
        probe->Text1->setText("9");
        QCOMPARE(events(), "Text1_Change 9");
    }

    // A run-time error stops its handler where it failed and is told in plain words; the error's
    // number is only in the details, for whoever reports a fault.
    void runTimeErrorStopsTheHandler()
    {
        support::Messages messages;
        support::press(*probe, "Otro");
        QCOMPARE(events(), "Otro begins|Text1_Change x");
        QCOMPARE(messages.seen[0].details, "Error 13: No coinciden los tipos");
        QVERIFY(!messages.seen[0].text.contains("Error 13"));
        QCOMPARE(support::shown(*probe, "Text1") + support::focused(*probe), "xText1");

        // A handler hides its screen, then fails: a run-time error, then no exception at all.
        for (auto fail : {+[] { throw numeric::RuntimeError(numeric::ErrorKind::Overflow); },
                          +[] { throw 42; }}) {
            toolkit::dispatch([&] { probe->Hide(), fail(); });
            QVERIFY(probe->isShown()); // never no screen
        }
        // Escape closes as the close box does, so a failure there is told the same way.
        FailingClose closing;
        closing.Show();
        probe->Hide();
        support::key(closing, Qt::Key_Escape);
        QVERIFY(closing.isShown());
        QCOMPARE(messages.titles().join(u'|'),
                 "Número no válido|No se puede calcular|Error interno "
                 "del programa|No se puede calcular");
    }

    void plainWordsForEachSlip_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("advice");
        // clang-format off
        QTest::newRow("decimal point") << "1.5"    << "Separador decimal incorrecto" << "«,»: 1,5.";
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
        QVERIFY2(messages.seen[0].text.contains(advice), qPrintable(messages.seen[0].text));
    }

    void optionsChooseByClickOrToggle()
    {
        for (const char* option : {"Option3", "Option2", "Option1", "Option1"}) // again is again
            support::click(part(option));
        QCOMPARE(events(), "Option2_Click|Option1_Click|Option1_Click");
        // One group per container; True reads -1; clearing is silent.
        QCOMPARE(
            QList<int>({probe->Option1->value(), probe->Option2->value(), probe->Option3->value()}),
            QList<int>({-1, 0, -1}));
        probe->Option1->clear();
        QCOMPARE(probe->Option1->value(), numeric::Integer(0));

        act(a11y("Option2"), toggle); // an assistive tool's toggle is a choice, reported once
        QCOMPARE(events(), "Option2_Click");
        QVERIFY(probe->Option2->isSelected());
        // Read once, by the caption beside it.
        QCOMPARE(a11y("Option1")->text(QAccessible::Name), "Uno");
    }

    void listsPickByKeyLetterAndFocusedWheelOnly()
    {
        auto* combo = part<QComboBox>("Combo1");
        QCOMPARE(combo->font(), toolkit::defaultFont());   // the screen's, not set on the list
        QVERIFY(combo->findChildren<QFrame*>().isEmpty()); // its drop-down is built when needed
        part("Text1")->setFocus(); // the wheel over a list without the focus changes nothing
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        QCOMPARE(combo->currentIndex(), -1);

        QVERIFY(QTest::qWaitForWindowActive(probe->window())); // for the keys below
        combo->setFocus(); // moving through the closed list is heard: the item and its place
        QStringList heard;
        for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_T}) { // T: the first item with a "t"
            QTest::keyClick(combo, Qt::Key(key));
            heard << support::announced(*probe); // a typed letter is heard anyway
        }
        QCOMPARE(heard, QStringList({"uno, 1 de 3", "dos, 2 de 3", ""}));
        support::pick(*probe, "Combo1", 1);
        act(accessible(combo)->child(0)->child(0), toggle);           // an item of the closed list
        support::key(*probe, Qt::Key_Return);                         // presses the default button
        support::key(*probe, Qt::Key_Escape);                         // and the cancel button
        QTest::keyClick(probe->window(), Qt::Key_A, Qt::AltModifier); // an access key
        QTRY_COMPARE(
            probe->events.join(u'|'),
            "Combo1_Click 0|Combo1_Click 1|Combo1_Click 2|Combo1_Click 1|Combo1_Click 0|Aceptar|"
            "Cancelar|Aceptar");
    }

    // What an assistive tool does counts as the user's choice, in any state of the control.
    void assistiveActionsChooseAndPick()
    {
        // The option already chosen is chosen again, once, as Space does.
        support::click(part("Option1"));
        probe->events.clear();
        QCOMPARE(acted(a11y("Option1"), toggle), "Option1_Click");
        QVERIFY(a11y("Option1")->state().checked);

        // A pick in the open list is taken when it closes; browsing, then Escape, is not a pick.
        auto* combo = part<QComboBox>("Combo1");
        QAccessibleInterface *list = accessible(combo), *items = list->child(0);
        QCOMPARE(acted(list, QAccessibleActionInterface::showMenuAction()), "");
        QVERIFY(combo->view()->isVisible() && list->state().expanded);
        QCOMPARE(acted(items->child(2), toggle), "");
        QCOMPARE(acted(list, press), "Combo1_Click 2");
        act(list, press);
        items->tableInterface()->selectRow(1);
        QCOMPARE(acted(list, press), "Combo1_Click 1");
        combo->showPopup();
        QTest::keyClick(combo->view(), Qt::Key_Up);
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        QCOMPARE(events(), "");
        QCOMPARE(list->text(QAccessible::Value), "dos"); // and labelled by its caption
        const auto labels = list->relations(QAccessible::Label);
        QVERIFY(labels.size() == 1 && labels[0].first->object() == part("Label3"));
    }

    // While a message box is open, nothing reaches the window behind it, not even an assistive
    // tool: no click, no choice, no pick, no text.
    void nothingActsBehindAMessageBox()
    {
        toolkit::setMessageHook(nullptr);
        QTimer::singleShot(0, probe.get(), [&] {
            act(a11y("Aceptar"), press);
            act(a11y("Option2"), toggle);
            a11y("Combo1")->child(0)->tableInterface()->selectRow(2);
            a11y("Text1")->setText(QAccessible::Value, "5");
            a11y("Text1")->editableTextInterface()->insertText(0, "7");
            QTest::qWait(300); // Qt presses a button after a short animation
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        toolkit::messageBox("Un aviso", "Aviso");
        QCOMPARE(events() + support::shown(*probe, "Text1"), "");
        QVERIFY(!probe->Option2->isSelected() && probe->Combo1->listIndex() == -1);
    }

    void boxTextAtEveryOffset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("decimals") << "19,86";
        QTest::newRow("words") << "uno,  dos.";
    }
    // Every text query answers at every offset, the end included, within the time limit; a line
    // is always the whole text, in one run of attributes.
    void boxTextAtEveryOffset()
    {
        QFETCH(QString, text);
        const support::Messages messages; // the box's handler refuses some of these
        toolkit::dispatch([&] { probe->Text1->setText(text); });
        QAccessibleTextInterface* box = a11y("Text1")->textInterface();
        const int length = int(text.size());
        int start = 0, end = 0; // first the word at the end, where Qt 6.4 never returns
        QCOMPARE(box->textAtOffset(length, QAccessible::CharBoundary, &start, &end), "");
        if (length > 0 && !text.contains(u' ')) // a number is one word
            QCOMPARE(box->textAtOffset(3, QAccessible::WordBoundary, &start, &end), text);
        for (int offset = 0; offset <= length; ++offset) {
            for (int type = QAccessible::CharBoundary; type <= QAccessible::NoBoundary; ++type) {
                const auto boundary = QAccessible::TextBoundaryType(type);
                start = end = -2;
                const QString found = box->textAtOffset(offset, boundary, &start, &end);
                QVERIFY2(found == text.mid(start, end - start) &&
                             (type == QAccessible::CharBoundary || length == 0 ||
                              (start <= std::min(offset, length - 1) && offset <= end)) &&
                             (type < QAccessible::SentenceBoundary || found == text),
                         qPrintable(QString("%1 at %2").arg(type).arg(offset)));
                box->textBeforeOffset(offset, boundary, &start, &end);
                QVERIFY(end <= offset || start == -1);
                box->textAfterOffset(offset, boundary, &start, &end);
                QVERIFY(start >= offset || start == -1);
            }
            box->attributes(offset, &start, &end);
            QCOMPARE(QList<int>({start, end}), QList<int>({0, length}));
        }
    }

    // Lines and captions that only repeat a control's name are not in the tree at all.
    void decorationsAreNotInTheTree()
    {
        auto* w = accessible(probe->window()->findChild<QWidget*>("design")); // scrolled
        QStringList children; // each found again at its place
        for (int i = 0; i < w->childCount(); ++i)
            children << w->child(w->indexOfChild(w->child(i)))->object()->objectName();
        QCOMPARE(children.join(u' '),
                 "Label1 Text1 Option1 Option2 Frame1 Label3 Combo1 Aceptar Cancelar Otro");
        QCOMPARE(a11y("Frame1")->text(QAccessible::Name), "Otro");
        QCOMPARE(a11y("Frame1")->childCount(), 1);
    }
};

SUPPORT_TEST_MAIN(TestControls)
#include "tst_controls.moc"
