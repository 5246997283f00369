#include "screens/complexity/form2.h"

#include "app/registry.h"
#include "screens/complexity/form3.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <QByteArray>

namespace {

// One attribute row, in the order of method::attributeNames(): the tab index of its name, and
// where its hidden rating box lies.
struct Attribute
{
    int labelTabIndex;
    int ratingLeft;
    int ratingTop;
};

const std::array<Attribute, Form2::kAttributes> kAttributeRows = {{
    {0, 5880, 0},     // Comunicación de datos
    {20, 5880, 360},  // Funciones distribuídas
    {21, 5880, 840},  // Prestaciones
    {22, 5880, 1320}, // Gran uso de la configuración
    {23, 5880, 1800}, // Velocidad de las transacciones
    {24, 5880, 2160}, // Entrada de datos en línea
    {25, 5880, 2520}, // Diseño para la eficiencia del usuario final
    {26, 5880, 2880}, // Actualización de datos en línea
    {27, 5880, 3240}, // Complejidad del proceso lógico interno de la aplic.
    {28, 5880, 3600}, // Reusabilidad del código
    {29, 5760, 3960}, // Facilidad de instalación
    {30, 5880, 4320}, // Facilidad de operación
    {31, 5880, 5400}, // Localizaciones múltiples
    {32, 6000, 6480}, // Facilidad de cambios
    {33, 6000, 6840}, // Requerimientos de otras aplicaciones
    {34, 6000, 7200}, // Seguridad, privacidad, auditabilidad
    {35, 6000, 7680}, // Necesidades de formación
    {36, 600, 7560},  // Uso por terceras partes
    {37, 2160, 7560}, // Documentación
}};

// The grid's columns. The influence column takes the room that was free at its right, and the
// names' column the room at its left, so that every rating and every name reads whole, clear of
// the lines.
constexpr int kGridLeft = 360;
constexpr int kDivider = 4290;
constexpr int kGridRight = 6045;
constexpr int kRatingLeft = kDivider + 15;
constexpr int kRatingWidth = 1725;
constexpr int kNameLeft = 450;

QByteArray nameOf(const char* kind, int row)
{
    return QByteArray(kind) + QByteArray::number(row);
}

} // namespace

Form2::Form2() : Screen("Form2") {}

void Form2::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Valoración de Grados de Influencia"));
    setClientSize(7470, 8010);
    setDesignPosition(2340, 450);

    for (int k = kAttributes; k >= 1; --k)
        Combos[k - 1] =
            addComboBox(nameOf("Combo", k).constData(),
                        Twips{kRatingLeft, 600 + 360 * (k - 1), kRatingWidth, 315}, 43 + k);
    Text20 = addTextBox("Text20", Twips{kDivider + 120, 7440, 1215, 285}, 43);
    for (int k = kAttributes; k >= 1; --k) {
        const Attribute& row = kAttributeRows[k - 1];
        Texts[k - 1] = addTextBox(nameOf("Text", k).constData(),
                                  Twips{row.ratingLeft, row.ratingTop, 1215, 285}, k);
    }
    Aceptar = addButton("Aceptar", QStringLiteral("&Aceptar"), Twips{6120, 5880, 1215, 375}, 42);
    Sumar = addButton("Sumar", QStringLiteral("&Sumar"), Twips{6120, 4920, 1215, 375}, 41);
    toolkit::Label* Label22 =
        addLabel("Label22", QStringLiteral("TGI"), Twips{3720, 7560, 375, 255}, 40);
    toolkit::Label* Label21 = addLabel("Label21", QStringLiteral("INFLUENCIA"),
                                       Twips{kDivider + 120, 360, 1215, 255}, 39);
    toolkit::Label* Label20 =
        addLabel("Label20", QStringLiteral("ATRIBUTOS"), Twips{1800, 360, 1095, 255}, 38);
    for (int k = kAttributes; k >= 1; --k) {
        const Attribute& row = kAttributeRows[k - 1];
        Labels[k - 1] = addLabel(nameOf("Label", k).constData(), method::attributeNames()[k - 1],
                                 Twips{kNameLeft, 720 + 360 * (k - 1), kDivider - kNameLeft, 255},
                                 row.labelTabIndex);
    }

    // The grid: a header row, one row per attribute, and below them the TGI cell.
    addLine("Line2", kGridLeft, 240, kGridRight, 240);
    const std::array<int, kAttributes + 1> rowLines = {5,  6,  7,  8, 9,  10, 11, 12, 13, 14,
                                                       15, 16, 17, 4, 18, 19, 20, 21, 22, 23};
    for (int i = 0; i < int(rowLines.size()); ++i)
        addLine(nameOf("Line", rowLines[i]).constData(), kGridLeft, 600 + 360 * i, kGridRight,
                600 + 360 * i);
    addLine("Line25", kDivider, 7800, kGridRight, 7800);
    addLine("Line3", kGridLeft, 7440, kGridLeft, 240);
    addLine("Line24", kDivider, 240, kDivider, 7800);
    addLine("Line1", kGridRight, 7800, kGridRight, 240);

    for (toolkit::Label* heading : {Label22, Label21, Label20})
        heading->setFont(toolkit::boldFont());
    // The rating boxes only carry each pick to the sum; the user never sees them.
    for (toolkit::TextBox* rating : Texts)
        rating->setVisible(false);
    Text20->setLocked(true);
    Text20->setEnabled(false);
    setDefaultButton(Sumar);

    // A name keeps to its one row rather than wrapping into the next.
    for (toolkit::Label* name : Labels)
        name->setWordWrap(false);

    for (int k = 0; k < kAttributes; ++k) {
        Combos[k]->describedBy(Labels[k]);
        Texts[k]->setAccessibleName(Labels[k]->caption().trimmed());
    }
    Text20->describedBy(Label22);

    using Handler = void (Form2::*)();
    const std::array<Handler, kAttributes> comboClicks = {
        &Form2::Combo1_Click,  &Form2::Combo2_Click,  &Form2::Combo3_Click,  &Form2::Combo4_Click,
        &Form2::Combo5_Click,  &Form2::Combo6_Click,  &Form2::Combo7_Click,  &Form2::Combo8_Click,
        &Form2::Combo9_Click,  &Form2::Combo10_Click, &Form2::Combo11_Click, &Form2::Combo12_Click,
        &Form2::Combo13_Click, &Form2::Combo14_Click, &Form2::Combo15_Click, &Form2::Combo16_Click,
        &Form2::Combo17_Click, &Form2::Combo18_Click, &Form2::Combo19_Click,
    };
    for (int k = 0; k < kAttributes; ++k)
        Combos[k]->onClick([this, handler = comboClicks[k]] { (this->*handler)(); });
    Sumar->onClick([this] { Sumar_Click(); });
    Aceptar->onClick([this] { Aceptar_Click(); });
}

