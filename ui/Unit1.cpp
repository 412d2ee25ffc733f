#include "Unit1.h"

#include "ticker.h"

#include <QTimer>

namespace shulin {

TForm1* Form1 = nullptr;

namespace {

constexpr int kTickerInterval = 400; // ms

const FormSettings kSettings{
    QStringLiteral("数林小径"),
    {72, 94},
    {673, 404},
    colors::MoneyGreen,
};

} // namespace

TForm1::TForm1()
    : Form(kSettings)
{
    setObjectName(QStringLiteral("Form1"));
}

void TForm1::Load()
{
    Timer1 = new QTimer(this);
    Timer1->setInterval(kTickerInterval);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    FormCreate();
}

void TForm1::FormCreate()
{
    TickerInit();
}

void TForm1::Timer1Timer()
{
    TickerStep();
}

} // namespace shulin
