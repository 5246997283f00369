#include "screens/complexity/form2.h"

#include "app/registry.h"
#include "screens/complexity/form3.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <QByteArray>
#include <QStringList>

namespace {

// The six degrees of influence; an item's position in the list is its rating.
const QStringList kDegrees = {
    QStringLiteral("0-Sin Influencia"),    QStringLiteral("1-Inf.Mínima"),
    QStringLiteral("2-Inf.Moderada"),      QStringLiteral("3-Inf.Apreciable"),
    QStringLiteral("4-Inf.Significativa"), QStringLiteral("5-Inf.Muy Fuerte"),
};

// One attribute row: its name, the tab index of the name, and where its hidden rating box lies.
struct Attribute
{
    QString caption;
    int labelTabIndex;
    int ratingLeft;
    int ratingTop;
};

// The captions of rows 16 and 17 end with a blank, as they always have.
const std::array<Attribute, Form2::kAttributes> kAttributeRows = {{
    {QStringLiteral("Comunicación de datos"), 0, 5880, 0},
    {QStringLiteral("Funciones distribuídas"), 20, 5880, 360},
    {QStringLiteral("Prestaciones"), 21, 5880, 840},
    {QStringLiteral("Gran uso de la configuración"), 22, 5880, 1320},
    {QStringLiteral("Velocidad de las transacciones"), 23, 5880, 1800},
    {QStringLiteral("Entrada de datos en línea"), 24, 5880, 2160},
    {QStringLiteral("Diseño para la eficiencia del usuario final"), 25, 5880, 2520},
    {QStringLiteral("Actualización de datos en línea"), 26, 5880, 2880},
    {QStringLiteral("Complejidad del proceso lógico interno de la aplic."), 27, 5880, 3240},
    {QStringLiteral("Reusabilidad del código"), 28, 5880, 3600},
    {QStringLiteral("Facilidad de instalación"), 29, 5760, 3960},
    {QStringLiteral("Facilidad de operación"), 30, 5880, 4320},
    {QStringLiteral("Localizaciones múltiples"), 31, 5880, 5400},
    {QStringLiteral("Facilidad de cambios"), 32, 6000, 6480},
    {QStringLiteral("Requerimientos de otras aplicaciones"), 33, 6000, 6840},
    {QStringLiteral("Seguridad, privacidad, auditabilidad "), 34, 6000, 7200},
    {QStringLiteral("Necesidades de formación "), 35, 6000, 7680},
    {QStringLiteral("Uso por terceras partes"), 36, 600, 7560},
    {QStringLiteral("Documentación"), 37, 2160, 7560},
}};

// The grid's columns. The influence column takes the room that was free at its right, and the
// names' column a little more, so that every rating and every name reads whole.
constexpr int kGridLeft = 480;
constexpr int kDivider = 4290;
constexpr int kGridRight = 6045;
constexpr int kRatingLeft = kDivider + 15;
constexpr int kRatingWidth = 1725;
constexpr int kNameLeft = 600;

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
        Combo[k - 1] =
            addComboBox(nameOf("Combo", k).constData(),
                        Twips{kRatingLeft, 600 + 360 * (k - 1), kRatingWidth, 315}, 43 + k);
    Text20 = addTextBox("Text20", Twips{kDivider + 120, 7440, 1215, 285}, 43);
    for (int k = kAttributes; k >= 1; --k) {
        const Attribute& row = kAttributeRows[k - 1];
        Text[k - 1] = addTextBox(nameOf("Text", k).constData(),
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
        Label[k - 1] = addLabel(nameOf("Label", k).constData(), row.caption,
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
    for (toolkit::TextBox* rating : Text)
        rating->setVisible(false);
    Text20->setLocked(true);
    Text20->setEnabled(false);
    setDefaultButton(Sumar);

    // A name keeps to its one row rather than wrapping into the next.
    for (toolkit::Label* name : Label)
        name->setWordWrap(false);

    for (int k = 0; k < kAttributes; ++k) {
        Combo[k]->describedBy(Label[k]);
        Text[k]->setAccessibleName(Label[k]->caption().trimmed());
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
        Combo[k]->onClick([this, handler = comboClicks[k]] { (this->*handler)(); });
    Sumar->onClick([this] { Sumar_Click(); });
    Aceptar->onClick([this] { Aceptar_Click(); });
}

void Form2::Form_Load()
{
    // Each list is filled in one step, so that assistive tools hear of it once.
    for (toolkit::ComboBox* combo : Combo)
        combo->addItems(kDegrees);
    Aceptar->setEnabled(false);
}

void Form2::rateRow(int row)
{
    Text[row - 1]->setText(numeric::integerToText(Combo[row - 1]->listIndex()));
}

void Form2::Sumar_Click()
{
    // An attribute left unrated is named, so that the user can rate it and sum again; nothing
    // changes until all 19 are rated.
    for (int k = 0; k < kAttributes; ++k) {
        if (numeric::textEquals(Text[k]->text(), QString())) {
            toolkit::messageBox(QStringLiteral("Falta la valoración del atributo «%1». Elija su "
                                               "grado de influencia y pulse «Sumar» de nuevo.")
                                    .arg(Label[k]->caption().trimmed()),
                                QStringLiteral("Falta una valoración"));
            Combo[k]->setFocus();
            return;
        }
    }

    std::array<numeric::Integer, kAttributes> rating{};
    for (int k = 0; k < kAttributes; ++k)
        rating[k] = Text[k]->toInteger();
    // Added to the current TGI, which is 0 on the only sum of the run.
    for (const numeric::Integer value : rating)
        TGI = numeric::addIntegers(TGI, value);
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
