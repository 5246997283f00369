#include "screens/size/form8.h"

Form8::Form8() : SingleKindEntry("Form8", batchDesign(), {X1, X2, X3, PFNAB, GB}) {}

const SingleKindEntry::Design& Form8::batchDesign()
{
    static const Design design{
        .column = QStringLiteral("Batch"),
        .calcularCaption = QStringLiteral("Ca&lcular"),
        .border = Border::FixedDialog,
        .width = 5220,
        .height = 4335,
        .calcular = {{3480, 2400, 1335, 375}, 13},
        .text4 = {{2160, 2760, 855, 375}, 4},
        .text3 = {{2160, 2160, 855, 375}, 3},
        .text2 = {{2160, 1560, 855, 375}, 2},
        .text1 = {{2160, 960, 855, 375}, 1},
        .aceptar = {{840, 3600, 1335, 375}, 12},
        .cancelar = {{3000, 3600, 1215, 375}, 11},
        .nuevaFuncion = {{3480, 1440, 1335, 375}, 0},
        .label1 = {{600, 1080, 1095, 255}, 10},
        .label2 = {{600, 1500, 1215, 510}, 9},
        .label3 = {{480, 2280, 1455, 255}, 8},
        .label4 = {{480, 2760, 1335, 255}, 7},
        .label5 = {{2040, 480, 855, 255}, 6},
        .label6 = {{480, 480, 1335, 255}, 5},
        .grid = {{
            {"Line1", 360, 360, 360, 3240},
            {"Line2", 360, 840, 3120, 840},
            {"Line3", 360, 2640, 3120, 2640},
            {"Line5", 2040, 360, 2040, 3240},
            {"Line6", 360, 1440, 3120, 1440},
            {"Line7", 360, 2040, 3120, 2040},
            {"Line8", 3120, 360, 3120, 3240},
            {"Line9", 360, 3240, 3120, 3240},
            {"Line10", 360, 360, 3120, 360},
        }},
    };
    return design;
}
