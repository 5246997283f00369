#include "screens/size/form8.h"

Form8::Form8() : Screen("Form8") {}

void Form8::design()
{
    setCaption(QStringLiteral("Puntos Función No Ajustados"));
    setClientSize(5220, 4335);
}

void Form8::Form_Load() {}

void Form8::Calcular_Click() {}

void Form8::NuevaFuncion_Click() {}

void Form8::Aceptar_Click() {}

void Form8::Cancelar_Click() {}
