#pragma once

#include "numeric/numeric.h"
#include "toolkit/screen.h"

// Function entry of a batch system: one logical transaction at a time, adding its Mk II
// unadjusted points to the running total PFNAB.
class Form8 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form8)

public:
    Form8();

    numeric::Integer X1 = 0; // entity types referenced, last transaction
    numeric::Integer X2 = 0; // input data element types
    numeric::Integer X3 = 0; // output data element types
    double PFNAB = 0;        // running total of the batch system
    double GB = 0;           // points of the last transaction

    toolkit::CommandButton* Calcular = nullptr;
    toolkit::TextBox* Text4 = nullptr;
    toolkit::TextBox* Text3 = nullptr;
    toolkit::TextBox* Text2 = nullptr;
    toolkit::TextBox* Text1 = nullptr;
    toolkit::CommandButton* Aceptar = nullptr;
    toolkit::CommandButton* Cancelar = nullptr;
    toolkit::CommandButton* NuevaFuncion = nullptr;

protected:
    void design() override;

protected slots:
    void Form_Load() override;
    void Calcular_Click();
    void NuevaFuncion_Click();
    void Aceptar_Click();
    void Cancelar_Click();
};
