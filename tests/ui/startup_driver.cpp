// Runs the real start-up code with one scripted way of ending, for tst_startup.
// argv[1] names the scenario; all arguments are passed on to the program, which ignores them.
// It prints one line per event that the test checks: "destroyed FormN", and "late" for
// anything that runs after the program should have ended.

#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

const char* scenario = "";

void Print(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void ReportDestruction()
{
    QObject::connect(shulin::Form3, &QObject::destroyed, [] { Print("destroyed Form3"); });
    QObject::connect(shulin::Form2, &QObject::destroyed, [] { Print("destroyed Form2"); });
    QObject::connect(shulin::Form1, &QObject::destroyed, [] { Print("destroyed Form1"); });
}

void CloseDrillWindow(QWidget* drill)
{
    shulin::Form1->hide();
    drill->show();
    QTimer::singleShot(0, [] { Print("late"); });
    drill->close();
    Print("late");
}

void Act()
{
    ReportDestruction();
    const QByteArray name(scenario);
    if (name == "close-main")
        shulin::Form1->close();
    else if (name == "close-addition")
        CloseDrillWindow(shulin::Form2);
    else if (name == "close-subtraction")
        CloseDrillWindow(shulin::Form3);
}

// Runs once the toolkit exists; the action waits for the message loop.
void ScheduleAct()
{
    QTimer::singleShot(0, Act);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(ScheduleAct)

int main(int argc, char* argv[])
{
    if (argc > 1)
        scenario = argv[1];
    return shulin::RunProgram(argc, argv);
}
