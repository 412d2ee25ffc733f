#pragma once

#include "Form.h"

#include "drill.h"

class QCloseEvent;

namespace shulin {

// What the addition and the subtraction window have in common: the handlers that wire a
// window to the drill engine.  A window differs only in its settings, its kind and its state.
class DrillForm : public Form {
    Q_OBJECT

public:
    // state is the window's module-level state; it outlives the window.
    DrillForm(const FormSettings& settings, DrillKind kind, DrillState& state);

    // Builds the controls, then runs FormCreate.  Called once, by start-up.
    void Load();

    DrillKind kind() const { return kind_; }
    const DrillState& state() const { return state_; }
    const QString& readout() const { return readout_; }
    const Problem& problem() const { return problem_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // Ends the program at once; never returns.
    [[noreturn]] void FormCloseQuery(QObject* sender, bool& canClose);

    const DrillKind kind_;
    DrillState& state_;
    QString readout_;
    Problem problem_;
};

} // namespace shulin
