#pragma once

#include "numeric/numeric.h"
#include "toolkit/screen.h"

// How the total degree of influence is given: typed directly, or rated attribute by attribute.
class Form6 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form6)

public:
    Form6();

    numeric::Integer c = 0; // the typed value, rounded, from the last change of Text1

    toolkit::Ref<toolkit::CommandButton> Command1;
    toolkit::Ref<toolkit::TextBox> Text1;
    toolkit::Ref<toolkit::OptionButton> Option2;
    toolkit::Ref<toolkit::OptionButton> Option1;
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Label> Label1;

protected:
    void design() override;
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void Command1_Click();

private:
    void updateAccept();
};
