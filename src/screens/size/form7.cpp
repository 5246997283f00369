#include "screens/size/form7.h"

#include "app/registry.h"
#include "screens/session/session.h"
#include "screens/size/form1.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

Form7::Form7() : Screen("Form7") {}

void Form7::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Método MARK II para el Análisis de los Puntos Función "));
    setClientSize(6540, 2895);

    Cancelar = addButton("Cancelar", QStringLiteral("&Cancelar"), Twips{4800, 2160, 1335, 375}, 7);
    // An estimate kept in a file is opened from here, above the way out.
    Abrir =
        addButton("Abrir", QStringLiteral("&Abrir estimación…"), Twips{4080, 1560, 2055, 375}, 8);
    Option3 = addOption("Option3", Twips{1560, 2040, 375, 375}, 6);
    Option2 = addOption("Option2", Twips{1560, 1440, 255, 375}, 5);
    Option1 = addOption("Option1", Twips{1560, 960, 375, 255}, 4);
    Label4 = addLabel("Label4", QStringLiteral("Sistema Mixto"), Twips{2040, 2160, 1335, 255}, 3);
    Label3 = addLabel("Label3", QStringLiteral("Sistema On Line"), Twips{2040, 1560, 1575, 255}, 2);
    Label2 = addLabel("Label2", QStringLiteral("Sistema Batch"), Twips{2040, 960, 1575, 255}, 1);
    Label1 = addLabel("Label1", QStringLiteral("Seleccione Tipo de Sistema"),
                      Twips{1080, 240, 3735, 375}, 0);
    for (toolkit::Label* label : {Label4, Label3, Label2})
        label->setFont(toolkit::boldFont());
    Label1->setFont(toolkit::boldFont(9.75));

    // The options have no caption of their own; the label to the right names each, and a screen
    // reader hears each option once, with the question it answers.
    for (auto [option, label] :
         {std::pair{Option1, Label2}, {Option2, Label3}, {Option3, Label4}}) {
        option->describedBy(label);
        option->setAccessibleDescription(Label1->caption());
        label->hideFromScreenReaders();
    }

    Option1->onClick([this] { Option1_Click(); });
    Option2->onClick([this] { Option2_Click(); });
    Option3->onClick([this] { Option3_Click(); });
    Cancelar->onClick([this] { Cancelar_Click(); });
    Abrir->onClick([] { session::askAndOpen(); });
    addCommand("AbrirEstimacion", QStringLiteral("&Abrir estimación…"), QKeySequence::Open,
               [] { session::askAndOpen(); });
}

method::SystemType Form7::systemType()
{
    load();
    if (Option1->isSelected())
        return method::SystemType::Batch;
    if (Option2->isSelected())
        return method::SystemType::OnLine;
    return method::SystemType::Mixed;
}

bool Form7::hasSystemType()
{
    load();
    return Option1->isSelected() || Option2->isSelected() || Option3->isSelected();
}

void Form7::Form_Load()
{
    // Every run starts here.
    session::beginRun();
    Option1->clear();
    Option2->clear();
    Option3->clear();
}

void Form7::Option1_Click()
{
    Hide();
    app::screen<Form8>().Show();
}

void Form7::Option2_Click()
{
    Hide();
    app::screen<Form9>().Show();
}

void Form7::Option3_Click()
{
    Hide();
    app::screen<Form1>().Show();
}

void Form7::Cancelar_Click()
{
    if (!toolkit::mayDiscardWork())
        return;
    Unload();
    app::end();
}
