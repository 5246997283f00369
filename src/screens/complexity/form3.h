#pragma once

#include "toolkit/screen.h"

// Technical complexity adjustment: ACT from TGI, and the adjusted size PFA of the batch and
// on-line parts.
class Form3 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form3)

public:
    Form3();

    double ACT = 0;
    double PFAb = 0;
    double PFAo = 0;
    double PFA = 0;

    toolkit::Ref<toolkit::TextBox> Text7;
    toolkit::Ref<toolkit::TextBox> Text6;
    toolkit::Ref<toolkit::TextBox> Text5;
    toolkit::Ref<toolkit::CommandButton> Obtencion;
    toolkit::Ref<toolkit::CommandButton> Command1;
    toolkit::Ref<toolkit::TextBox> Text4;
    toolkit::Ref<toolkit::TextBox> Text3;
    toolkit::Ref<toolkit::TextBox> Text2;
    toolkit::Ref<toolkit::CommandButton> Calcular;
    toolkit::Ref<toolkit::TextBox> Text1;

protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Text2_Change();
    void Text5_Change();
    void Text6_Change();
    void Calcular_Click();
    void Obtencion_Click();
    void Command1_Click();
};
