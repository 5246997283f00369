#include "screens/effort/form4.h"

Form4::Form4() : Screen("Form4") {}

void Form4::design()
{
    setCaption(QStringLiteral("Cálculo de la Productividad estimada"));
    setClientSize(4965, 3645);
}

void Form4::Form_Load() {}

void Form4::Form_Activate() {}

void Form4::Combo1_Click() {}

void Form4::Command1_Click() {}

void Form4::Command2_Click() {}
