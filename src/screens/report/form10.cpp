#include "screens/report/form10.h"

#include "app/registry.h"
#include "method/influence.h"
#include "method/productivity.h"
#include "numeric/numeric.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/fonts.h"
#include "toolkit/runtime.h"

#include <QDir>

#include <initializer_list>

namespace {

QString shown(double value)
{
    return numeric::doubleToText(value);
}

// TGI travels as the text of a box; the report shows the number that text begins with.
QString shownTgi(const QString& text)
{
    return numeric::doubleToText(numeric::leadingNumberValue(text));
}

} // namespace

Form10::Form10() : Screen("Form10") {}

void Form10::design()
{
    using toolkit::Twips;
    setCaption(QStringLiteral("Informe MARKII"));
    setClientSize(7440, 7710);
    setDesignPosition(2415, 840);
    setBackColor(Qt::white);

    Frame1 = addFrame("Frame1", QString(), Twips{240, 0, 6975, 7695}, 0);

    // Every caption at one indent and every value in one column, so that the page reads as a
    // table; the units stand after the widest value the effort frame can show.
    constexpr int caption = 360;
    constexpr int captionWidth = 1500;
    constexpr int value = 1920;
    constexpr int valueWidth = 4095;
    constexpr int effortWidth = 1620;
    constexpr int unit = value + effortWidth + 60;
    constexpr int height = 345;

    Frame5 = addFrame("Frame5", QStringLiteral("Productividad, Esfuerzo y Plazo de Entrega"),
                      Twips{240, 5640, 6495, 1815}, 20, Frame1);
    Label25 = addLabel("Label25", QStringLiteral("en semanas "), Twips{unit, 1200, 1695, height},
                       29, Frame5);
    Label24 = addLabel("Label24", QString(), Twips{value, 1200, effortWidth, height}, 28, Frame5);
    Label23 = addLabel("Label23", QStringLiteral("PE = "),
                       Twips{caption, 1200, captionWidth, height}, 27, Frame5);
    Label22 = addLabel("Label22", QStringLiteral("en horas de trabajo"),
                       Twips{unit, 840, 1695, height}, 26, Frame5);
    Label21 = addLabel("Label21", QString(), Twips{value, 840, effortWidth, height}, 25, Frame5);
    Label20 = addLabel("Label20", QStringLiteral("W = "), Twips{caption, 840, captionWidth, height},
                       24, Frame5);
    Label19 =
        addLabel("Label19", QStringLiteral("PF/hora"), Twips{unit, 480, 1695, height}, 23, Frame5);
    Label18 = addLabel("Label18", QString(), Twips{value, 480, effortWidth, height}, 22, Frame5);
    Label17 = addLabel("Label17", QStringLiteral("P = "), Twips{caption, 480, captionWidth, height},
                       21, Frame5);

    Frame4 = addFrame("Frame4", QStringLiteral("Tamaño del Sistema"), Twips{240, 3840, 6495, 1695},
                      13, Frame1);
    Label16 = addLabel("Label16", QString(), Twips{value, 1200, valueWidth, height}, 19, Frame4);
    Label15 = addLabel("Label15", QStringLiteral("PFA =  "),
                       Twips{caption, 1200, captionWidth, height}, 18, Frame4);
    Label14 = addLabel("Label14", QString(), Twips{value, 840, valueWidth, height}, 17, Frame4);
    Label13 = addLabel("Label13", QStringLiteral("PFA On Line = "),
                       Twips{caption, 840, captionWidth, height}, 16, Frame4);
    Label12 = addLabel("Label12", QString(), Twips{value, 480, valueWidth, height}, 15, Frame4);
    Label11 = addLabel("Label11", QStringLiteral("PFA Batch ="),
                       Twips{caption, 480, captionWidth, height}, 14, Frame4);

    Frame3 = addFrame("Frame3", QStringLiteral("Ajuste por Complejidad Técnica"),
                      Twips{240, 2280, 6495, 1455}, 8, Frame1);
    Label10 = addLabel("Label10", QString(), Twips{value, 960, valueWidth, height}, 12, Frame3);
    Label9 = addLabel("Label9", QStringLiteral("ACT = "), Twips{caption, 960, captionWidth, height},
                      11, Frame3);
    Label8 = addLabel("Label8", QString(), Twips{value, 600, valueWidth, height}, 10, Frame3);
    Label7 = addLabel("Label7", QStringLiteral("TGI = "), Twips{caption, 600, captionWidth, height},
                      9, Frame3);

    Frame2 = addFrame("Frame2", QStringLiteral("Puntos Función No Ajustados"),
                      Twips{240, 360, 6495, 1815}, 1, Frame1);
    Label6 = addLabel("Label6", QString(), Twips{value, 1320, valueWidth, height}, 7, Frame2);
    Label5 = addLabel("Label5", QStringLiteral("PFNA Mixto = "),
                      Twips{caption, 1320, captionWidth, height}, 6, Frame2);
    Label4 = addLabel("Label4", QString(), Twips{value, 960, valueWidth, height}, 5, Frame2);
    Label3 = addLabel("Label3", QStringLiteral("PFNA On Line = "),
                      Twips{caption, 960, captionWidth, height}, 4, Frame2);
    Label2 = addLabel("Label2", QString(), Twips{value, 600, valueWidth, height}, 3, Frame2);
    Label1 = addLabel("Label1", QStringLiteral("PFNA Batch = "),
                      Twips{caption, 600, captionWidth, height}, 2, Frame2);

    // A white page in one family: the screen, every frame and every label, with black text
    // whatever the desktop's scheme.
    for (toolkit::Frame* frame : {Frame1, Frame5, Frame4, Frame3, Frame2}) {
        frame->setBackColor(Qt::white);
        frame->setCaptionFont(toolkit::boldFont(9.75));
    }
    const auto captions = {Label25, Label23, Label22, Label20, Label19, Label17, Label15,
                           Label13, Label11, Label9,  Label7,  Label5,  Label3,  Label1};
    const auto values = {Label24, Label21, Label18, Label16, Label14, Label12,
                         Label10, Label8,  Label6,  Label4,  Label2};
    for (toolkit::Label* label : captions) {
        label->setBackColor(Qt::white);
        label->setFont(toolkit::boldFont());
        label->setAlignment(toolkit::Label::Alignment::Left, true);
    }
    for (toolkit::Label* label : values) {
        label->setBackColor(Qt::white);
        label->setAlignment(toolkit::Label::Alignment::Left, true);
    }
    // The page is read value by value, with Tab or the arrow keys, each with its caption and
    // unit. Escape leaves it as its close box does.
    Label2->readAsValueOf(Label1);
    Label4->readAsValueOf(Label3);
    Label6->readAsValueOf(Label5);
    Label8->readAsValueOf(Label7);
    Label10->readAsValueOf(Label9);
    Label12->readAsValueOf(Label11);
    Label14->readAsValueOf(Label13);
    Label16->readAsValueOf(Label15);
    Label18->readAsValueOf(Label17, Label19);
    Label21->readAsValueOf(Label20, Label22);
    Label24->readAsValueOf(Label23, Label25);
    setEscapeCloses(true);
    // The captions and units are heard with their values: heard alone, they would be heard twice.
    for (toolkit::Label* label : captions)
        label->hideFromScreenReaders();

    // The report goes with the user: copied into a plan, exported beside a proposal, printed.
    addCommand("Copiar", QStringLiteral("&Copiar informe"), QKeySequence::Copy,
               [this] { copyReport(); });
    addCommand("ExportarPdf", QStringLiteral("&Exportar a PDF…"),
               QKeySequence(Qt::CTRL | Qt::Key_E), [this] { saveReport(); });
    addCommand("Imprimir", QStringLiteral("&Imprimir…"), QKeySequence::Print,
               [this] { printReport(); });

    Label2->onChange([this] { Label2_Change(); });
    Label4->onChange([this] { Label4_Change(); });
    Label6->onChange([this] { Label6_Change(); });
    Label8->onChange([this] { Label8_Change(); });
    Label10->onChange([this] { Label10_Change(); });
    Label12->onChange([this] { Label12_Change(); });
    Label14->onChange([this] { Label14_Change(); });
    Label16->onChange([this] { Label16_Change(); });
    Label18->onChange([this] { Label18_Change(); });
    Label21->onClick([this] { Label21_Click(); });
    Label24->onClick([this] { Label24_Click(); });
}

