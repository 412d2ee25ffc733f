#include "Unit3.h"

namespace shulin {

TForm3* Form3 = nullptr;
DrillState SubtractionState;

namespace {

const FormSettings kSettings{
    QStringLiteral("减法(请选择被减数的值范围)"),
    {72, 105},
    {675, 393},
    colors::MoneyGreen,
    Qt::PointingHandCursor,
};

} // namespace

TForm3::TForm3()
    : DrillForm(kSettings, DrillKind::Subtraction, SubtractionState)
{
    setObjectName(QStringLiteral("Form3"));
}

} // namespace shulin
