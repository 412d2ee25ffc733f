#pragma once

#include "Form.h"

class QLabel;
class QTimer;

namespace shulin {

// The credit line and the maker's home page that a click on it opens.
inline constexpr char kCreditLine[] = "小禾工作室出品，2026年12月发布";
inline constexpr char kHomePage[] = "https://xiaohe-studio.example/";

// The main window: the title, the photograph, the way into the two drills and the greeting.
class TForm1 : public Form {
    Q_OBJECT

public:
    TForm1();

    // Builds the controls from the layout, then runs FormCreate.  Called once, by start-up.
    void Load();

    QLabel* Image1 = nullptr; // the photograph
    QLabel* Label1 = nullptr; // the title
    QLabel* Label2 = nullptr; // "＋", into the addition drill
    QLabel* Label3 = nullptr; // "－", into the subtraction drill
    QLabel* Label4 = nullptr; // the credit line
    QLabel* Label5 = nullptr; // the greeting ticker, empty until the first tick
    QTimer* Timer1 = nullptr;

    // Asks the desktop to open the home page, once, whatever comes of it.
    void Label4Click();
    // Hides this window, then shows the addition window.
    void Label2Click();
    // Hides this window, then shows the subtraction window.
    void Label3Click();
    void Timer1Timer();

private:
    void FormCreate();
};

// The one main window, set as soon as start-up has allocated it.
extern TForm1* Form1;

} // namespace shulin
