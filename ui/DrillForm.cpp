#include "DrillForm.h"

#include "Startup.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace shulin {

DrillForm::DrillForm(const FormSettings& settings, std::span<const ControlRow<DrillForm>> layout, DrillKind kind,
    DrillState& state)
    : Form(settings)
    , layout_(layout)
    , kind_(kind)
    , state_(state)
{
}

void DrillForm::Load()
{
    BuildControls(*this, layout_);
    FormCreate();
}

void DrillForm::Present()
{
    show();
    raise();
    activateWindow();
    Button1->setFocus(Qt::ActiveWindowFocusReason);
}

void DrillForm::FormCreate()
{
    Label25->setText(QString::fromStdString(SetUpDrillState(state_)));
    ShowProblem(GenerateProblem(kind_, state_, true));
}

void DrillForm::ChooseOption(int option)
{
    Label25->setText(QString::fromStdString(ChooseRange(state_, option)));
}

void DrillForm::Pick(int slot)
{
    if (CheckPick(state_, slot) == Verdict::Right)
        Image2->show();
    else
        Image1->show();
}

void DrillForm::Button1Click()
{
    Image2->hide();
    Image1->hide();
    ShowProblem(GenerateProblem(kind_, state_, false));
}

QLabel* DrillForm::CandidateLabel(int slot) const
{
    QLabel* const candidates[] = {Label21, Label22, Label23, Label24};
    return candidates[slot - 1];
}

void DrillForm::ShowProblem(const Problem& problem)
{
    Label20->setText(QString::fromStdString(problem.QuestionText));
    for (int slot = 1; slot <= 4; ++slot)
        CandidateLabel(slot)->setText(QString::fromStdString(problem.CandidateTexts[static_cast<std::size_t>(slot - 1)]));
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
