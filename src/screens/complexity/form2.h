#pragma once

#include "numeric/numeric.h"
#include "toolkit/screen.h"

#include <array>

// The 19 technical complexity attributes, each rated 0 to 5, summed into TGI.
class Form2 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form2)

public:
    Form2();

    static constexpr int kAttributes = 19;

    numeric::Integer TGI = 0;

    toolkit::TextBox* Text20 = nullptr;
    toolkit::CommandButton* Aceptar = nullptr;
    toolkit::CommandButton* Sumar = nullptr;
    // Row K of the grid is Label[K-1], Combo[K-1] and the hidden rating box Text[K-1].
    std::array<toolkit::Label*, kAttributes> Label{};
    std::array<toolkit::ComboBox*, kAttributes> Combo{};
    std::array<toolkit::TextBox*, kAttributes> Text{};

protected:
    void design() override;

protected slots:
    void Form_Load() override;
    void Sumar_Click();
    void Aceptar_Click();
};