report::Document Form10::document() const
{
    const auto line = [](const toolkit::Label* caption, const toolkit::Label* value,
                         const toolkit::Label* unit = nullptr) {
        return report::Line{caption->caption(), value->caption(),
                            unit ? unit->caption() : QString()};
    };
    return {
        caption(),
        {{Frame2->caption(), {line(Label1, Label2), line(Label3, Label4), line(Label5, Label6)}},
         {Frame3->caption(), {line(Label7, Label8), line(Label9, Label10)}},
         {Frame4->caption(),
          {line(Label11, Label12), line(Label13, Label14), line(Label15, Label16)}},
         {Frame5->caption(),
          {line(Label17, Label18, Label19), line(Label20, Label21, Label22),
           line(Label23, Label24, Label25)}}},
        {{report::systemTypeName(systemType()), {}, {}},
         countedTransactions(),
         influence(),
         language()}};
}

// Only the entry screen of the system type chosen counts: one left earlier with Cancelar keeps
// its transactions, but the report does not show them.
report::Part Form10::countedTransactions()
{
    const method::SystemType type = systemType();
    switch (type) {
    case method::SystemType::Batch:
        return report::countedTransactions(type, app::screen<Form8>().transactions());
    case method::SystemType::OnLine:
        return report::countedTransactions(type, app::screen<Form9>().transactions());
    case method::SystemType::Mixed:
        break;
    }
    return report::countedTransactions(type, app::screen<Form1>().transactions());
}

