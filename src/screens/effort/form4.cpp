#include "screens/effort/form4.h"

#include "app/registry.h"
#include "method/productivity.h"
#include "numeric/numeric.h"
#include "screens/complexity/form3.h"
#include "screens/effort/form5.h"
#include "toolkit/fonts.h"

Form4::Form4() : Screen("Form4") {}

void Form4::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Cálculo de la Productividad estimada"));
    setClientSize(4965, 3645);
    setDesignPosition(3600, 3135);

    Text2 = addTextBox("Text2", Twips{2880, 960, 1575, 375}, 6);
    Combo1 = addComboBox("Combo1", Twips{2880, 480, 1695, 315}, 0);
    Command2 = addButton("Command2", QStringLiteral("&Aceptar"), Twips{3120, 2760, 1215, 375}, 4);
    Command1 = addButton("Command1", QStringLiteral("&Calcular"), Twips{600, 2760, 1215, 375}, 3);
    Text1 = addTextBox("Text1", Twips{1200, 1560, 2415, 375}, 1);
    Label2 = addLabel("Label2", QStringLiteral("Seleccione el Lenguaje de Programación: "),
                      Twips{240, 360, 2415, 495}, 5);
    Label1 = addLabel("Label1", QStringLiteral("P = "), Twips{720, 1680, 495, 255}, 2);

    // Text2 only carries the picked list position from the combo's click to the factor rule.
    Text2->setVisible(false);
    Text2->setAccessibleName(QStringLiteral("el lenguaje elegido"));
    Text1->setLocked(true);
    Label2->setFont(toolkit::boldFont());
    Label1->setFont(toolkit::boldFont(9.75));
    Combo1->describedBy(Label2);
    Text1->describedBy(Label1);
    setDefaultButton(Command1);

    Combo1->onClick([this] { Combo1_Click(); });
    Command1->onClick([this] { Command1_Click(); });
    Command2->onClick([this] { Command2_Click(); });
}

void Form4::Form_Load()
{
    Combo1->addItems(method::languages());
}

void Form4::Form_Activate()
{
    A = app::screen<Form3>().PFA;
}

void Form4::Combo1_Click()
{
    Text2->setText(numeric::integerToText(Combo1->listIndex()));

    // The first ten languages of the list get the higher factor.
    B = method::languageFactor(Text2->toDouble());

    // The productivity shown belonged to the language picked before: it goes, and the effort
    // waits until it has been calculated for this one. Enter calculates it.
    Text1->setText(QString());
    Command2->setEnabled(false);
    Command1->setEnabled(true);
    setDefaultButton(Command1);
}

void Form4::Command1_Click()
{
    const method::Productivity productivity = method::productivity(A, B);
    z = productivity.bellCurve;
    P = productivity.perHour;
    k = productivity.growth;

    Text1->setText(numeric::doubleToText(P));

    Command2->setEnabled(true);
    Command1->setEnabled(false);

    // P is read next; Enter goes on to the effort.
    setDefaultButton(Command2);
    Text1->focusAsResult();
}

void Form4::Command2_Click()
{
    Hide();
    app::screen<Form5>().Show();

    Form5& effort = app::loaded<Form5>();
    effort.Calcular->setEnabled(true);
    effort.Informe->setEnabled(false);
    effort.Finalizar->setEnabled(false);
    effort.Text1->setLocked(true);
    effort.Text2->setLocked(true);
    effort.Text3->setLocked(true);
}
