#include "screens/report/form10.h"

Form10::Form10() : Screen("Form10") {}

void Form10::design()
{
    setCaption(QStringLiteral("Informe MARKII"));
    setClientSize(7440, 7710);
}

void Form10::closeBox() {}

void Form10::Form_Activate() {}

void Form10::Label2_Change() {}

void Form10::Label4_Change() {}

void Form10::Label6_Change() {}

void Form10::Label8_Change() {}

void Form10::Label10_Change() {}

void Form10::Label12_Change() {}

void Form10::Label14_Change() {}

void Form10::Label16_Change() {}

void Form10::Label18_Change() {}

void Form10::Label21_Click() {}

void Form10::Label24_Click() {}
