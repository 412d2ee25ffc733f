#pragma once

#include "Form.h"

class QTimer;

namespace shulin {

// The main window: the title, the photograph, the way into the two drills and the greeting.
class TForm1 : public Form {
    Q_OBJECT

public:
    TForm1();

    // Builds the controls, then runs FormCreate.  Called once, by start-up.
    void Load();

    QTimer* Timer1 = nullptr;

private:
    void FormCreate();
    void Timer1Timer();
};

// The one main window, set as soon as start-up has allocated it.
extern TForm1* Form1;

} // namespace shulin
