#pragma once

#include "method/influence.h"
#include "numeric/numeric.h"
#include "toolkit/screen.h"

#include <array>

// The 19 technical complexity attributes, each rated 0 to 5, summed into TGI.
class Form2 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form2)

public:
    Form2();

    static constexpr int kAttributes = method::kAttributes;

    numeric::Integer TGI = 0;

    toolkit::Ref<toolkit::TextBox> Text20;
    toolkit::Ref<toolkit::CommandButton> Aceptar;
    toolkit::Ref<toolkit::CommandButton> Sumar;
    // Row K of the grid is Labels[K-1] (LabelK), Combos[K-1] (ComboK) and the hidden rating box
    // Texts[K-1] (TextK).
    std::array<toolkit::Ref<toolkit::Label>, kAttributes> Labels{};
    std::array<toolkit::Ref<toolkit::ComboBox>, kAttributes> Combos{};
    std::array<toolkit::Ref<toolkit::TextBox>, kAttributes> Texts{};

protected:
    void design() override;
    void Form_Load() override;
    // Each combo's pick goes to the rating box of its own row.
    void Combo1_Click() { rateRow(1); }
    void Combo2_Click() { rateRow(2); }
    void Combo3_Click() { rateRow(3); }
    void Combo4_Click() { rateRow(4); }
    void Combo5_Click() { rateRow(5); }
    void Combo6_Click() { rateRow(6); }
    void Combo7_Click() { rateRow(7); }
    void Combo8_Click() { rateRow(8); }
    void Combo9_Click() { rateRow(9); }
    void Combo10_Click() { rateRow(10); }
    void Combo11_Click() { rateRow(11); }
    void Combo12_Click() { rateRow(12); }
    void Combo13_Click() { rateRow(13); }
    void Combo14_Click() { rateRow(14); }
    void Combo15_Click() { rateRow(15); }
    void Combo16_Click() { rateRow(16); }
    void Combo17_Click() { rateRow(17); }
    void Combo18_Click() { rateRow(18); }
    void Combo19_Click() { rateRow(19); }
    void Sumar_Click();
    void Aceptar_Click();

private:
    // ComboK_Click: TextK gets the position of the item picked in ComboK, its rating.
    void rateRow(int row);
};
