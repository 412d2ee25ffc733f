#include "Unit3.h"

#include "DrillLayout.h"

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

using namespace drill_layout;

const ControlRow<DrillForm> kLayout[] = {
    {&F::Label1, {"Label1", K::Label, 24, 16, 32, 41, "2", kOptionFont, C::Window, kFixed, Pointer::Hand, true}, &F::RangeLabelClick<1>},
    {&F::Label2, {"Label2", K::Label, 72, 16, 20, 37, "3", kOptionFont, C::Window, kAuto, Pointer::Inherit, true}, &F::RangeLabelClick<2>},
    {&F::Label3, {"Label3", K::Label, 120, 16, 20, 37, "4", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<3>},
    {&F::Label4, {"Label4", K::Label, 168, 16, 20, 37, "5", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<4>},
    {&F::Label5, {"Label5", K::Label, 208, 16, 20, 37, "6", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<5>},
    {&F::Label6, {"Label6", K::Label, 264, 16, 20, 37, "7", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<6>},
    {&F::Label7, {"Label7", K::Label, 304, 16, 20, 37, "8", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<7>},
    {&F::Label8, {"Label8", K::Label, 352, 16, 20, 37, "9", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<8>},
    {&F::Label9, {"Label9", K::Label, 392, 16, 37, 37, "10", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<9>},
    {&F::Label10, {"Label10", K::Label, 456, 16, 39, 37, "20", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<10>},
    {&F::Label11, {"Label11", K::Label, 512, 16, 39, 37, "30", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<11>},
    {&F::Label12, {"Label12", K::Label, 568, 16, 39, 37, "40", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<12>},
    {&F::Label13, {"Label13", K::Label, 624, 16, 39, 37, "50", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<13>},
    {&F::Label14, {"Label14", K::Label, 16, 64, 39, 37, "60", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<14>},
    {&F::Label15, {"Label15", K::Label, 72, 64, 39, 37, "70", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<15>},
    {&F::Label16, {"Label16", K::Label, 128, 64, 39, 37, "80", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<16>},
    {&F::Label17, {"Label17", K::Label, 184, 64, 39, 37, "90", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<17>},
    {&F::Label18, {"Label18", K::Label, 240, 64, 56, 37, "100", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<18>},
    {&F::Label19, {"Label19", K::Label, 312, 64, 76, 37, ">100", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<19>},
    {&F::Label20, {"Label20", K::Label, 24, 128, 625, 73, "", kQuestionFont, C::InfoBk, kFixed, Pointer::Inherit, true}},
    {&F::Label21, {"Label21", K::Label, 24, 224, 137, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<1>},
    {&F::Label22, {"Label22", K::Label, 176, 224, 153, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<2>},
    {&F::Label23, {"Label23", K::Label, 352, 224, 145, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<3>},
    {&F::Label24, {"Label24", K::Label, 512, 224, 137, 45, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<4>},
    {&F::Label25, {"Label25", K::Label, 400, 64, 257, 41, "", kReadoutFont, C::Window, kFixed, Pointer::Inherit, true}},
    {&F::Image1, {"Image1", K::Picture, 112, 280, 80, 80, ":/pictures/wrong-b.bmp", {}, C::Window, kAuto, Pointer::Inherit, false, "答错了"}},
    {&F::Image2, {"Image2", K::Picture, 112, 280, 109, 93, ":/pictures/right-b.bmp", {}, C::Window, kAuto, Pointer::Inherit, false, "答对了"}},
    {&F::Button1, {"Button1", K::Button, 368, 320, 129, 33, ">>>>>>>>>>", {"Arial", 19, true, false, C::WindowText}, C::Window, kFixed, Pointer::Hand, true, "下一题"}, &F::Button1Click},
};

} // namespace

TForm3::TForm3()
    : DrillForm(kSettings, kLayout, DrillKind::Subtraction, SubtractionState)
{
    setObjectName(QStringLiteral("Form3"));
}

} // namespace shulin
