// Runs the real start-up code with one scripted way of ending or failing, for tst_startup.
// argv[1] names the scenario, argv[2] its window where it needs one; all arguments are passed
// on to the program, which ignores them.  It prints one line per event that the test checks:
// "shown FormN" and "destroyed FormN", "late" for anything that runs after the program
// should have ended, and what the scenario itself reports.

#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>
#include <stdexcept>

namespace {

QByteArray scenario;
QByteArray failingForm;

void Print(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Reports every window that comes on screen.
class ShowReporter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            Print("shown " + watched->objectName());
        return false;
    }
};

void ReportDestruction(QWidget& form)
{
    QObject::connect(&form, &QObject::destroyed, [name = form.objectName()] { Print("destroyed " + name); });
}

// Reports each window's destruction, and fails the one the scenario names.
void BuildHook(QWidget& form)
{
    ReportDestruction(form);
    if (form.objectName().toUtf8() == failingForm)
        throw std::runtime_error("its layout is broken");
}

// What the pupil can see: the windows on screen, and every control's visibility and text.
QStringList Screen()
{
    QStringList screen;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        screen << window->objectName() + (window->isVisible() ? " visible" : " hidden");
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (child == shulin::Form1->Label5)
                continue; // the ticker moves by itself
            screen << child->objectName() + QString::number(child->isVisible());
            if (auto* label = qobject_cast<QLabel*>(child))
                screen << label->text();
        }
    }
    return screen;
}

void CloseDrillWindow(QWidget* drill)
{
    shulin::Form1->hide();
    drill->show();
    QTimer::singleShot(0, [] { Print("late"); });
    drill->close();
    Print("late");
}

// Clicks the credit line, then looks again after a while: nothing may have changed.
void ClickCreditLine()
{
    const QStringList before = Screen();
    QTest::mouseClick(shulin::Form1->Label4, Qt::LeftButton);
    QTimer::singleShot(500, [before] {
        Print(Screen() == before ? "unchanged" : "changed");
        shulin::Form1->close();
    });
}

void Act()
{
    if (scenario == "close-main")
        shulin::Form1->close();
    else if (scenario == "close-addition")
        CloseDrillWindow(shulin::Form2);
    else if (scenario == "close-subtraction")
        CloseDrillWindow(shulin::Form3);
    else if (scenario == "credit-line")
        ClickCreditLine();
}

// Runs once the toolkit exists; the action waits for the message loop.
void ScheduleAct()
{
    qApp->installEventFilter(new ShowReporter(qApp));
    QTimer::singleShot(0, Act);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(ScheduleAct)

int main(int argc, char* argv[])
{
    if (argc > 1)
        scenario = argv[1];
    if (argc > 2)
        failingForm = argv[2];
    shulin::SetFormBuildHook(BuildHook);
    if (scenario == "pictures-missing")
        Q_CLEANUP_RESOURCE(assets);
    return shulin::RunProgram(argc, argv);
}
