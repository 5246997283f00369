#pragma once

// Helpers for tests that drive the screens as a user does. A helper whose check fails stops the
// test at once (support::Abort, caught by main); an unexpected message box fails the test.

#include "app/registry.h"
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
#include "toolkit/screen.h"

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace support {

// Thrown by a helper after it has recorded a failure.
struct Abort
{
};

// Records the failure and stops the test.
[[noreturn]] void fail(const QString& what);
inline void require(bool condition, const QString& what)
{
    if (!condition)
        fail(what);
}

// Every test starts a fresh run of the program under Spanish settings, where any message box, save
// dialog or print dialog fails the test unless the test expects it.
void freshRun();

// The widget of a screen's control, by the control's name; fails the test if it is missing.
template <class W = QWidget> W* widget(const toolkit::Screen& screen, const char* name)
{
    QWidget* window = screen.window();
    require(window, QStringLiteral("%1 is not loaded").arg(screen.objectName()));
    auto* found = window->findChild<W*>(QString::fromLatin1(name));
    require(found, QStringLiteral("%1 has no %2").arg(screen.objectName(), name));
    return found;
}

// A left click in the middle of the widget.
void click(QWidget* widget);
// Clicks a screen's button by name; fails the test if it is disabled.
void press(const toolkit::Screen& screen, const char* button);
// Replaces the text of a screen's box as the user does: select all, then type.
void type(const toolkit::Screen& screen, const char* box, const QString& text);
void type(QLineEdit* box, const QString& text);
// Picks a list entry of a screen's combo with the arrow keys, as the user does.
void pick(const toolkit::Screen& screen, const char* combo, int position);
// Leaves an option selected as an earlier visit would have, without running its Click.
void preselect(const toolkit::Screen& screen, const char* option);
// What a screen's box or label shows, by name.
QString shown(const toolkit::Screen& screen, const char* name);
// One key to the focused widget of the screen's window.
void key(const toolkit::Screen& screen, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The name of the control that has the focus on a screen.
QString focused(const toolkit::Screen& screen);

// While it lives, message boxes are expected: each is answered and kept.
class Messages final
{
    Q_DISABLE_COPY_MOVE(Messages)

public:
    explicit Messages(toolkit::Answer answer = toolkit::Answer::Ok);
    ~Messages();

    QList<toolkit::Message> seen;
    int count() const { return static_cast<int>(seen.size()); }
    QStringList titles() const;
    QStringList texts() const;

private:
    toolkit::Answer m_answer;
};

// What the program last told screen readers to say on the screen; reading it clears it, so that
// the next reading is of a new announcement only.
QString announced(const toolkit::Screen& screen);

// The roads through the program. Kinds are Form7's options: 1 batch, 2 on line, 3 mixed.
// Chooses the system type; returns its entry screen.
toolkit::Screen& chooseType(int kind);
// Types counts written "2 12 4" into Text1.. of an entry screen.
void typeCounts(const toolkit::Screen& form, const QString& counts);
// Chooses the system type and enters each transaction: its counts, Calcular, NuevaFuncion.
toolkit::Screen& count(int kind, const QStringList& transactions);
// Rates every attribute on Form2 alike, or attribute k as k % 6 when the rating is negative.
void rateAll(int rating);
// From Form6 to Form3: the TGI typed and Enter, or, when empty, every attribute rated and Enter
// twice (Sumar, Aceptar).
void giveTgi(const QString& typed, int rating = -1);
// From Form3 to the report by Enter alone, after the language is picked on Form4.
void toReport(int language);
// Opens the report by "Informe" on the effort screen; shortcuts then reach it.
Form10& openReport();
// The output of one of poppler's tools, or a failure text when it fails or is missing.
QString poppler(const QString& tool, const QStringList& arguments);
// The text of a PDF file, or the given text, line by line without blanks or page numbers.
QStringList pdfLines(const QString& pdfOrText);
// Each word of a PDF's first page outside the margins of 20 mm, and a title off the centre.
QStringList misplacedWords(const QString& path);

// Runs the test object; a helper's Abort ends the program with a failure, not a crash.
int runTests(QObject* test, int argc, char** argv);

} // namespace support

#define SUPPORT_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication application(argc, argv);                                                      \
        QApplication::setAttribute(Qt::AA_Use96Dpi, true);                                         \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return support::runTests(&test, argc, argv);                                               \
    }
