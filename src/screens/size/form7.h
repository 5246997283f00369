#pragma once

#include "method/system_type.h"
#include "toolkit/screen.h"

// System type: batch, on line or mixed. The selected option is the system type for the whole
// run; choosing one opens its entry screen.
class Form7 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form7)

public:
    Form7();

    // The system type the options give: batch, on line, or mixed when neither of those is
    // selected. Loads the screen if needed.
    method::SystemType systemType();
    // Whether the user has chosen a system type on this run.
    bool hasSystemType();

    toolkit::Ref<toolkit::CommandButton> Cancelar;
    toolkit::Ref<toolkit::CommandButton> Abrir;
    toolkit::Ref<toolkit::OptionButton> Option3;
    toolkit::Ref<toolkit::OptionButton> Option2;
    toolkit::Ref<toolkit::OptionButton> Option1;
    toolkit::Ref<toolkit::Label> Label4;
    toolkit::Ref<toolkit::Label> Label3;
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Label> Label1;

protected:
    void design() override;
    void Form_Load() override;
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Cancelar_Click();
};
