#include "screens/complexity/form3.h"

#include "app/registry.h"
#include "method/adjustment.h"
#include "numeric/numeric.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/fonts.h"

namespace {

// The text a hidden box gets from a source box: its leading number, written back as text.
QString leadingNumberText(const QString& source)
{
    return numeric::doubleToText(numeric::leadingNumberValue(source));
}

} // namespace

Form3::Form3() : Screen("Form3") {}

void Form3::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Ajuste por complejidad técnica"));
    setClientSize(6465, 5640);
    setDesignPosition(3210, 1980);

    Text7 = addTextBox("Text7", Twips{4440, 3720, 1575, 495}, 13);
    Text6 = addTextBox("Text6", Twips{5040, 4560, 1215, 495}, 12);
    Text5 = addTextBox("Text5", Twips{120, 4680, 1215, 495}, 11);
    Obtencion =
        addButton("Obtencion", QStringLiteral("&Obtener"), Twips{1560, 4800, 1215, 375}, 10);
    Command1 = addButton("Command1", QStringLiteral("&Aceptar"), Twips{3480, 4800, 1215, 375}, 9);
    Text4 = addTextBox("Text4", Twips{2400, 3720, 1455, 495}, 8);
    Text3 = addTextBox("Text3", Twips{360, 3720, 1455, 495}, 7);
    Text2 = addTextBox("Text2", Twips{5160, 240, 1095, 615}, 3);
    Calcular = addButton("Calcular", QStringLiteral("&Calcular"), Twips{2640, 1440, 1095, 375}, 1);
    Text1 = addTextBox("Text1", Twips{2160, 720, 1575, 375}, 0);
    toolkit::Label* Label7 =
        addLabel("Label7", QStringLiteral("="), Twips{4080, 3720, 255, 495}, 16);
    toolkit::Label* Label6 =
        addLabel("Label6", QStringLiteral("+"), Twips{2040, 3720, 375, 495}, 15);
    toolkit::Label* Label5 =
        addLabel("Label5", QStringLiteral("PFA"), Twips{4680, 3360, 735, 255}, 14);
    toolkit::Label* Label4 =
        addLabel("Label4", QStringLiteral("PFA On Line"), Twips{2520, 3360, 1575, 375}, 6);
    toolkit::Label* Label3 =
        addLabel("Label3", QStringLiteral("PFA en Batch"), Twips{480, 3360, 1335, 375}, 5);
    // The band's caption is pushed to the middle with blanks.
    toolkit::Label* Label2 =
        addLabel("Label2", QString(29, QLatin1Char(' ')) + QStringLiteral("Tamaño del Sistema"),
                 Twips{0, 2400, 6495, 375}, 4);
    toolkit::Label* Label1 =
        addLabel("Label1", QStringLiteral("ACT = "), Twips{1440, 840, 735, 255}, 2);

    // Results only: the user reads them and never edits them.
    for (toolkit::TextBox* result : {Text7, Text4, Text3, Text1}) {
        result->setLocked(true);
        result->setFont(toolkit::designFont(QStringLiteral("MS Sans Serif"), 9.75));
    }
    // The inputs gathered from other screens travel in these; the user never sees them.
    for (toolkit::TextBox* input : {Text6, Text5, Text2})
        input->setVisible(false);

    for (toolkit::Label* sign : {Label7, Label6})
        sign->setFont(toolkit::boldFont(18));
    for (toolkit::Label* caption : {Label5, Label4, Label3, Label1})
        caption->setFont(toolkit::boldFont());
    // The theme's highlight, with whichever of black and white reads on it.
    Label2->setBackColor(toolkit::systemColor(toolkit::SystemColor::Highlight));
    Label2->setFont(toolkit::designFont(QStringLiteral("MS Reference Sans Serif"), 8.25, true));
    Label2->setAlignment(toolkit::Label::Alignment::Left, true);
    setDefaultButton(Calcular);

    Text1->describedBy(Label1);
    Text3->describedBy(Label3);
    Text4->describedBy(Label4);
    Text7->describedBy(Label5);
    // A failed conversion names the box; these names say what the hidden ones hold.
    Text2->setAccessibleName(QStringLiteral("TGI"));
    Text5->setAccessibleName(QStringLiteral("PFNA Batch"));
    Text6->setAccessibleName(QStringLiteral("PFNA On Line"));

    Text2->onChange([this] { Text2_Change(); });
    Text5->onChange([this] { Text5_Change(); });
    Text6->onChange([this] { Text6_Change(); });
    Calcular->onClick([this] { Calcular_Click(); });
    Obtencion->onClick([this] { Obtencion_Click(); });
    Command1->onClick([this] { Command1_Click(); });
}

