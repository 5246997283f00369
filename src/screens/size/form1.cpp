#include "screens/size/form1.h"

Form1::Form1() : Screen("Form1") {}

void Form1::design()
{
    setCaption(QStringLiteral("Puntos Función No Ajustados"));
    setClientSize(5775, 4260);
}

void Form1::Form_Load() {}

void Form1::Calcular_Click() {}

void Form1::NuevaFuncion_Click() {}

void Form1::Aceptar_Click() {}

void Form1::Cancelar_Click() {}
