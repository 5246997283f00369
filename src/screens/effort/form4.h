#pragma once

#include "toolkit/screen.h"

#include <QStringList>

// Productivity P, in function points per hour, from the adjusted size and the language.
class Form4 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form4)

public:
    Form4();

    double P = 0; // productivity
    double A = 0; // adjusted size, copied from Form3.PFA
    double B = 0; // language factor, 1.6 or 1.0
    double z = 0; // bell-curve term
    double k = 0; // growth term

    toolkit::Ref<toolkit::TextBox> Text2;
    toolkit::Ref<toolkit::ComboBox> Combo1;
    toolkit::Ref<toolkit::CommandButton> Command2;
    toolkit::Ref<toolkit::CommandButton> Command1;
    toolkit::Ref<toolkit::TextBox> Text1;

protected:
    void design() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();

private:
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Label> Label1;
};
