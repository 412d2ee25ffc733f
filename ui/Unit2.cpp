#include "Unit2.h"

namespace shulin {

TForm2* Form2 = nullptr;
DrillState AdditionState;

namespace {

const FormSettings kSettings{
    QStringLiteral("加法(请选择和的值范围)"),
    {74, 94},
    {673, 402},
    colors::MoneyGreen,
};

} // namespace

TForm2::TForm2()
    : DrillForm(kSettings, DrillKind::Addition, AdditionState)
{
    setObjectName(QStringLiteral("Form2"));
}

} // namespace shulin
