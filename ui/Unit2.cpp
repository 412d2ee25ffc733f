#include "Unit2.h"

#include "DrillLayout.h"

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

using namespace drill_layout;

const ControlRow<DrillForm> kLayout[] = {
    {&F::Label1, {"Label1", K::Label, 24, 8, 20, 37, "2", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<1>},
    {&F::Label2, {"Label2", K::Label, 81, 8, 20, 37, "3", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<2>},
    {&F::Label3, {"Label3", K::Label, 136, 8, 20, 37, "4", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<3>},
    {&F::Label4, {"Label4", K::Label, 184, 8, 20, 37, "5", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<4>},
    {&F::Label5, {"Label5", K::Label, 224, 8, 20, 37, "6", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<5>},
    {&F::Label6, {"Label6", K::Label, 264, 8, 20, 37, "7", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<6>},
    {&F::Label7, {"Label7", K::Label, 304, 8, 20, 37, "8", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<7>},
    {&F::Label8, {"Label8", K::Label, 344, 8, 20, 37, "9", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<8>},
    {&F::Label9, {"Label9", K::Label, 384, 8, 37, 37, "10", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<9>},
    {&F::Label10, {"Label10", K::Label, 448, 8, 39, 37, "20", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<10>},
    {&F::Label11, {"Label11", K::Label, 504, 8, 39, 37, "30", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<11>},
    {&F::Label12, {"Label12", K::Label, 560, 8, 39, 37, "40", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<12>},
    {&F::Label13, {"Label13", K::Label, 616, 8, 39, 37, "50", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<13>},
    {&F::Label14, {"Label14", K::Label, 24, 56, 39, 37, "60", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<14>},
    {&F::Label15, {"Label15", K::Label, 80, 56, 39, 37, "70", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<15>},
    {&F::Label16, {"Label16", K::Label, 136, 56, 39, 37, "80", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<16>},
    {&F::Label17, {"Label17", K::Label, 192, 56, 39, 37, "90", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<17>},
    {&F::Label18, {"Label18", K::Label, 256, 56, 56, 37, "100", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<18>},
    {&F::Label19, {"Label19", K::Label, 336, 56, 76, 37, ">100", kOptionFont, C::Window, kAuto, Pointer::Hand, true}, &F::RangeLabelClick<19>},
    {&F::Label20, {"Label20", K::Label, 40, 128, 609, 81, "", kQuestionFont, C::InfoBk, kFixed, Pointer::Inherit, true}},
    {&F::Label21, {"Label21", K::Label, 40, 240, 145, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<1>},
    {&F::Label22, {"Label22", K::Label, 200, 240, 137, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<2>},
    {&F::Label23, {"Label23", K::Label, 360, 240, 137, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<3>},
    {&F::Label24, {"Label24", K::Label, 520, 240, 129, 49, "", kCandidateFont, C::SkyBlue, kFixed, Pointer::Hand, true}, &F::CandidateLabelClick<4>},
    {&F::Label25, {"Label25", K::Label, 456, 56, 193, 37, "", kReadoutFont, C::Window, kFixed, Pointer::Inherit, true}},
    {&F::Image1, {"Image1", K::Picture, 128, 296, 60, 45, ":/pictures/wrong-a.bmp", {}, C::Window, kAuto, Pointer::Inherit, false, "答错了"}},
    {&F::Image2, {"Image2", K::Picture, 128, 296, 109, 93, ":/pictures/right-a.bmp", {}, C::Window, kAuto, Pointer::Inherit, false, "答对了"}},
    {&F::Button1, {"Button1", K::Button, 392, 344, 113, 25, ">>>>>>>>", {"MS Sans Serif", 19, true, false, C::WindowText}, C::Window, kFixed, Pointer::Hand, true, "下一题"}, &F::Button1Click},
};

} // namespace

TForm2::TForm2()
    : DrillForm(kSettings, kLayout, DrillKind::Addition, AdditionState)
{
    setObjectName(QStringLiteral("Form2"));
}

} // namespace shulin
