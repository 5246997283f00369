#pragma once

#include "toolkit/screen.h"

// Technical complexity adjustment: ACT from TGI, and the adjusted size PFA of the batch and
// on-line parts.
class Form3 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form3)

public:
    Form3();

    double ACT = 0;
    double PFAb = 0;
    double PFAo = 0;
    double PFA = 0;

    toolkit::TextBox* Text7 = nullptr;
    toolkit::TextBox* Text6 = nullptr;
    toolkit::TextBox* Text5 = nullptr;
    toolkit::CommandButton* Obtencion = nullptr;
    toolkit::CommandButton* Command1 = nullptr;
    toolkit::TextBox* Text4 = nullptr;
    toolkit::TextBox* Text3 = nullptr;
    toolkit::TextBox* Text2 = nullptr;
    toolkit::CommandButton* Calcular = nullptr;
    toolkit::TextBox* Text1 = nullptr;

protected:
    void design() override;

protected slots:
    void Form_Load() override;
    void Form_Activate() override;
    void Text2_Change();
    void Text5_Change();
    void Text6_Change();
    void Calcular_Click();
    void Obtencion_Click();
    void Command1_Click();
};
