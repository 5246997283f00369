#include "screens/size/single_kind_entry.h"

#include "app/registry.h"
#include "screens/complexity/form6.h"
#include "screens/size/form7.h"
#include "screens/size/transaction_list.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <algorithm>
#include <utility>

SingleKindEntry::SingleKindEntry(const char* className, const Design& design, Fields fields)
    : Screen(className), m_design(design), m_fields(fields)
{}

void SingleKindEntry::design()
{
    const Design& d = m_design;
    setCaption(QStringLiteral("Puntos Función No Ajustados"));
    // The list of transactions below the grid, Quitar beside it; the window grows to hold them.
    const toolkit::Twips list{360, d.aceptar.twips.top + d.aceptar.twips.height + 225,
                              transaction_list::listWidth(false), transaction_list::kListHeight};
    const int quitarLeft = list.left + list.width + transaction_list::kGap;
    setClientSize(std::max(d.width, quitarLeft + transaction_list::kButtonWidth + 360),
                  std::max(d.height, list.top + list.height + 240));
    setBorder(d.border);

    Calcular = addButton("Calcular", d.calcularCaption, d.calcular.twips, d.calcular.tabIndex);
    Text4 = addTextBox("Text4", d.text4.twips, d.text4.tabIndex);
    Text3 = addTextBox("Text3", d.text3.twips, d.text3.tabIndex);
    Text2 = addTextBox("Text2", d.text2.twips, d.text2.tabIndex);
    Text1 = addTextBox("Text1", d.text1.twips, d.text1.tabIndex);
    Aceptar = addButton("Aceptar", QStringLiteral("&Aceptar"), d.aceptar.twips, d.aceptar.tabIndex);
    Cancelar =
        addButton("Cancelar", QStringLiteral("&Cancelar"), d.cancelar.twips, d.cancelar.tabIndex);
    NuevaFuncion = addButton("NuevaFuncion", QStringLiteral("&Nueva Funcion"), d.nuevaFuncion.twips,
                             d.nuevaFuncion.tabIndex);
    Label1 = addLabel("Label1", QStringLiteral("Nº Entidades"), d.label1.twips, d.label1.tabIndex);
    Label2 = addLabel("Label2", QStringLiteral("Nº Datos de Entrada"), d.label2.twips,
                      d.label2.tabIndex);
    Label3 =
        addLabel("Label3", QStringLiteral("Nº Datos de Salida"), d.label3.twips, d.label3.tabIndex);
    Label4 = addLabel("Label4", QStringLiteral("PFNA"), d.label4.twips, d.label4.tabIndex);
    Label5 = addLabel("Label5", d.column, d.label5.twips, d.label5.tabIndex);
    Label6 = addLabel("Label6", QStringLiteral("Sistemas"), d.label6.twips, d.label6.tabIndex);
    for (const Segment& line : d.grid)
        addLine(line.name, line.x1, line.y1, line.x2, line.y2);
    Transacciones = addListBox("Transacciones", list, transaction_list::kTabIndex);
    Quitar = addButton("Quitar", QStringLiteral("&Quitar"),
                       {quitarLeft, list.top, transaction_list::kButtonWidth, 375},
                       transaction_list::kTabIndex + 1);

    for (toolkit::Label* label : {Label1, Label2, Label3, Label4, Label5, Label6})
        label->setAlignment(toolkit::Label::Alignment::Center);
    for (toolkit::Label* label : {Label4, Label5, Label6})
        label->setFont(toolkit::boldFont());
    Text4->setLocked(true);
    setDefaultButton(Calcular);
    setCancelButton(Cancelar);

    // Each box is named by its row header and the kind of system, for screen readers and error
    // messages: the twin screens must not sound alike.
    for (auto [box, row] :
         {std::pair{Text1, Label1}, {Text2, Label2}, {Text3, Label3}, {Text4, Label4}})
        box->setAccessibleName(QStringLiteral("%1 (%2)").arg(row->caption(), d.column));

    Calcular->onClick([this] { Calcular_Click(); });
    NuevaFuncion->onClick([this] { NuevaFuncion_Click(); });
    Aceptar->onClick([this] { Aceptar_Click(); });
    Cancelar->onClick([this] { Cancelar_Click(); });

    transaction_list::setUp(*Transacciones, m_transactions, false);
    Transacciones->onEdit(1, method::kMaxTransactionName,
                          [this](int row, const QString& name) { renameTransaction(row, name); });
    Transacciones->onDelete([this] { Quitar_Click(); });
    Transacciones->onSelect([this] { Quitar->setEnabled(Transacciones->listIndex() >= 0); });
    Quitar->onClick([this] { Quitar_Click(); });
}

