#include "screens/complexity/form2.h"

Form2::Form2() : Screen("Form2") {}

void Form2::design()
{
    setCaption(QStringLiteral("Valoración de Grados de Influencia"));
    setClientSize(7470, 8010);
}

void Form2::Form_Load() {}

void Form2::Sumar_Click() {}

void Form2::Aceptar_Click() {}
