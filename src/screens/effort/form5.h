#pragma once

#include "toolkit/screen.h"

// Effort W in working hours and delivery time PE in weeks.
class Form5 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form5)

public:
    Form5();

    double W = 0;  // effort, hours
    double B = 0;  // effort factor of the system type
    double E = 0;  // 0.45 * sqrt(PFA)
    double PE = 0; // delivery time, weeks
    double B2 = 0; // copy of Form4.P
    double B3 = 0; // copy of Form1.PFNAO, mixed systems
    double B4 = 0; // copy of Form1.PFNAB, mixed systems
    double S = 0;  // copy of Form3.PFA

    toolkit::Ref<toolkit::CommandButton> Finalizar;
    toolkit::Ref<toolkit::CommandButton> Informe;
    toolkit::Ref<toolkit::CommandButton> Calcular;
    toolkit::Ref<toolkit::TextBox> Text3;
    toolkit::Ref<toolkit::TextBox> Text2;
    toolkit::Ref<toolkit::TextBox> Text1;

protected:
    void design() override;
    void Calcular_Click();
    void Informe_Click();
    void Finalizar_Click();

private:
    toolkit::Ref<toolkit::Frame> Frame3;
    toolkit::Ref<toolkit::Label> Label3;
    toolkit::Ref<toolkit::Frame> Frame2;
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Frame> Frame1;
    toolkit::Ref<toolkit::Label> Label1;
};
