#pragma once

#include "DrillForm.h"

namespace shulin {

// The subtraction drill window.
class TForm3 : public DrillForm {
    Q_OBJECT

public:
    TForm3();
};

// The one subtraction window, set as soon as start-up has allocated it.
extern TForm3* Form3;
// The subtraction window's drill state; zeros until its FormCreate has run.
extern DrillState SubtractionState;

} // namespace shulin
