#include "screens/size/form1.h"

#include "app/registry.h"
#include "screens/complexity/form6.h"
#include "screens/size/form7.h"
#include "screens/size/transaction_list.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <algorithm>
#include <utility>

Form1::Form1() : Screen("Form1") {}

void Form1::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Puntos Función No Ajustados"));
    // The list of transactions below the grid, Quitar beside it; the window grows to hold them.
    const Twips list{360, 4200, transaction_list::listWidth(true), transaction_list::kListHeight};
    const int quitarLeft = list.left + list.width + transaction_list::kGap;
    setClientSize(std::max(5775, quitarLeft + transaction_list::kButtonWidth + 360),
                  std::max(4260, list.top + list.height + 240));
    setBorder(Border::Sizable);

    NuevaFuncion = addButton("NuevaFuncion", QStringLiteral("&Nueva Funcion"),
                             Twips{4200, 1560, 1335, 375}, 18);
    Text2 = addTextBox("Text2", Twips{2040, 1440, 855, 375}, 2);
    Calcular = addButton("Calcular", QStringLiteral("Ca&lcular"), Twips{4200, 2280, 1335, 375}, 17);
    Cancelar = addButton("Cancelar", QStringLiteral("&Cancelar"), Twips{3600, 3600, 1215, 375}, 16);
    Aceptar = addButton("Aceptar", QStringLiteral("&Aceptar"), Twips{840, 3600, 1335, 375}, 15);
    Text8 = addTextBox("Text8", Twips{3120, 2640, 855, 285}, 11);
    Text7 = addTextBox("Text7", Twips{2040, 2640, 855, 285}, 10);
    Text6 = addTextBox("Text6", Twips{3120, 2040, 855, 375}, 6);
    Text5 = addTextBox("Text5", Twips{3120, 1440, 855, 375}, 5);
    Text4 = addTextBox("Text4", Twips{3120, 840, 855, 375}, 4);
    Text3 = addTextBox("Text3", Twips{2040, 2040, 855, 375}, 3);
    Text1 = addTextBox("Text1", Twips{2040, 840, 855, 375}, 1);
    addLine("Line10", 360, 240, 4080, 240);
    Label7 = addLabel("Label7", QStringLiteral("On Line"), Twips{3120, 360, 855, 255}, 14);
    Label6 = addLabel("Label6", QStringLiteral("Sistemas"), Twips{480, 360, 1335, 255}, 13);
    Label5 = addLabel("Label5", QStringLiteral("Batch"), Twips{2040, 360, 855, 255}, 12);
    addLine("Line9", 360, 3000, 4080, 3000);
    addLine("Line8", 3000, 240, 3000, 3000);
    addLine("Line7", 360, 1920, 4080, 1920);
    addLine("Line6", 360, 1320, 4080, 1320);
    addLine("Line5", 1920, 240, 1920, 3000);
    addLine("Line4", 4080, 240, 4080, 3000);
    addLine("Line3", 360, 2520, 4080, 2520);
    addLine("Line2", 360, 720, 4080, 720);
    addLine("Line1", 360, 240, 360, 3000);
    Label4 = addLabel("Label4", QStringLiteral("PFNA"), Twips{480, 2640, 1335, 255}, 9);
    Label3 =
        addLabel("Label3", QStringLiteral("Nº Datos de Salida"), Twips{375, 2040, 1530, 255}, 8);
    Label2 =
        addLabel("Label2", QStringLiteral("Nº Datos de Entrada"), Twips{600, 1380, 1215, 510}, 7);
    Label1 = addLabel("Label1", QStringLiteral("Nº Entidades"), Twips{600, 960, 1095, 255}, 0);
    Transacciones = addListBox("Transacciones", list, transaction_list::kTabIndex);
    Quitar = addButton("Quitar", QStringLiteral("&Quitar"),
                       Twips{quitarLeft, list.top, transaction_list::kButtonWidth, 375},
                       transaction_list::kTabIndex + 1);

    for (toolkit::Label* label : {Label7, Label6, Label5, Label4, Label3, Label2, Label1})
        label->setAlignment(toolkit::Label::Alignment::Center);
    for (toolkit::Label* label : {Label7, Label6, Label5, Label4})
        label->setFont(toolkit::boldFont());
    Text7->setLocked(true);
    Text8->setLocked(true);
    setDefaultButton(Calcular);
    setCancelButton(Cancelar);

    // Both columns share the row headers, so a box's name says its column too.
    const auto name = [](toolkit::TextBox* box, toolkit::Label* row, toolkit::Label* column) {
        box->setAccessibleName(QStringLiteral("%1 (%2)").arg(row->caption(), column->caption()));
    };
    name(Text1, Label1, Label5);
    name(Text2, Label2, Label5);
    name(Text3, Label3, Label5);
    name(Text7, Label4, Label5);
    name(Text4, Label1, Label7);
    name(Text5, Label2, Label7);
    name(Text6, Label3, Label7);
    name(Text8, Label4, Label7);

    Calcular->onClick([this] { Calcular_Click(); });
    NuevaFuncion->onClick([this] { NuevaFuncion_Click(); });
    Aceptar->onClick([this] { Aceptar_Click(); });
    Cancelar->onClick([this] { Cancelar_Click(); });

    transaction_list::setUp(*Transacciones, m_transactions, true);
    Transacciones->onEdit(1, method::kMaxTransactionName,
                          [this](int row, const QString& name) { renameTransaction(row, name); });
    Transacciones->onDelete([this] { Quitar_Click(); });
    Transacciones->onSelect([this] { Quitar->setEnabled(Transacciones->listIndex() >= 0); });
    Quitar->onClick([this] { Quitar_Click(); });
}

