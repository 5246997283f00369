// How fast the program starts and shows each screen, for a person to read; not a test.
//
//   markii_bench_start [runs]
//
// prints the first painted frame of the program against a bare Qt Widgets window showing one
// label (paired runs, each in a fresh process), their peak memory, and every screen's first show,
// from the user's action to its first painted frame, over the given number of fresh runs (30 by
// default), in wall-clock time and in the processor time used, which a busy machine barely
// changes. The figures come from the platform in QT_QPA_PLATFORM: offscreen, or xcb on a display.
// Build it with `cmake --build build --target markii_bench_start`.
#include "first_frame.h"
#include "screen_test.h"

#include "app/identity.h"
#include "app/registry.h"
#include "app/translations.h"
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

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRadioButton>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace {

// ---------------------------------------------------------------------------------------------
// One road through the program, in a process of its own: every screen's first show, in ms.

class FrameOf final : public QObject
{
public:
    explicit FrameOf(const toolkit::Screen& target) : m_target(target) {}
    qint64 painted = 0;
    qint64 used = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QWidget* window = m_target.window();
        if (painted || !window || watched != window->windowHandle() ||
            !bench::paintExposed(watched, event))
            return false;
        painted = bench::now();
        used = bench::cpuTime();
        return true;
    }

private:
    const toolkit::Screen& m_target;
};

