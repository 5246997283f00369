#pragma once

#include "method/transaction.h"
#include "numeric/numeric.h"
#include "toolkit/screen.h"

#include <QList>

// Function entry of a mixed system: each transaction as a batch column and an on-line column,
// with a running total for each and their sum PFNA.
class Form1 final : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    Form1();

    numeric::Integer A = 0; // batch: entity types referenced
    numeric::Integer B = 0; // batch: input data element types
    numeric::Integer c = 0; // batch: output data element types
    numeric::Integer d = 0; // on line: entity types referenced
    numeric::Integer E = 0; // on line: input data element types
    numeric::Integer f = 0; // on line: output data element types
    double g = 0;           // batch points of the last transaction
    double h = 0;           // on-line points of the last transaction
    double PFNAB = 0;       // running batch total
    double PFNAO = 0;       // running on-line total
    double PFNA = 0;        // PFNAO + PFNAB after the last calculation

    toolkit::Ref<toolkit::CommandButton> NuevaFuncion;
    toolkit::Ref<toolkit::TextBox> Text2;
    toolkit::Ref<toolkit::CommandButton> Calcular;
    toolkit::Ref<toolkit::CommandButton> Cancelar;
    toolkit::Ref<toolkit::CommandButton> Aceptar;
    toolkit::Ref<toolkit::TextBox> Text8;
    toolkit::Ref<toolkit::TextBox> Text7;
    toolkit::Ref<toolkit::TextBox> Text6;
    toolkit::Ref<toolkit::TextBox> Text5;
    toolkit::Ref<toolkit::TextBox> Text4;
    toolkit::Ref<toolkit::TextBox> Text3;
    toolkit::Ref<toolkit::TextBox> Text1;
    toolkit::Ref<toolkit::ListBox> Transacciones; // the transactions counted so far
    toolkit::Ref<toolkit::CommandButton> Quitar;

    // The transactions counted so far, in entry order: the batch column in `counts`, the on-line
    // column in `onLine`.
    const QList<method::Transaction>& transactions() const { return m_transactions; }
    // Names a transaction (0-based) as the user does in the list: blanks trimmed, at most 200
    // characters, an empty name back to the default.
    void renameTransaction(int index, const QString& name);
    // Takes a transaction (0-based) back, as Quitar does once the user has said yes: the totals
    // become those of a fresh entry of the others, and the total boxes show them.
    void removeTransaction(int index);

protected:
    void design() override;
    void Form_Load() override;
    void Calcular_Click();
    void NuevaFuncion_Click();
    void Aceptar_Click();
    void Cancelar_Click();
    void Quitar_Click();

private:
    QList<method::Transaction> m_transactions;

    toolkit::Ref<toolkit::Label> Label7;
    toolkit::Ref<toolkit::Label> Label6;
    toolkit::Ref<toolkit::Label> Label5;
    toolkit::Ref<toolkit::Label> Label4;
    toolkit::Ref<toolkit::Label> Label3;
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Label> Label1;
};
