#pragma once

#include "Form.h"
#include "Layout.h"

#include "drill.h"

class QCloseEvent;
class QLabel;
class QPushButton;

namespace shulin {

// What the addition and the subtraction window have in common: their controls and the
// handlers that wire them to the drill engine.  A window differs only in its settings, its
// layout, its kind and its state.
class DrillForm : public Form {
    Q_OBJECT

public:
    // state is the window's module-level state and layout its table; both outlive the window.
    DrillForm(const FormSettings& settings, std::span<const ControlRow<DrillForm>> layout, DrillKind kind,
        DrillState& state);

    // Builds the controls from the layout, then runs FormCreate.  Called once, by start-up.
    void Load();

    // Puts the window on screen as the active window, the keyboard focus on Button1.
    void Present();

    DrillKind kind() const { return kind_; }
    const DrillState& state() const { return state_; }

    // Label1 to Label19: the range options; Label20: the question; Label21 to Label24: the
    // candidates of slots 1 to 4; Label25: the readout.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
           *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr, *Label20 = nullptr,
           *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label24 = nullptr, *Label25 = nullptr;
    // The answer box of slot 1..4: Label21 to Label24.
    QLabel* CandidateLabel(int slot) const;

    QLabel* Image1 = nullptr; // the wrong picture
    QLabel* Image2 = nullptr; // the right picture, above Image1
    QPushButton* Button1 = nullptr;

    // Label1Click to Label19Click: applies range option 1..19 and shows its readout.
    template <int Option>
    void RangeLabelClick() { ChooseOption(Option); }

    // Label21Click to Label24Click: grades a pick of slot 1..4 and shows its picture.
    template <int Slot>
    void CandidateLabelClick() { Pick(Slot); }

    // Hides both pictures and shows the next problem in the range in force.
    void Button1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // Ends the program at once; never returns.
    [[noreturn]] void FormCloseQuery(QObject* sender, bool& canClose);

    void ChooseOption(int option);
    void Pick(int slot);
    void ShowProblem(const Problem& problem);

    const std::span<const ControlRow<DrillForm>> layout_;
    const DrillKind kind_;
    DrillState& state_;
};

} // namespace shulin
