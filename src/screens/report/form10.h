#pragma once

#include "toolkit/screen.h"

// The estimation report: every value read afresh from its owner each time it is activated.
class Form10 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form10)

public:
    Form10();

    toolkit::Label* Label2 = nullptr;  // PFNAB of the batch screen
    toolkit::Label* Label4 = nullptr;  // PFNAO of the on-line screen
    toolkit::Label* Label6 = nullptr;  // PFNA of the mixed screen
    toolkit::Label* Label8 = nullptr;  // TGI
    toolkit::Label* Label10 = nullptr; // ACT
    toolkit::Label* Label12 = nullptr; // PFAb
    toolkit::Label* Label14 = nullptr; // PFAo
    toolkit::Label* Label16 = nullptr; // PFA
    toolkit::Label* Label18 = nullptr; // P
    toolkit::Label* Label21 = nullptr; // W
    toolkit::Label* Label24 = nullptr; // PE

protected:
    void design() override;
    void closeBox() override;

protected slots:
    void Form_Activate() override;
    void Label2_Change();
    void Label4_Change();
    void Label6_Change();
    void Label8_Change();
    void Label10_Change();
    void Label12_Change();
    void Label14_Change();
    void Label16_Change();
    void Label18_Change();
    void Label21_Click();
    void Label24_Click();

private:
    toolkit::Frame* Frame1 = nullptr;
    toolkit::Frame* Frame5 = nullptr;
    toolkit::Label* Label25 = nullptr;
    toolkit::Label* Label23 = nullptr;
    toolkit::Label* Label22 = nullptr;
    toolkit::Label* Label20 = nullptr;
    toolkit::Label* Label19 = nullptr;
    toolkit::Label* Label17 = nullptr;
    toolkit::Frame* Frame4 = nullptr;
    toolkit::Label* Label15 = nullptr;
    toolkit::Label* Label13 = nullptr;
    toolkit::Label* Label11 = nullptr;
    toolkit::Frame* Frame3 = nullptr;
    toolkit::Label* Label9 = nullptr;
    toolkit::Label* Label7 = nullptr;
    toolkit::Frame* Frame2 = nullptr;
    toolkit::Label* Label5 = nullptr;
    toolkit::Label* Label3 = nullptr;
    toolkit::Label* Label1 = nullptr;
};
