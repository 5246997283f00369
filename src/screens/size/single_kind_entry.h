#pragma once

#include "method/transaction.h"
#include "numeric/numeric.h"
#include "toolkit/screen.h"

#include <QList>
#include <QString>

#include <array>

// The batch and the on-line function entry screens are twins: the same table of three counts and
// a running total, the same handlers. Each twin gives its design table and its own fields, which
// other screens know by the twin's names (X1..., PFNAB on the batch screen; Z1..., PFNAO on the
// on-line one).
class SingleKindEntry : public toolkit::Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleKindEntry)

public:
    toolkit::Ref<toolkit::CommandButton> Calcular;
    toolkit::Ref<toolkit::TextBox> Text4; // the running total, locked
    toolkit::Ref<toolkit::TextBox> Text3; // output data element types
    toolkit::Ref<toolkit::TextBox> Text2; // input data element types
    toolkit::Ref<toolkit::TextBox> Text1; // entity types referenced
    toolkit::Ref<toolkit::CommandButton> Aceptar;
    toolkit::Ref<toolkit::CommandButton> Cancelar;
    toolkit::Ref<toolkit::CommandButton> NuevaFuncion;
    toolkit::Ref<toolkit::ListBox> Transacciones; // the transactions counted so far
    toolkit::Ref<toolkit::CommandButton> Quitar;

    // The transactions counted so far, in entry order.
    const QList<method::Transaction>& transactions() const { return m_transactions; }
    // Names a transaction (0-based) as the user does in the list: blanks trimmed, at most 200
    // characters, an empty name back to the default.
    void renameTransaction(int index, const QString& name);
    // Takes a transaction (0-based) back, as Quitar does once the user has said yes: the total
    // becomes that of a fresh entry of the others, and the total box shows it.
    void removeTransaction(int index);

protected:
    struct Place
    {
        toolkit::Twips twips;
        int tabIndex;
    };

    struct Segment
    {
        const char* name;
        int x1, y1, x2, y2;
    };

    // Where the twins differ on screen.
    struct Design
    {
        QString column; // header of the count column
        QString calcularCaption;
        Border border;
        int width, height; // client area
        Place calcular, text4, text3, text2, text1, aceptar, cancelar, nuevaFuncion;
        Place label1, label2, label3, label4, label5, label6;
        std::array<Segment, 9> grid; // in design order
    };

    // The twin's public fields, by their role.
    struct Fields
    {
        numeric::Integer& entities;
        numeric::Integer& inputs;
        numeric::Integer& outputs;
        double& total; // running total of the system
        double& last;  // points of the transaction last calculated
    };

    SingleKindEntry(const char* className, const Design& design, Fields fields);

    void design() override;

protected:
    void Form_Load() override;
    void Calcular_Click();
    void NuevaFuncion_Click();
    void Aceptar_Click();
    void Cancelar_Click();
    void Quitar_Click();

private:
    const Design& m_design;
    Fields m_fields;
    QList<method::Transaction> m_transactions;

    toolkit::Ref<toolkit::Label> Label1;
    toolkit::Ref<toolkit::Label> Label2;
    toolkit::Ref<toolkit::Label> Label3;
    toolkit::Ref<toolkit::Label> Label4;
    toolkit::Ref<toolkit::Label> Label5;
    toolkit::Ref<toolkit::Label> Label6;
};
