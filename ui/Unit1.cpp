#include "Unit1.h"

#include "Layout.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ticker.h"

#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

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

using K = ControlKind;
using C = Colour;
constexpr bool kAuto = true;
constexpr bool kFixed = false;

const ControlRow<TForm1> kLayout[] = {
    {&TForm1::Image1, {"Image1", K::Picture, 384, 8, 235, 349, ":/pictures/photo.bmp", {}, C::Window, kAuto, Pointer::Inherit, true, "照片"}},
    {&TForm1::Label1, {"Label1", K::Label, 24, 32, 325, 80, "数林小径", {"楷体_GB2312", 80, true, true, C::Blue}, C::Window, kAuto, Pointer::Inherit, true}},
    {&TForm1::Label2, {"Label2", K::Label, 72, 128, 97, 97, "＋", {"黑体", 96, true, false, C::Aqua}, C::Fuchsia, kAuto, Pointer::Hand, true, "加法练习"}, &TForm1::Label2Click},
    {&TForm1::Label3, {"Label3", K::Label, 216, 192, 97, 97, "－", {"黑体", 96, true, false, C::Aqua}, C::Fuchsia, kAuto, Pointer::Hand, true, "减法练习"}, &TForm1::Label3Click},
    {&TForm1::Label4, {"Label4", K::Label, 56, 328, 264, 16, kCreditLine, {"宋体", 16, false, false, C::WindowText}, C::Window, kAuto, Pointer::Hand, true}, &TForm1::Label4Click},
    {&TForm1::Label5, {"Label5", K::Label, 384, 360, 233, 19, "", {"楷体_GB2312", 19, true, false, C::Red}, C::MoneyGreen, kFixed, Pointer::Inherit, true}},
};

} // namespace

TForm1::TForm1()
    : Form(kSettings)
{
    setObjectName(QStringLiteral("Form1"));
}

void TForm1::Load()
{
    BuildControls<TForm1>(*this, kLayout);

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
    Label5->setText(QString::fromStdString(TickerStep()));
}

void TForm1::Label4Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}

void TForm1::Label2Click()
{
    Form1->hide();
    Form2->Present();
}

void TForm1::Label3Click()
{
    Form1->hide();
    Form3->Present();
}

} // namespace shulin