void firstShow(const char* label, const toolkit::Screen& target, const std::function<void()>& act)
{
    FrameOf frame(target);
    QCoreApplication::instance()->installEventFilter(&frame);
    const qint64 start = bench::now();
    const qint64 startUsed = bench::cpuTime();
    act();
    const QDeadlineTimer deadline(10'000);
    while (!frame.painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QCoreApplication::instance()->removeEventFilter(&frame);
    if (frame.painted)
        std::printf("show %s %.3f %.3f\n", label, (frame.painted - start) / 1e6,
                    (frame.used - startUsed) / 1e6);
    else
        std::printf("show %s never\n", label);
}

void clickOption(const toolkit::Screen& screen, const char* option)
{
    support::click(support::widget<QRadioButton>(screen, option));
}

void road(const QString& name)
{
    using support::key;
    firstShow("Form7", app::screen<Form7>(), [] { app::start<Form7>(); });
    if (name == QLatin1String("online")) {
        firstShow("Form9", app::screen<Form9>(),
                  [] { clickOption(app::screen<Form7>(), "Option2"); });
        return;
    }
    if (name == QLatin1String("mixed")) {
        firstShow("Form1", app::screen<Form1>(),
                  [] { clickOption(app::screen<Form7>(), "Option3"); });
        return;
    }
    const Form8& batch = app::screen<Form8>();
    firstShow("Form8", batch, [] { clickOption(app::screen<Form7>(), "Option1"); });
    support::type(batch, "Text1", QStringLiteral("2"));
    support::type(batch, "Text2", QStringLiteral("5"));
    support::type(batch, "Text3", QStringLiteral("10"));
    support::press(batch, "Calcular");
    const Form6& influence = app::screen<Form6>();
    firstShow("Form6", influence, [&batch] { support::press(batch, "Aceptar"); });
    const Form3& adjustment = app::screen<Form3>();
    if (name == QLatin1String("rated")) {
        const Form2& rating = app::screen<Form2>();
        firstShow("Form2", rating, [&influence] { clickOption(influence, "Option2"); });
        for (int row = 1; row <= Form2::kAttributes; ++row)
            support::pick(rating, QStringLiteral("Combo%1").arg(row).toLatin1(), 3);
        key(rating, Qt::Key_Return); // Sumar
        firstShow("Form3(rated)", adjustment, [&rating] { key(rating, Qt::Key_Return); });
        return;
    }
    clickOption(influence, "Option1");
    support::type(influence, "Text1", QStringLiteral("35"));
    firstShow("Form3(typed)", adjustment, [&influence] { key(influence, Qt::Key_Return); });
    key(adjustment, Qt::Key_Return); // Calcular
    key(adjustment, Qt::Key_Return); // Obtener
    const Form4& productivity = app::screen<Form4>();
    firstShow("Form4", productivity, [&adjustment] { key(adjustment, Qt::Key_Return); });
    support::pick(productivity, "Combo1", 7);
    key(productivity, Qt::Key_Return); // Calcular
    const Form5& effort = app::screen<Form5>();
    firstShow("Form5", effort, [&productivity] { key(productivity, Qt::Key_Return); });
    key(effort, Qt::Key_Return); // Calcular
    firstShow("Form10", app::screen<Form10>(), [&effort] { key(effort, Qt::Key_Return); });
}

int runRoad(int argc, char* argv[])
{
    // Set up as the program itself is.
    QApplication application(argc, argv);
    app::setIdentity(application);
    app::loadQtTranslations(application);
    application.setQuitOnLastWindowClosed(false);
    try {
        road(QString::fromLatin1(argv[2]));
    } catch (const support::Abort&) {
        return 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// The driver.

double percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return -1;
    std::ranges::sort(values);
    const auto index = static_cast<qsizetype>(share * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

QStringList run(const QString& program, const QStringList& arguments, qint64* started = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (started)
        *started = bench::now();
    process.start(program, arguments);
    if (!process.waitForFinished(60'000))
        process.kill();
    return QString::fromLatin1(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--road") == 0)
        return runRoad(argc, argv);

    QCoreApplication driver(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLatin1(argv[1]).toInt()) : 30;
    const QString here = QCoreApplication::applicationDirPath();
    std::printf("platform: %s, %d runs\n", qgetenv("QT_QPA_PLATFORM").constData(), runs);

    // Paired, in alternating order, so that a busy machine weighs on both alike.
    std::map<QString, QList<double>> frame, used, memory;
    const QStringList starters = {QStringLiteral("markii_bench_bare"),
                                  QStringLiteral("markii_bench_program")};
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const QString& starter = starters[(i + k) % 2];
            qint64 started = 0;
            const QStringList lines = run(here + u'/' + starter, {}, &started);
            const QStringList fields = lines.value(0).split(u' ');
            if (fields.size() != 4 || fields[0] != QLatin1String("frame")) {
                std::printf("%s printed no frame\n", qPrintable(starter));
                return 1;
            }
            frame[starter].append((fields[1].toLongLong() - started) / 1e6);
            used[starter].append(fields[2].toDouble() / 1e6);
            memory[starter].append(fields[3].toDouble());
        }
    }
    const double bare = percentile(frame[starters[0]], 0.5);
    const double program = percentile(frame[starters[1]], 0.5);
    std::printf("first painted frame, median: bare window %.1f ms, program %.1f ms, ratio %.3f\n",
                bare, program, program / bare);
    const double bareUsed = percentile(used[starters[0]], 0.5);
    const double programUsed = percentile(used[starters[1]], 0.5);
    std::printf("processor time to it, median: bare window %.1f ms, program %.1f ms, ratio %.3f\n",
                bareUsed, programUsed, programUsed / bareUsed);
    const double bareMemory = percentile(memory[starters[0]], 0.5);
    const double programMemory = percentile(memory[starters[1]], 0.5);
    std::printf("peak memory, median: bare window %.0f kB, program %.0f kB, ratio %.3f\n",
                bareMemory, programMemory, programMemory / bareMemory);

    std::map<QString, QList<double>> shows, showsUsed;
    for (const char* name : {"batch", "rated", "online", "mixed"}) {
        for (int i = 0; i < runs; ++i) {
            for (const QString& line :
                 run(QCoreApplication::applicationFilePath(), {"--road", name})) {
                const QStringList fields = line.split(u' ');
                if (fields.size() != 4 || fields[0] != QLatin1String("show"))
                    continue;
                const QString screen = fields[1] + QStringLiteral(" (") + name + u')';
                shows[screen].append(fields[2].toDouble());
                showsUsed[screen].append(fields[3].toDouble());
            }
        }
    }
    std::printf("first show, user's action to first painted frame (ms; wall clock, then the "
                "processor time used):\n");
    for (const auto& [screen, times] : shows)
        std::printf(
            "  %-20s wall p50 %6.2f p90 %6.2f   processor p50 %6.2f p90 %6.2f  (%lld runs)\n",
            qPrintable(screen), percentile(times, 0.5), percentile(times, 0.9),
            percentile(showsUsed[screen], 0.5), percentile(showsUsed[screen], 0.9),
            static_cast<long long>(times.size()));
    return 0;
}
