#pragma once

#include "screens/report/report_document.h"
#include "toolkit/screen.h"

// The estimation report: every value read afresh from its owner each time it is activated.
class Form10 final : public toolkit::Screen
{
    Q_DISABLE_COPY_MOVE(Form10)

public:
    Form10();

    toolkit::Ref<toolkit::Label> Label2;  // PFNAB of the batch screen
    toolkit::Ref<toolkit::Label> Label4;  // PFNAO of the on-line screen
    toolkit::Ref<toolkit::Label> Label6;  // PFNA of the mixed screen
    toolkit::Ref<toolkit::Label> Label8;  // TGI
    toolkit::Ref<toolkit::Label> Label10; // ACT
    toolkit::Ref<toolkit::Label> Label12; // PFAb
    toolkit::Ref<toolkit::Label> Label14; // PFAo
    toolkit::Ref<toolkit::Label> Label16; // PFA
    toolkit::Ref<toolkit::Label> Label18; // P
    toolkit::Ref<toolkit::Label> Label21; // W
    toolkit::Ref<toolkit::Label> Label24; // PE

protected:
    void design() override;
    void closeBox() override;
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
    // The report as a document, exactly as the page shows it now.
    report::Document document() const;
    void copyReport();
    void saveReport();
    void printReport();

    // What the estimate was made of, for the pages after the figures.
    static report::Part countedTransactions();
    static report::Part influence();
    static report::Part language();
    static method::SystemType systemType();

    static double batchSize();
    static double onLineSize();
    static double mixedSize();

    toolkit::Ref<toolkit::Frame> Frame1;
    toolkit::Ref<toolkit::Frame> Frame5;
    toolkit::Ref<toolkit::Label> Label25;
    toolkit::Ref<toolkit::Label> Label23;
    toolkit::Ref<toolkit::Label> Label22;
    toolkit::Ref<toolkit::Label> Label20;
    toolkit::Ref<toolkit::Label> Label19;
    toolkit::Ref<toolkit::Label> Label17;
    toolkit::Ref<toolkit::Frame> Frame4;
    toolkit::Ref<toolkit::Label> Label15;
    toolkit::Ref<toolkit::Label> Label13;
    toolkit::Ref<toolkit::Label> Label11;
    toolkit::Ref<toolkit::Frame> Frame3;
    toolkit::Ref<toolkit::Label> Label9;
    toolkit::Ref<toolkit::Label> Label7;
    toolkit::Ref<toolkit::Frame> Frame2;
    toolkit::Ref<toolkit::Label> Label5;
    toolkit::Ref<toolkit::Label> Label3;
    toolkit::Ref<toolkit::Label> Label1;
};
