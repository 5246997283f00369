#include "screens/complexity/form6.h"

#include "app/registry.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "toolkit/runtime.h"

Form6::Form6() : Screen("Form6") {}

void Form6::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Valoración de los grados de Influencia"));
    setClientSize(5040, 3090);
    setDesignPosition(4185, 3135);

    Command1 = addButton("Command1", QStringLiteral("&Aceptar"), Twips{1440, 2520, 1455, 375}, 5);
    Text1 = addTextBox("Text1", Twips{3120, 720, 1215, 375}, 3);
    Option2 = addOption("Option2", Twips{720, 1560, 255, 495}, 1);
    Option1 = addOption("Option1", Twips{720, 720, 255, 375}, 0);
    Label2 = addLabel("Label2", QStringLiteral("Valoración de cada uno de los atributos"),
                      Twips{1200, 1680, 2895, 375}, 4);
    Label1 =
        addLabel("Label1", QStringLiteral("Valor directo de TGI"), Twips{1200, 720, 1815, 255}, 2);

    // The box opens only once the direct value has been chosen.
    Text1->setLocked(true);
    setDefaultButton(Command1);

    // The options have no caption of their own; the label beside each names it, and the first
    // label names the box on its line too. A screen reader hears each option once; the screen
    // asks no question of its own beyond its title, which is heard on arrival.
    Option1->describedBy(Label1);
    Option2->describedBy(Label2);
    Label1->hideFromScreenReaders();
    Label2->hideFromScreenReaders();
    Text1->setAccessibleName(Label1->caption());

    Option1->onClick([this] { Option1_Click(); });
    Option2->onClick([this] { Option2_Click(); });
    Text1->onChange([this] { Text1_Change(); });
    Command1->onClick([this] { Command1_Click(); });
}

void Form6::Option1_Click()
{
    Text1->setLocked(false);
}

void Form6::Option2_Click()
{
    Hide();
    app::screen<Form2>().Show();
}

void Form6::Text1_Change()
{
    const double typed = numeric::leadingNumberValue(Text1->text());
    // A value too large even for a whole number is simply out of range, like 96.
    const bool whole = numeric::fitsInteger(typed);
    if (whole)
        c = numeric::doubleToInteger(typed);
    if (!whole || c < 0 || c > 95) {
        toolkit::messageBox(QStringLiteral("El valor debe estar comprendido entre 0 y 95"),
                            QStringLiteral("Error"));
        // Raises this handler again at once, which finds the empty box in range.
        Text1->setText(QString());
    }
    Command1->setEnabled(true);
}

void Form6::Command1_Click()
{
    Hide();
    app::screen<Form3>().Show();
}
