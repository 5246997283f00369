#include "screens/effort/form5.h"

Form5::Form5() : Screen("Form5") {}

void Form5::design()
{
    setCaption(QStringLiteral("Cálculo del Esfuerzo y del Tiempo"));
    setClientSize(6630, 6555);
}

void Form5::Calcular_Click() {}

void Form5::Informe_Click() {}

void Form5::Finalizar_Click() {}
