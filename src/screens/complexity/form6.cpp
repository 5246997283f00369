#include "screens/complexity/form6.h"

Form6::Form6() : Screen("Form6") {}

void Form6::design()
{
    setCaption(QStringLiteral("Valoración de los grados de Influencia"));
    setClientSize(5040, 3090);
}

void Form6::Option1_Click() {}

void Form6::Option2_Click() {}

void Form6::Text1_Change() {}

void Form6::Command1_Click() {}
