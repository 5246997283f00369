#pragma once

#include "numeric/numeric.h"
#include "toolkit/screen.h"

// Function entry of an on-line system: one logical transaction at a time, adding its Mk II
// unadjusted points to the running total PFNAO.
class Form9 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form9)

public:
    Form9();

    numeric::Integer Z1 = 0; // entity types referenced, last transaction
    numeric::Integer Z2 = 0; // input data element types
    numeric::Integer Z3 = 0; // output data element types
    double PFNAO = 0;        // running total of the on-line system
    double HO = 0;           // points of the last transaction

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
