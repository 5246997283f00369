#pragma once

#include "toolkit/screen.h"

// System type: batch, on line or mixed. The selected option is the system type for the whole
// run; choosing one opens its entry screen.
class Form7 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form7)

public:
    Form7();

    toolkit::CommandButton* Cancelar = nullptr;
    toolkit::OptionButton* Option3 = nullptr;
    toolkit::OptionButton* Option2 = nullptr;
    toolkit::OptionButton* Option1 = nullptr;
    toolkit::Label* Label4 = nullptr;
    toolkit::Label* Label3 = nullptr;
    toolkit::Label* Label2 = nullptr;
    toolkit::Label* Label1 = nullptr;

protected:
    void design() override;

protected slots:
    void Form_Load() override;
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Cancelar_Click();
};
