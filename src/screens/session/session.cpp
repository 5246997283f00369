#include "screens/session/session.h"

#include "app/registry.h"
#include "method/productivity.h"
#include "numeric/numeric.h"
#include "screens/complexity/form2.h"
#include "screens/complexity/form3.h"
#include "screens/complexity/form6.h"
#include "screens/effort/form4.h"
#include "screens/effort/form5.h"
#include "screens/report/form10.h"
#include "screens/size/form1.h"
#include "screens/size/form7.h"
#include "screens/size/form8.h"
#include "screens/size/form9.h"
#include "toolkit/runtime.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <type_traits>

namespace session {

namespace {

using estimate::Estimate;
using estimate::Stage;

const QString kFilter = QStringLiteral("Estimaciones de Método MARK II (*.markii)");

struct State
{
    QString path;
    std::optional<Estimate> saved; // as last saved or opened
};
State g_state;

template <class T> bool shown(T* screen)
{
    return screen && screen->isShown();
}

estimate::Rules rules()
{
    return {method::languages()};
}

bool systemTypeChosen()
{
    Form7* systemType = app::ifLoaded<Form7>();
    return systemType && systemType->hasSystemType();
}

// The furthest screen in sight, and how many of its one-shot steps have run.
Stage stageShown()
{
    if (shown(app::ifLoaded<Form10>()))
        return Stage::Report;
    if (Form5* effort = app::ifLoaded<Form5>(); shown(effort))
        return effort->Informe->isEnabled() ? Stage::EffortCalculated : Stage::Effort;
    if (Form4* productivity = app::ifLoaded<Form4>(); shown(productivity))
        return productivity->Command2->isEnabled() ? Stage::ProductivityP : Stage::Productivity;
    if (Form3* adjustment = app::ifLoaded<Form3>(); shown(adjustment))
        return adjustment->Command1->isEnabled()    ? Stage::AdjustmentPfa
               : adjustment->Obtencion->isEnabled() ? Stage::AdjustmentAct
                                                    : Stage::Adjustment;
    if (Form2* ratings = app::ifLoaded<Form2>(); shown(ratings))
        return ratings->Aceptar->isEnabled() ? Stage::RatingsSummed : Stage::Ratings;
    if (shown(app::ifLoaded<Form6>()))
        return Stage::Influence;
    if (shown(app::ifLoaded<Form7>()))
        return Stage::SystemType;
    return Stage::Entry;
}

bool hasUnsavedWork()
{
    if (!systemTypeChosen())
        return false;
    const Estimate now = capture();
    return g_state.saved ? !now.sameInputs(*g_state.saved) : now.hasInput();
}

// Types one transaction's counts into an entry screen and calculates it, as the user does.
template <class Entry> void enterTransactions(Entry& entry, const QList<method::Transaction>& list)
{
    for (const method::Transaction& transaction : list) {
        if (!entry.Calcular->isEnabled())
            entry.NuevaFuncion->press();
        const auto write = [](toolkit::TextBox* box, numeric::Integer count) {
            box->setText(numeric::integerToText(count));
        };
        write(entry.Text1, transaction.counts.entities);
        write(entry.Text2, transaction.counts.inputs);
        write(entry.Text3, transaction.counts.outputs);
        if constexpr (std::is_same_v<Entry, Form1>) {
            write(entry.Text4, transaction.onLine.entities);
            write(entry.Text5, transaction.onLine.inputs);
            write(entry.Text6, transaction.onLine.outputs);
        }
        entry.Calcular->press();
        if (!transaction.name.isEmpty())
            entry.renameTransaction(int(entry.transactions().size()) - 1, transaction.name);
    }
}

// Chooses a system type on the first screen and enters its transactions.
void size(method::SystemType type, const QList<method::Transaction>& list)
{
    Form7& systemType = app::loaded<Form7>();
    switch (type) {
    case method::SystemType::Batch:
        systemType.Option1->choose();
        enterTransactions(app::loaded<Form8>(), list);
        break;
    case method::SystemType::OnLine:
        systemType.Option2->choose();
        enterTransactions(app::loaded<Form9>(), list);
        break;
    case method::SystemType::Mixed:
        systemType.Option3->choose();
        enterTransactions(app::loaded<Form1>(), list);
        break;
    }
}

toolkit::CommandButton* entryButton(method::SystemType type, bool accept)
{
    switch (type) {
    case method::SystemType::Batch:
        return accept ? app::loaded<Form8>().Aceptar : app::loaded<Form8>().Cancelar;
    case method::SystemType::OnLine:
        return accept ? app::loaded<Form9>().Aceptar : app::loaded<Form9>().Cancelar;
    case method::SystemType::Mixed:
        break;
    }
    return accept ? app::loaded<Form1>().Aceptar : app::loaded<Form1>().Cancelar;
}

// The user's entries again, screen by screen, up to where the estimate stood.
void replay(const Estimate& estimate)
{
    const Stage stage = estimate.stage;
    // Entry screens left earlier for another system type keep their transactions.
    const std::array<std::pair<method::SystemType, const QList<method::Transaction>*>, 3> lists = {
        {{method::SystemType::Batch, &estimate.batch},
         {method::SystemType::OnLine, &estimate.onLine},
         {method::SystemType::Mixed, &estimate.mixed}}};
    for (const auto& [type, list] : lists) {
        if (type != estimate.systemType && !list->isEmpty()) {
            size(type, *list);
            entryButton(type, false)->press();
        }
    }
    for (const auto& [type, list] : lists) {
        if (type == estimate.systemType)
            size(type, *list);
    }
    if (stage == Stage::SystemType)
        entryButton(estimate.systemType, false)->press();
    if (stage <= Stage::Entry)
        return;
    entryButton(estimate.systemType, true)->press();
    if (estimate.influence == estimate::Influence::None)
        return;

    Form6& influence = app::loaded<Form6>();
    if (estimate.influence == estimate::Influence::Direct) {
        influence.Option1->choose();
        // An empty value was typed and erased: its change still went through the check.
        if (estimate.directTgi.isEmpty())
            influence.Text1->setText(QStringLiteral("0"));
        influence.Text1->setText(estimate.directTgi);
        if (stage == Stage::Influence)
            return;
        influence.Command1->press();
    } else {
        influence.Option2->choose();
        Form2& ratings = app::loaded<Form2>();
        for (int k = 0; k < Form2::kAttributes; ++k) {
            if (estimate.ratings[k] != estimate::kUnrated)
                ratings.Combos[k]->pick(estimate.ratings[k]);
        }
        if (stage == Stage::Ratings)
            return;
        ratings.Sumar->press();
        if (stage == Stage::RatingsSummed)
            return;
        ratings.Aceptar->press();
    }

    Form3& adjustment = app::loaded<Form3>();
    if (stage == Stage::Adjustment)
        return;
    adjustment.Calcular->press();
    if (stage == Stage::AdjustmentAct)
        return;
    adjustment.Obtencion->press();
    if (stage == Stage::AdjustmentPfa)
        return;
    adjustment.Command1->press();

    Form4& productivity = app::loaded<Form4>();
    if (!estimate.language.isEmpty())
        productivity.Combo1->pick(int(method::languages().indexOf(estimate.language)));
    if (stage == Stage::Productivity)
        return;
    productivity.Command1->press();
    if (stage == Stage::ProductivityP)
        return;
    productivity.Command2->press();

    Form5& effort = app::loaded<Form5>();
    if (stage == Stage::Effort)
        return;
    effort.Calcular->press();
    if (stage == Stage::EffortCalculated)
        return;
    effort.Informe->press();
}

// A fresh run with the estimate entered again. False, with the first message the screens gave,
// when the screens did not end where the estimate stood.
bool replayFresh(const Estimate& estimate, QString* problem)
{
    app::Registry::instance().reset();
    app::start<Form7>();
    const toolkit::HeldMessages held;
    replay(estimate);
    if (!held.messages().isEmpty()) {
        *problem = held.messages().first().text;
        return false;
    }
    const Estimate entered = capture();
    if (toolkit::programEnded() || !entered.sameInputs(estimate) ||
        entered.stage != estimate.stage) {
        *problem = QStringLiteral("Las pantallas no han aceptado los datos del archivo.");
        return false;
    }
    return true;
}

// Replaces the run by the estimate; if the screens refuse it, the estimate before comes back.
bool enter(const Estimate& estimate, const QString& path)
{
    std::optional<Estimate> before;
    if (systemTypeChosen())
        before = capture();
    const State stateBefore = g_state;
    QString problem;
    if (replayFresh(estimate, &problem)) {
        g_state = {path, capture()};
        return true;
    }
    if (before) {
        QString ignored;
        replayFresh(*before, &ignored);
    } else {
        app::Registry::instance().reset();
        app::start<Form7>();
    }
    g_state = stateBefore;
    toolkit::messageBox(QStringLiteral("No se ha podido abrir la estimación «%1».\n\n%2")
                            .arg(QDir::toNativeSeparators(path), problem),
                        QStringLiteral("No se ha abierto la estimación"));
    return false;
}

std::optional<Estimate> read(const QString& path)
{
    QString message;
    std::optional<Estimate> estimate = estimate::readFile(path, rules(), &message);
    if (!estimate)
        toolkit::messageBox(message, QStringLiteral("No se ha abierto la estimación"));
    return estimate;
}

} // namespace

void beginRun()
{
    g_state = {};
    toolkit::Screen::addProgramCommand("GuardarEstimacion", QStringLiteral("&Guardar estimación…"),
                                       QKeySequence::Save, [] { save(false); });
    toolkit::Screen::addProgramCommand(
        "GuardarEstimacionComo", QStringLiteral("Guardar estimación c&omo…"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [] { save(true); });
    toolkit::setWorkKeeper({hasUnsavedWork, [] { return save(false); }});
}

Estimate capture()
{
    Estimate estimate;
    estimate.systemType = app::loaded<Form7>().systemType();
    if (const Form8* batch = app::ifLoaded<Form8>())
        estimate.batch = batch->transactions();
    if (const Form9* onLine = app::ifLoaded<Form9>())
        estimate.onLine = onLine->transactions();
    if (const Form1* mixed = app::ifLoaded<Form1>())
        estimate.mixed = mixed->transactions();
    if (const Form6* influence = app::ifLoaded<Form6>()) {
        if (influence->Option1->isSelected()) {
            estimate.influence = estimate::Influence::Direct;
            estimate.directTgi = influence->Text1->text();
        } else if (influence->Option2->isSelected()) {
            estimate.influence = estimate::Influence::Rated;
        }
    }
    if (const Form2* ratings = app::ifLoaded<Form2>();
        ratings && estimate.influence == estimate::Influence::Rated) {
        for (int k = 0; k < Form2::kAttributes; ++k)
            estimate.ratings[k] = ratings->Combos[k]->listIndex();
    }
    if (const Form4* productivity = app::ifLoaded<Form4>();
        productivity && productivity->Combo1->listIndex() >= 0)
        estimate.language = method::languages()[productivity->Combo1->listIndex()];
    estimate.stage = stageShown();
    return estimate;
}

bool save(bool choosePath)
{
    if (!systemTypeChosen()) {
        toolkit::messageBox(QStringLiteral("Elija antes el tipo de sistema: la estimación se puede "
                                           "guardar desde ese momento."),
                            QStringLiteral("Aún no hay estimación"));
        return false;
    }
    const Estimate now = capture();
    QString path = g_state.path;
    if (choosePath || path.isEmpty()) {
        const QString proposed =
            path.isEmpty()
                ? QDir(toolkit::documentsFolder()).filePath(QStringLiteral("Estimación.markii"))
                : path;
        path = toolkit::askSaveFileName(QStringLiteral("Guardar estimación"), proposed, kFilter);
        if (path.isEmpty())
            return false;
        // A new name gets the extension; the dialog asked before overwriting the name chosen,
        // not the one with the extension.
        if (QFileInfo(path).suffix().isEmpty() && !QFileInfo::exists(path) &&
            !QFileInfo::exists(path + QStringLiteral(".markii")))
            path += QStringLiteral(".markii");
    }
    QString message;
    if (!estimate::writeFile(now, path, &message)) {
        toolkit::messageBox(message, QStringLiteral("No se ha guardado la estimación"));
        return false;
    }
    g_state = {path, now};
    return true;
}

void askAndOpen()
{
    if (!toolkit::mayDiscardWork())
        return;
    const QString folder = g_state.path.isEmpty() ? toolkit::documentsFolder()
                                                  : QFileInfo(g_state.path).absolutePath();
    const QString path =
        toolkit::askOpenFileName(QStringLiteral("Abrir estimación"), folder,
                                 kFilter + QStringLiteral(";;Todos los archivos (*)"));
    if (path.isEmpty())
        return;
    std::optional<Estimate> estimate = read(path);
    if (!estimate)
        return;
    // The screens of this run are replaced, and this handler runs inside one of them.
    QMetaObject::invokeMethod(
        qApp, [opened = *estimate, path] { enter(opened, path); }, Qt::QueuedConnection);
}

bool open(const QString& path)
{
    const std::optional<Estimate> estimate = read(path);
    return estimate && enter(*estimate, path);
}

QString currentPath()
{
    return g_state.path;
}

} // namespace session
