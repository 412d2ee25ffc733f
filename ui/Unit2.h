#pragma once

#include "DrillForm.h"

namespace shulin {

// The addition drill window.
class TForm2 : public DrillForm {
    Q_OBJECT

public:
    TForm2();
};

// The one addition window, set as soon as start-up has allocated it.
extern TForm2* Form2;
// The addition window's drill state; zeros until its FormCreate has run.
extern DrillState AdditionState;

} // namespace shulin