void SingleKindEntry::Form_Load()
{
    Aceptar->setEnabled(false);
    NuevaFuncion->setEnabled(false);
    Quitar->setEnabled(false);
}

void SingleKindEntry::Calcular_Click()
{
    // A box that holds no whole number stops here; the counts read before it keep their values.
    m_fields.entities = Text1->toCount();
    m_fields.inputs = Text2->toCount();
    m_fields.outputs = Text3->toCount();

    const method::Counts counts{m_fields.entities, m_fields.inputs, m_fields.outputs};
    const double t = method::transactionPoints(counts);
    m_fields.last = t;
    const numeric::FloatingPointCheck check;
    m_fields.total = t + m_fields.total;
    check.check(m_fields.total);
    m_transactions.append({QString(), counts, {}});
    transaction_list::showAdded(*Transacciones, *Quitar, static_cast<int>(m_transactions.size()));

    Text4->setText(numeric::doubleToText(m_fields.total));
    Aceptar->setEnabled(true);
    Calcular->setEnabled(false);
    NuevaFuncion->setEnabled(true);

    // The new total is read next; Enter goes on to the next transaction.
    setDefaultButton(NuevaFuncion);
    Text4->focusAsResult();
}

void SingleKindEntry::renameTransaction(int index, const QString& name)
{
    transaction_list::rename(m_transactions, isLoaded() ? Transacciones : nullptr, index, name);
}

void SingleKindEntry::removeTransaction(int index)
{
    if (index < 0 || index >= m_transactions.size())
        return;
    m_transactions.removeAt(index);
    // The total is that of a fresh entry of the others, added in the same order by the same
    // steps as Calcular: subtracting the points would leave a different last bit.
    m_fields.total = method::unadjustedTotal(m_transactions);
    if (!isLoaded())
        return;
    Text4->setText(numeric::doubleToText(m_fields.total));
    transaction_list::showRemoved(*Transacciones, *Quitar, index,
                                  static_cast<int>(m_transactions.size()));
}

void SingleKindEntry::Quitar_Click()
{
    if (const int index = transaction_list::chosenForRemoval(*Transacciones, m_transactions);
        index >= 0)
        removeTransaction(index);
}

void SingleKindEntry::NuevaFuncion_Click()
{
    // The running total stays in view; the next transaction adds to it.
    Text1->setText(QString());
    Text2->setText(QString());
    Text3->setText(QString());
    Calcular->setEnabled(true);
    // Ready for the next transaction's first count.
    setDefaultButton(Calcular);
    Text1->setFocus();
}

void SingleKindEntry::Aceptar_Click()
{
    // A negative size cannot be adjusted or estimated; here the user can still correct it.
    if (m_fields.total < 0) {
        toolkit::messageBox(
            QStringLiteral("El total de Puntos Función No Ajustados es negativo (PFNA = %1), y con "
                           "un tamaño negativo no se puede estimar.\n\nSeleccione en la lista la "
                           "transacción equivocada y pulse «Quitar»; después pulse «Aceptar» de "
                           "nuevo.")
                .arg(numeric::doubleToText(m_fields.total)),
            QStringLiteral("Total negativo"));
        return;
    }
    Hide();
    app::screen<Form6>().Show();
    Form6& form6 = app::loaded<Form6>();
    form6.Option1->clear();
    form6.Option2->clear();
}

void SingleKindEntry::Cancelar_Click()
{
    Hide();
    app::screen<Form7>().Show();
}
