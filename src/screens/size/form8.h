#pragma once

#include "numeric/numeric.h"
#include "screens/size/single_kind_entry.h"

// Function entry of a batch system: one logical transaction at a time, adding its Mk II
// unadjusted points to the running total PFNAB. Controls and handlers are those of its on-line
// twin, Form9 (SingleKindEntry).
class Form8 final : public SingleKindEntry
{
    Q_DISABLE_COPY_MOVE(Form8)

public:
    Form8();

    numeric::Integer X1 = 0; // entity types referenced, last transaction
    numeric::Integer X2 = 0; // input data element types
    numeric::Integer X3 = 0; // output data element types
    double PFNAB = 0;        // running total of the batch system
    double GB = 0;           // points of the last transaction

private:
    static const Design& batchDesign();
};
