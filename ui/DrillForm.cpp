#include "DrillForm.h"

#include "Startup.h"

#include <QCloseEvent>

namespace shulin {

DrillForm::DrillForm(const FormSettings& settings, DrillKind kind, DrillState& state)
    : Form(settings)
    , kind_(kind)
    , state_(state)
{
}

void DrillForm::Load()
{
    FormCreate();
}

void DrillForm::FormCreate()
{
    readout_ = QString::fromStdString(SetUpDrillState(state_));
    problem_ = GenerateProblem(kind_, state_, true);
}

void DrillForm::closeEvent(QCloseEvent*)
{
    bool canClose = true;
    FormCloseQuery(this, canClose);
}

void DrillForm::FormCloseQuery(QObject*, bool&)
{
    EndProgramNow();
}

} // namespace shulin
