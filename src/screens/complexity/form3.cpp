#include "screens/complexity/form3.h"

Form3::Form3() : Screen("Form3") {}

void Form3::design()
{
    setCaption(QStringLiteral("Ajuste por complejidad técnica"));
    setClientSize(6465, 5640);
}

void Form3::Form_Load() {}

void Form3::Form_Activate() {}

void Form3::Text2_Change() {}

void Form3::Text5_Change() {}

void Form3::Text6_Change() {}

void Form3::Calcular_Click() {}

void Form3::Obtencion_Click() {}

void Form3::Command1_Click() {}
