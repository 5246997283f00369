#pragma once

#include "numeric/numeric.h"
#include "screens/size/single_kind_entry.h"

// Function entry of an on-line system: one logical transaction at a time, adding its Mk II
// unadjusted points to the running total PFNAO. Controls and handlers are those of its batch
// twin, Form8 (SingleKindEntry).
class Form9 final : public SingleKindEntry
{
    Q_DISABLE_COPY_MOVE(Form9)

public:
    Form9();

    numeric::Integer Z1 = 0; // entity types referenced, last transaction
    numeric::Integer Z2 = 0; // input data element types
    numeric::Integer Z3 = 0; // output data element types
    double PFNAO = 0;        // running total of the on-line system
    double HO = 0;           // points of the last transaction

private:
    static const Design& onLineDesign();
};
