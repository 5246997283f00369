#include "screens/size/form9.h"

Form9::Form9() : Screen("Form9") {}

void Form9::design()
{
    setCaption(QStringLiteral("Puntos Función No Ajustados"));
    setClientSize(5130, 4230);
}

void Form9::Form_Load() {}

void Form9::Calcular_Click() {}

void Form9::NuevaFuncion_Click() {}

void Form9::Aceptar_Click() {}

void Form9::Cancelar_Click() {}