// How TGI was obtained, from the road the report's TGI takes: the value typed, or each
// attribute's rating and their sum.
report::Part Form10::influence()
{
    report::Part part{QStringLiteral("Grado Total de Influencia (TGI)"), {}, {}};
    if (app::isSelected(&Form6::Option1)) {
        part.lines << QStringLiteral("Valor directo de TGI: ") +
                          shownTgi(app::textOf(&Form6::Text1));
        return part;
    }
    const Form2& ratings = app::loaded<Form2>();
    part.table.columns = {{QStringLiteral("Atributo"), false},
                          {QStringLiteral("Influencia"), false}};
    for (int row = 0; row < method::kAttributes; ++row) {
        const int rating = ratings.Combos[std::size_t(row)]->listIndex();
        part.table.rows << QStringList{method::attributeNames()[row].trimmed(),
                                       rating < 0 ? QStringLiteral("Sin valorar")
                                                  : method::degrees()[rating]};
    }
    part.table.totals << QStringList{QStringLiteral("Suma (TGI)"),
                                     shownTgi(ratings.Text20->text())};
    return part;
}

report::Part Form10::language()
{
    const Form4& productivity = app::loaded<Form4>();
    QString line = QStringLiteral("Ninguno elegido");
    if (const int picked = productivity.Combo1->listIndex(); picked >= 0)
        line = QStringLiteral("%1, factor %2")
                   .arg(method::languages()[picked].trimmed(), shown(productivity.B));
    return {QStringLiteral("Lenguaje de Programación"), {}, {line}};
}

method::SystemType Form10::systemType()
{
    return app::loaded<Form7>().systemType();
}

void Form10::copyReport()
{
    toolkit::copyText(report::plainText(document()));
}