void Form3::Form_Load()
{
    Obtencion->setEnabled(false);
    Command1->setEnabled(false);
}

// Each assignment that changes a hidden box runs its Change handler, which puts in the value
// routed from the right screen; that last assignment, equal to itself, raises nothing more.
void Form3::Form_Activate()
{
    Text2->setText(leadingNumberText(app::textOf(&Form2::Text20)));
    Text2->setText(leadingNumberText(app::textOf(&Form6::Text1)));
    Text5->setText(leadingNumberText(app::textOf(&Form1::Text7)));
    Text6->setText(leadingNumberText(app::textOf(&Form1::Text8)));
}

void Form3::Text2_Change()
{
    Text2->setVisible(false);
    if (app::isSelected(&Form6::Option1))
        Text2->setText(leadingNumberText(app::textOf(&Form6::Text1)));
    else
        Text2->setText(leadingNumberText(app::textOf(&Form2::Text20)));
}

// Only the totals of the chosen system type are adjusted: a batch or on-line estimate leaves
// the other kind's box empty, whatever an earlier mixed entry left on the mixed screen.
void Form3::Text5_Change()
{
    Text5->setVisible(false);
    const method::SystemType systemType = app::loaded<Form7>().systemType();
    if (systemType == method::SystemType::Batch)
        Text5->setText(app::loaded<Form8>().Text4->text());
    else if (systemType == method::SystemType::OnLine)
        Text5->setText(QString());
    else
        Text5->setText(app::textOf(&Form1::Text7));
}

void Form3::Text6_Change()
{
    Text6->setVisible(false);
    const method::SystemType systemType = app::loaded<Form7>().systemType();
    if (systemType == method::SystemType::OnLine)
        Text6->setText(app::loaded<Form9>().Text4->text());
    else if (systemType == method::SystemType::Batch)
        Text6->setText(QString());
    else
        Text6->setText(app::textOf(&Form1::Text8));
}

void Form3::Calcular_Click()
{
    ACT = method::complexityAdjustment(Text2->toDouble());
    Text1->setText(numeric::doubleToText(ACT));
    Calcular->setEnabled(false);
    Text1->setEnabled(true);
    Obtencion->setEnabled(true);

    // ACT is read next; Enter goes on to the adjusted size.
    setDefaultButton(Obtencion);
    Text1->focusAsResult();
}

void Form3::Obtencion_Click()
{
    const bool hasBatch = !numeric::textEquals(Text5->text(), QString());
    const bool hasOnLine = !numeric::textEquals(Text6->text(), QString());

    if (hasBatch && hasOnLine) {
        PFAb = method::adjustedSize(Text5->toDouble(), ACT);
        PFAo = method::adjustedSize(Text6->toDouble(), ACT);
        PFA = method::totalAdjustedSize(PFAb, PFAo);
        Text3->setText(numeric::doubleToText(PFAb));
        Text4->setText(numeric::doubleToText(PFAo));
        Text7->setText(numeric::doubleToText(PFA));
        Text3->setEnabled(true);
        Text4->setEnabled(true);
    } else if (hasBatch) {
        PFAb = method::adjustedSize(Text5->toDouble(), ACT);
        PFA = PFAb;
        Text3->setText(numeric::doubleToText(PFAb));
        Text7->setText(numeric::doubleToText(PFA));
        // The system has no on-line part: its box stays empty and greyed.
        Text3->setEnabled(true);
        Text4->setEnabled(false);
    } else {
        PFAo = method::adjustedSize(Text6->toDouble(), ACT);
        PFA = PFAo;
        Text4->setText(numeric::doubleToText(PFAo));
        Text7->setText(numeric::doubleToText(PFA));
        // The system has no batch part: its box stays empty and greyed.
        Text4->setEnabled(true);
        Text3->setEnabled(false);
    }
    Text7->setEnabled(true);
    Obtencion->setEnabled(false);
    Command1->setEnabled(true);

    // The adjusted size is read next; Enter goes on to the productivity.
    setDefaultButton(Command1);
    if (hasBatch && hasOnLine)
        Text7->focusAsResult({Text3, Text4});
    else
        Text7->focusAsResult();
}

void Form3::Command1_Click()
{
    Hide();
    app::screen<Form4>().Show();
    // Form4 enables them itself as the user picks a language and calculates.
    app::loaded<Form4>().Command1->setEnabled(false);
    app::loaded<Form4>().Command2->setEnabled(false);
}
