#include "screens/complexity/form6.h"

#include "app/registry.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "toolkit/runtime.h"

#include <QRegularExpression>

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
    // Nothing has been chosen yet; Enter must not go on without a degree of influence.
    Command1->setEnabled(false);
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
    // The choice has opened the box: the user types there next.
    Text1->setFocus();
}

void Form6::Option2_Click()
{
    Hide();
    app::screen<Form2>().Show();
}

namespace {

enum class TgiText { Incomplete, Whole, NotWhole };

// TGI is a sum of whole ratings: only digits, with a sign at most. A box that is empty or holds
// only a sign is still being typed.
TgiText classify(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == u"-" || trimmed == u"+")
        return TgiText::Incomplete;
    return whole.match(trimmed).hasMatch() ? TgiText::Whole : TgiText::NotWhole;
}

} // namespace

void Form6::Text1_Change()
{
    const QString text = Text1->text();
    switch (classify(text)) {
    case TgiText::Incomplete:
        c = 0;
        break;
    case TgiText::NotWhole:
        c = 0;
        toolkit::messageBox(QStringLiteral("El TGI es un número entero de 0 a 95; «%1» no lo es. "
                                           "Escríbalo sin decimales ni letras.")
                                .arg(text.trimmed()),
                            QStringLiteral("TGI no válido"));
        // Raises this handler again at once, which finds the box empty.
        Text1->setText(QString());
        break;
    case TgiText::Whole: {
        const double typed = numeric::leadingNumberValue(text);
        // A value too large even for a whole number is simply out of range, like 96.
        const bool fits = numeric::fitsInteger(typed);
        c = fits ? numeric::doubleToInteger(typed) : 0;
        if (!fits || c < 0 || c > 95) {
            c = 0;
            toolkit::messageBox(QStringLiteral("El valor debe estar comprendido entre 0 y 95"),
                                QStringLiteral("TGI fuera de rango"));
            Text1->setText(QString());
        }
        break;
    }
    }
    updateAccept();
}

// Going on needs a whole number from 0 to 95 in the box, which opens only with the direct value.
void Form6::updateAccept()
{
    Command1->setEnabled(classify(Text1->text()) == TgiText::Whole);
}

void Form6::Command1_Click()
{
    Hide();
    app::screen<Form3>().Show();
}
