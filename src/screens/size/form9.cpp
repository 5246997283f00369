#include "screens/size/form9.h"

Form9::Form9() : SingleKindEntry("Form9", onLineDesign(), {Z1, Z2, Z3, PFNAO, HO}) {}

const SingleKindEntry::Design& Form9::onLineDesign()
{
    static const Design design{
        .column = QStringLiteral("On Line"),
        .calcularCaption = QStringLiteral("Ca&lcular"),
        .border = Border::Sizable,
        .width = 5130,
        .height = 4230,
        .calcular = {{3360, 2160, 1335, 375}, 11},
        .text4 = {{2040, 2640, 855, 375}, 3},
        .text3 = {{2040, 2040, 855, 375}, 2},
        .text2 = {{2040, 1440, 855, 375}, 1},
        .text1 = {{2040, 840, 855, 375}, 0},
        .aceptar = {{720, 3480, 1335, 375}, 13},
        .cancelar = {{2880, 3480, 1215, 375}, 12},
        .nuevaFuncion = {{3360, 1320, 1335, 375}, 10},
        .label1 = {{480, 960, 1095, 255}, 9},
        .label2 = {{480, 1380, 1215, 510}, 8},
        .label3 = {{360, 2160, 1455, 255}, 7},
        .label4 = {{360, 2640, 1335, 255}, 6},
        .label5 = {{1920, 360, 855, 255}, 5},
        .label6 = {{360, 360, 1335, 255}, 4},
        .grid = {{
            {"Line1", 240, 240, 240, 3120},
            {"Line2", 240, 720, 3000, 720},
            {"Line3", 240, 2520, 3000, 2520},
            {"Line5", 1920, 240, 1920, 3120},
            {"Line6", 240, 1320, 3000, 1320},
            {"Line7", 240, 1920, 3000, 1920},
            {"Line8", 3000, 240, 3000, 3120},
            {"Line9", 240, 3120, 3000, 3120},
            {"Line10", 240, 240, 3000, 240},
        }},
    };
    return design;
}