void Form10::saveReport()
{
    const QString path = toolkit::askSaveFileName(
        QStringLiteral("Exportar el informe a PDF"),
        QDir(toolkit::documentsFolder()).filePath(QStringLiteral("Informe MARKII.pdf")),
        QStringLiteral("Documentos PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!report::writePdf(document(), path, &error))
        toolkit::messageBox(error, QStringLiteral("No se ha guardado el informe"));
}

void Form10::printReport()
{
    const report::Document pages = document();
    QString why;
    const toolkit::PrintOutcome outcome = toolkit::printPages(
        caption(), report::kMarginMillimetres,
        [&pages](QPainter& painter, const QRectF& area, const std::function<bool()>& newPage) {
            return report::paintPages(painter, area, pages, newPage);
        },
        &why);
    if (outcome == toolkit::PrintOutcome::Failed)
        why = QStringLiteral("La impresora no ha aceptado el informe.");
    if (!why.isEmpty())
        toolkit::messageBox(why, QStringLiteral("No se ha impreso el informe"));
}

void Form10::closeBox()
{
    // Closing the report goes back to the effort screen, which is still open beside it.
    Hide();
    app::screen<Form5>().Show();
}

void Form10::Form_Activate()
{
    // Label8 is written from both TGI sources; its Change handler settles it on the one chosen.
    Label2->setCaption(shown(batchSize()));
    Label4->setCaption(shown(onLineSize()));
    Label6->setCaption(shown(mixedSize()));
    Label8->setCaption(shownTgi(app::textOf(&Form6::Text1)));
    Label8->setCaption(shownTgi(app::textOf(&Form2::Text20)));
    Label10->setCaption(shown(app::screen<Form3>().ACT));
    Label12->setCaption(shown(app::screen<Form3>().PFAb));
    Label14->setCaption(shown(app::screen<Form3>().PFAo));
    Label16->setCaption(shown(app::screen<Form3>().PFA));
    Label18->setCaption(shown(app::screen<Form4>().P));
    Label21->setCaption(shown(app::screen<Form5>().W));
    Label24->setCaption(shown(app::screen<Form5>().PE));
}

// The unadjusted sizes the estimate used, taken as the adjustment screen takes them: from the
// entry screen of the system type chosen, 0 for the kinds the system lacks. An entry screen left
// earlier with Cancelar keeps its total, but the report does not show it.
double Form10::batchSize()
{
    const method::SystemType systemType = app::loaded<Form7>().systemType();
    if (systemType == method::SystemType::Batch)
        return app::screen<Form8>().PFNAB;
    if (systemType == method::SystemType::OnLine)
        return 0;
    return app::screen<Form1>().PFNAB;
}

double Form10::onLineSize()
{
    const method::SystemType systemType = app::loaded<Form7>().systemType();
    if (systemType == method::SystemType::OnLine)
        return app::screen<Form9>().PFNAO;
    if (systemType == method::SystemType::Batch)
        return 0;
    return app::screen<Form1>().PFNAO;
}

double Form10::mixedSize()
{
    if (app::loaded<Form7>().systemType() != method::SystemType::Mixed)
        return 0;
    return app::screen<Form1>().PFNA;
}

void Form10::Label2_Change()
{
    Label2->setCaption(shown(batchSize()));
}

void Form10::Label4_Change()
{
    Label4->setCaption(shown(onLineSize()));
}

void Form10::Label6_Change()
{
    Label6->setCaption(shown(mixedSize()));
}

void Form10::Label8_Change()
{
    if (app::isSelected(&Form6::Option1))
        Label8->setCaption(shownTgi(app::textOf(&Form6::Text1)));
    else
        Label8->setCaption(shownTgi(app::textOf(&Form2::Text20)));
}

void Form10::Label10_Change()
{
    Label10->setCaption(shown(app::screen<Form3>().ACT));
}

void Form10::Label12_Change()
{
    Label12->setCaption(shown(app::screen<Form3>().PFAb));
}

void Form10::Label14_Change()
{
    Label14->setCaption(shown(app::screen<Form3>().PFAo));
}

void Form10::Label16_Change()
{
    Label16->setCaption(shown(app::screen<Form3>().PFA));
}

void Form10::Label18_Change()
{
    Label18->setCaption(shown(app::screen<Form4>().P));
}

void Form10::Label21_Click()
{
    Label21->setCaption(shown(app::screen<Form5>().W));
}

void Form10::Label24_Click()
{
    Label24->setCaption(shown(app::screen<Form5>().PE));
}
