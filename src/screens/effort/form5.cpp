#include "screens/effort/form5.h"

#include "app/registry.h"
#include "method/effort.h"
#include "numeric/numeric.h"
#include "screens/complexity/form3.h"
#include "screens/effort/form4.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

Form5::Form5() : Screen("Form5") {}

void Form5::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Cálculo del Esfuerzo y del Tiempo"));
    setClientSize(6630, 6555);
    setDesignPosition(3210, 1605);

    Finalizar =
        addButton("Finalizar", QStringLiteral("&Finalizar"), Twips{4680, 5880, 1335, 375}, 8);
    Informe = addButton("Informe", QStringLiteral("&Informe"), Twips{2640, 5880, 1215, 375}, 7);
    Calcular = addButton("Calcular", QStringLiteral("&Calcular"), Twips{600, 5880, 1215, 375}, 6);
    Frame3 = addFrame("Frame3",
                      QStringLiteral("Estimación del Tiempo Total para la Entrega del Sistema en "
                                     "semanas"),
                      Twips{240, 3960, 6135, 1455}, 4);
    Text3 = addTextBox("Text3", Twips{1920, 480, 2415, 495}, 5, Frame3);
    Label3 = addLabel("Label3", QStringLiteral("PE ="), Twips{1440, 600, 495, 375}, 11, Frame3);
    Frame2 = addFrame("Frame2", QStringLiteral("Cálculo del Plazo de Entrega"),
                      Twips{240, 2040, 6135, 1575}, 2);
    Text2 = addTextBox("Text2", Twips{1920, 360, 2415, 495}, 3, Frame2);
    Label2 = addLabel("Label2", QStringLiteral("E = "), Twips{1560, 480, 375, 375}, 10, Frame2);
    Frame1 = addFrame("Frame1", QStringLiteral("Cálculo del Esfuerzo en horas de trabajo"),
                      Twips{240, 120, 6135, 1575}, 0);
    Text1 = addTextBox("Text1", Twips{1920, 600, 2415, 495}, 1, Frame1);
    Label1 = addLabel("Label1", QStringLiteral("W ="), Twips{1440, 720, 495, 255}, 9, Frame1);

    for (toolkit::Frame* frame : {Frame3, Frame2, Frame1})
        frame->setCaptionFont(toolkit::boldFont());
    for (toolkit::Label* label : {Label3, Label2, Label1})
        label->setFont(toolkit::boldFont());
    Text1->describedBy(Label1);
    Text2->describedBy(Label2);
    Text3->describedBy(Label3);
    setDefaultButton(Calcular);

    Calcular->onClick([this] { Calcular_Click(); });
    Informe->onClick([this] { Informe_Click(); });
    Finalizar->onClick([this] { Finalizar_Click(); });
}

void Form5::Calcular_Click()
{
    B2 = app::screen<Form4>().P;
    S = app::screen<Form3>().PFA;

    const method::SystemType systemType = app::loaded<Form7>().systemType();
    if (systemType == method::SystemType::Mixed) {
        // The batch and on-line factors are weighted by the unadjusted points of each part.
        B3 = app::screen<Form1>().PFNAO;
        B4 = app::screen<Form1>().PFNAB;
    }
    B = method::effortFactor(systemType, B4, B3);

    W = method::effortHours(S, B, B2);
    Text1->setText(numeric::doubleToText(W));

    E = method::deliveryDivisor(S);
    Text2->setText(numeric::doubleToText(E));

    PE = method::deliveryWeeks(S, E);
    Text3->setText(numeric::doubleToText(PE));

    Finalizar->setEnabled(true);
    Calcular->setEnabled(false);
    Informe->setEnabled(true);

    // The effort is read next; Enter opens the report.
    setDefaultButton(Informe);
    Text1->focusAsResult({Text2, Text3});
}

void Form5::Informe_Click()
{
    app::screen<Form10>().showBeside(*this);
}

void Form5::Finalizar_Click()
{
    if (!toolkit::mayDiscardWork())
        return;
    Unload();
    app::end();
}