void Form1::Form_Load()
{
    Aceptar->setEnabled(false);
    NuevaFuncion->setEnabled(false);
    Quitar->setEnabled(false);
}

void Form1::Calcular_Click()
{
    // A box that holds no whole number stops here; the counts read before it keep their values.
    A = Text1->toCount();
    B = Text2->toCount();
    c = Text3->toCount();
    d = Text4->toCount();
    E = Text5->toCount();
    f = Text6->toCount();

    const method::Counts batch{A, B, c};
    const method::Counts onLine{d, E, f};
    g = method::transactionPoints(batch);
    h = method::transactionPoints(onLine);

    const numeric::FloatingPointCheck batchSum;
    PFNAB = g + PFNAB;
    batchSum.check(PFNAB);
    const numeric::FloatingPointCheck onLineSum;
    PFNAO = h + PFNAO;
    onLineSum.check(PFNAO);
    m_transactions.append({QString(), batch, onLine});
    transaction_list::showAdded(*Transacciones, *Quitar, static_cast<int>(m_transactions.size()));

    Text7->setText(numeric::doubleToText(PFNAB));
    Text8->setText(numeric::doubleToText(PFNAO));

    const numeric::FloatingPointCheck systemSum;
    PFNA = PFNAO + PFNAB;
    systemSum.check(PFNA);

    Aceptar->setEnabled(true);
    Calcular->setEnabled(false);
    NuevaFuncion->setEnabled(true);

    // The new totals are read next; Enter goes on to the next transaction.
    setDefaultButton(NuevaFuncion);
    Text7->focusAsResult({Text8});
}

void Form1::renameTransaction(int index, const QString& name)
{
    transaction_list::rename(m_transactions, isLoaded() ? Transacciones : nullptr, index, name);
}

void Form1::removeTransaction(int index)
{
    if (index < 0 || index >= m_transactions.size())
        return;
    m_transactions.removeAt(index);
    // The totals are those of a fresh entry of the others, added in the same order by the same
    // steps as Calcular: subtracting the points would leave a different last bit.
    PFNAB = method::unadjustedTotal(m_transactions, &method::Transaction::counts);
    PFNAO = method::unadjustedTotal(m_transactions, &method::Transaction::onLine);
    if (isLoaded()) {
        Text7->setText(numeric::doubleToText(PFNAB));
        Text8->setText(numeric::doubleToText(PFNAO));
    }
    const numeric::FloatingPointCheck systemSum;
    PFNA = PFNAO + PFNAB;
    systemSum.check(PFNA);
    if (!isLoaded())
        return;
    transaction_list::showRemoved(*Transacciones, *Quitar, index,
                                  static_cast<int>(m_transactions.size()));
}

void Form1::Quitar_Click()
{
    if (const int index = transaction_list::chosenForRemoval(*Transacciones, m_transactions);
        index >= 0)
        removeTransaction(index);
}

void Form1::NuevaFuncion_Click()
{
    // The running totals stay in view; the next transaction adds to them.
    Text1->setText(QString());
    Text2->setText(QString());
    Text3->setText(QString());
    Text4->setText(QString());
    Text5->setText(QString());
    Text6->setText(QString());
    Calcular->setEnabled(true);
    // Ready for the next transaction's first count.
    setDefaultButton(Calcular);
    Text1->setFocus();
}

void Form1::Aceptar_Click()
{
    // A negative size cannot be adjusted or estimated; here the user can still correct it.
    for (auto [total, column] :
         {std::pair{PFNAB, QStringLiteral("Batch")}, {PFNAO, QStringLiteral("On Line")}}) {
        if (total < 0) {
            toolkit::messageBox(
                QStringLiteral("El total %1 de Puntos Función No Ajustados es negativo (PFNA = "
                               "%2), y con un tamaño negativo no se puede estimar.\n\n"
                               "Seleccione en la lista la transacción equivocada y pulse "
                               "«Quitar»; después pulse «Aceptar» de nuevo.")
                    .arg(column, numeric::doubleToText(total)),
                QStringLiteral("Total negativo"));
            return;
        }
    }
    Hide();
    app::screen<Form6>().Show();
    Form6& form6 = app::loaded<Form6>();
    form6.Option1->clear();
    form6.Option2->clear();
    form6.Command1->setEnabled(false);
}

void Form1::Cancelar_Click()
{
    Hide();
    app::screen<Form7>().Show();
}