void Form2::Form_Load()
{
    // Each list is filled in one step, so that assistive tools hear of it once.
    for (toolkit::ComboBox* combo : Combos)
        combo->addItems(method::degrees());
    Aceptar->setEnabled(false);
}

void Form2::rateRow(int row)
{
    const QString before = Texts[row - 1]->text();
    Texts[row - 1]->setText(numeric::integerToText(Combos[row - 1]->listIndex()));
    if (Sumar->isEnabled() || numeric::textEquals(Texts[row - 1]->text(), before))
        return;
    // A rating changed after the sum: the total shown no longer holds and must be summed again.
    Text20->setText(QString());
    Text20->setEnabled(false);
    Aceptar->setEnabled(false);
    Sumar->setEnabled(true);
    setDefaultButton(Sumar);
}

void Form2::Sumar_Click()
{
    // An attribute left unrated is named, so that the user can rate it and sum again; nothing
    // changes until all 19 are rated.
    for (int k = 0; k < kAttributes; ++k) {
        if (numeric::textEquals(Texts[k]->text(), QString())) {
            toolkit::messageBox(QStringLiteral("Falta la valoración del atributo «%1». Elija su "
                                               "grado de influencia y pulse «Sumar» de nuevo.")
                                    .arg(Labels[k]->caption().trimmed()),
                                QStringLiteral("Falta una valoración"));
            Combos[k]->setFocus();
            return;
        }
    }

    std::array<numeric::Integer, kAttributes> rating{};
    for (int k = 0; k < kAttributes; ++k)
        rating[k] = Texts[k]->toInteger();
    TGI = method::totalInfluence(rating);
    Text20->setEnabled(true);
    Text20->setText(numeric::integerToText(TGI));
    Sumar->setEnabled(false);
    Aceptar->setEnabled(true);

    // The total is read next; Enter goes on.
    setDefaultButton(Aceptar);
    Text20->focusAsResult();
}

void Form2::Aceptar_Click()
{
    Hide();
    app::screen<Form3>().Show();
    // On this road the adjustment's result boxes start greyed; its own steps enable them.
    app::loaded<Form3>().Text1->setEnabled(false);
    app::loaded<Form3>().Text3->setEnabled(false);
    app::loaded<Form3>().Text4->setEnabled(false);
}
