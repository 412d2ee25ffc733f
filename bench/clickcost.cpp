// Measures, inside the program and on its real windows (offscreen platform), the work of one
// click: the mouse press and release, the handler, the texts and pictures it changes and the
// repaint that follows, until the window's backing store holds the new picture.  It measures a
// ticker tick the same way and checks which widgets a tick repaints: the ticker label alone
// while the main window is on screen, nothing while it is hidden.  A click on a bare push button
// in a bare window is the toolkit's floor.
//
// usage: clickcost [ITERATIONS]
// Prints key=value lines (times in microseconds of the GUI thread's processor time, wall time
// beside them); the exit status is 1 when a tick repaints more than the ticker label.

#include "BundledFonts.h"
#include "DrillForm.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "random_source.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// Names of the widgets that received a paint event since the last Take().
class PaintLog : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted_.insert(watched->objectName().isEmpty() ? QString::fromLatin1(watched->metaObject()->className())
                                                            : watched->objectName());
        return false;
    }

    QStringList Take()
    {
        QStringList names(painted_.begin(), painted_.end());
        names.sort();
        painted_.clear();
        return names;
    }

private:
    QSet<QString> painted_;
};

double ThreadCpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double WallMicroseconds()
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Delivers what an event has set in motion, repaints included.
void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

struct Sample {
    double cpu;
    double wall;
};

// Runs prepare (not timed) and then act with what it sets in motion (timed), n times.
std::vector<Sample> Measure(int n, const std::function<void()>& prepare, const std::function<void()>& act)
{
    std::vector<Sample> samples;
    samples.reserve(n);
    for (int i = 0; i < n; ++i) {
        if (prepare) {
            prepare();
            Settle();
        }
        const double cpu = ThreadCpuMicroseconds();
        const double wall = WallMicroseconds();
        act();
        Settle();
        samples.push_back({ThreadCpuMicroseconds() - cpu, WallMicroseconds() - wall});
    }
    return samples;
}

double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

void Report(const char* name, const std::vector<Sample>& samples)
{
    std::vector<double> cpu, wall;
    for (const Sample& s : samples) {
        cpu.push_back(s.cpu);
        wall.push_back(s.wall);
    }
    std::printf("%s.median_us=%.1f\n%s.p99_us=%.1f\n%s.max_us=%.1f\n%s.wall_median_us=%.1f\n", name,
        Quantile(cpu, 0.5), name, Quantile(cpu, 0.99), name, *std::max_element(cpu.begin(), cpu.end()), name,
        Quantile(wall, 0.5));
}

void ReportOnce(const char* name, const Sample& sample)
{
    std::printf("%s.once_us=%.1f\n%s.wall_once_us=%.1f\n", name, sample.cpu, name, sample.wall);
}

QLabel* Option(shulin::DrillForm& form, int option)
{
    QLabel* const labels[] = {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6,
        form.Label7, form.Label8, form.Label9, form.Label10, form.Label11, form.Label12, form.Label13, form.Label14,
        form.Label15, form.Label16, form.Label17, form.Label18, form.Label19};
    return labels[option - 1];
}

// The floor: a click on a push button that does nothing, in a bare window.
void MeasureBareClick(int n)
{
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(673, 404);
    auto* button = new QPushButton(QStringLiteral(">>>>>>>>"), &window);
    button->setGeometry(392, 344, 113, 25);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "clickcost: the bare window is not exposed\n");
    Settle();
    Report("bare.click", Measure(n, nullptr, [&] { Click(button); }));
}

} // namespace

int main(int argc, char* argv[])
{
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The program's own set-up, as start-up does it, but with a clock that moves on by one
    // millisecond per problem, so that every click makes a problem of its own.
    QApplication application(argc, argv);
    shulin::ProgramRandomSource().SetClock([ms = 0]() mutable { return ms++ % 86'400'000; });
    RegisterBundledFonts();
    shulin::CreateForms();
    PaintLog paints;
    application.installEventFilter(&paints);

    shulin::TForm1& main = *shulin::Form1;
    main.Timer1->stop(); // ticks are measured on their own, not inside a click
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        std::fprintf(stderr, "clickcost: the main window is not exposed\n");
    Settle();
    paints.Take();

    int status = 0;
    const auto ticks = Measure(n, nullptr, [&] { main.Timer1Timer(); });
    const QStringList tickPaints = paints.Take();
    Report("tick.visible", ticks);
    std::printf("tick.visible.repainted=%s\n", qPrintable(tickPaints.join(QLatin1Char(','))));
    if (tickPaints != QStringList{QStringLiteral("Label5")})
        status = 1;

    shulin::DrillForm& drill = *shulin::Form2;
    const auto open = Measure(1, nullptr, [&] { Click(main.Label2); });
    ReportOnce("click.open_drill", open.front());
    if (!QTest::qWaitForWindowExposed(&drill))
        std::fprintf(stderr, "clickcost: the addition window is not exposed\n");
    Settle();

    paints.Take();
    const auto hiddenTicks = Measure(n, nullptr, [&] { main.Timer1Timer(); });
    const QStringList hiddenPaints = paints.Take();
    Report("tick.hidden", hiddenTicks);
    std::printf("tick.hidden.repainted=%s\n", qPrintable(hiddenPaints.join(QLatin1Char(','))));
    if (!hiddenPaints.isEmpty())
        status = 1;

    auto correct = [&] { return drill.CandidateLabel(drill.state().CorrectSlot); };
    auto wrong = [&] { return drill.CandidateLabel(drill.state().CorrectSlot % 4 + 1); };

    ReportOnce("click.next_problem.first", Measure(1, nullptr, [&] { Click(drill.Button1); }).front());
    Report("click.next_problem.range10", Measure(n, [&] { Click(correct()); }, [&] { Click(drill.Button1); }));
    Report("click.pick_right", Measure(n, [&] { Click(drill.Button1); }, [&] { Click(correct()); }));
    Report("click.pick_wrong", Measure(n, [&] { Click(drill.Button1); }, [&] { Click(wrong()); }));
    int option = 0;
    Report("click.range_option", Measure(n, nullptr, [&] { Click(Option(drill, option++ % 19 + 1)); }));
    Click(Option(drill, 19));
    Settle();
    Report("click.next_problem.range100000", Measure(n, [&] { Click(correct()); }, [&] { Click(drill.Button1); }));

    drill.hide();
    MeasureBareClick(n);

    shulin::DestroyForms();
    return status;
}
